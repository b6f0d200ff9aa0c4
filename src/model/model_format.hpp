// The byte layout of model data ("IDPO", version 6) and the two passes of
// the loader that share it: the header read with the survey, and the fill.
//
// Layout, all integers 32-bit little-endian, all floats 32-bit IEEE:
//   header (84 bytes), then skins, texture coordinates, triangles, frames,
//   each entry directly after the previous one.
//   skin entry:   group flag; single: W*H pixels; group: count n, n interval
//                 floats, n pictures of W*H pixels.
//   tex coord:    on-seam flag, s, t (pixels, unsigned).
//   triangle:     faces-front flag, three vertex indices.
//   frame entry:  group flag; single: one simple frame; group: count n, two
//                 packed bounding-box vertices, n interval floats, n simple
//                 frames.
//   simple frame: two packed bounding-box vertices, 16-byte zero-padded name,
//                 N packed vertices (x, y, z bytes and a normal index byte).
#pragma once

#include "frame/cursor.hpp"
#include "vexalkit.hpp"

#include <cstdint>
#include <string_view>

namespace vexl {

namespace mdl {
constexpr std::string_view kMagic = "IDPO";
constexpr uint32_t kMagicSize = 4;
constexpr int32_t kVersion = 6;
constexpr uint32_t kHeaderSize = 84;

constexpr uint32_t kFlagSize = 4;      // group, on-seam and faces-front flags
constexpr uint32_t kCountSize = 4;     // picture and frame counts of groups
constexpr uint32_t kIntervalSize = 4;  // one float per group member
constexpr uint32_t kTexCoordSize = 12; // flag, s, t
constexpr uint32_t kTriangleSize = 16; // flag, three indices
constexpr uint32_t kPackedVertexSize = 4;
constexpr uint32_t kFrameNameSize = 16;
// Two packed bounding-box vertices, then the name, then the vertices.
constexpr uint32_t kSimpleFrameHead = 2 * kPackedVertexSize + kFrameNameSize;
constexpr uint32_t kGroupBoundsSize = 2 * kPackedVertexSize;

// The record holds its counts, totals and indices in 16 bits.
constexpr uint32_t kMaxRecordCount = 0xFFFF;
} // namespace mdl

// The header fields the loader uses; the rest is read past.
struct ModelHeader {
    VEXLVECTOR_T scale{};
    VEXLVECTOR_T translate{};
    uint32_t skinCount = 0;
    uint32_t skinWidth = 0;
    uint32_t skinHeight = 0;
    uint32_t vertexCount = 0;
    uint32_t triangleCount = 0;
    uint32_t frameCount = 0;
    int32_t syncType = 0;
    int32_t flags = 0;
};

// What the survey measured: where each section starts and the totals that
// size the record's arrays. Every section lies inside the data.
struct ModelLayout {
    uint32_t skinOffset = 0;
    uint32_t texCoordOffset = 0;
    uint32_t triangleOffset = 0;
    uint32_t frameDataOffset = 0;
    uint32_t dataEnd = 0;      // where the last frame ends
    uint32_t pictureBytes = 0; // W * H
    uint32_t groupSkinCount = 0;
    uint32_t seamVertexCount = 0;
    uint32_t extraFrameCount = 0;
};

// Reads the header at the cursor and checks it field by field, in header
// order; returns 0 or the status of the first failing field. The cursor
// ends after the header.
int32_t readModelHeader(ByteCursor& in, ModelHeader& header);

// Walks the sections from the cursor on without keeping them. False when any
// section runs past the end of the data, a count or total exceeds the
// record's 16-bit fields, a triangle names a vertex that does not exist, or
// a frame group is empty. On success every section lies inside the data.
bool surveyModel(ByteCursor walk, const ModelHeader& header, ModelLayout& layout);

} // namespace vexl
