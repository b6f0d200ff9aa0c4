// The model loader: header, survey, allocate every array once at its final
// size, fill, then flip the texture coordinates and rewind the triangles.
#include "frame/blocks.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "model/model.hpp"
#include "model/model_format.hpp"

#include <cassert>
#include <cstring>
#include <optional>
#include <span>

namespace vexl {
namespace {

// Takes the survey's counts and offsets into the record, then allocates every
// array at its final size. The counts go in first so that a kill after a
// failed allocation releases exactly what was allocated.
bool allocateArrays(const ModelHeader& header, const ModelLayout& layout, VEXLMODEL_T& model) {
    model.skinOffset = layout.skinOffset;
    model.texCoordOffset = layout.texCoordOffset;
    model.triangleOffset = layout.triangleOffset;
    model.frameDataOffset = layout.frameDataOffset;
    // The survey has kept every count and total within 16 bits.
    model.skinCount = static_cast<uint16_t>(header.skinCount);
    model.groupSkinCount = static_cast<uint16_t>(layout.groupSkinCount);
    model.vertexCount = static_cast<uint16_t>(header.vertexCount);
    model.seamVertexCount = layout.seamVertexCount;
    model.triangleCount = static_cast<uint16_t>(header.triangleCount);
    model.frameCount = static_cast<uint16_t>(header.frameCount);
    model.extraFrameCount = static_cast<uint16_t>(layout.extraFrameCount);

    const uint64_t slots = vertexSlots(model);
    const uint64_t frames = frameSlots(model);
    model.skins = allocBlock<VEXLPICTURE_T>(skinSlots(model));
    model.seamMap = allocBlock<uint32_t>(slots);
    model.texCoords = allocBlock<VEXLVECTOR_T>(slots);
    model.triangles = allocBlock<VEXLTRIANGLE_T>(model.triangleCount);
    model.frameNames = allocBlock<char>(frames * mdl::kFrameNameSize);
    model.frameGroupSizes = allocBlock<uint8_t>(frames);
    // The frame fill writes every position of every frame slot.
    model.vertices = allocBlockForOverwrite<VEXLVECTOR_T>(frames * slots);
    return model.skins != nullptr && model.seamMap != nullptr && model.texCoords != nullptr &&
           model.triangles != nullptr && model.frameNames != nullptr &&
           model.frameGroupSizes != nullptr && model.vertices != nullptr;
}

bool fillSkin(SectionCursor& at, const ModelHeader& header, uint32_t pictureBytes,
              VEXLPICTURE_T& skin) {
    uint8_t* const pixels = allocBlock<uint8_t>(pictureBytes);
    if (pixels == nullptr) {
        return false;
    }
    skin.width = header.skinWidth;
    skin.height = header.skinHeight;
    skin.pixels = pixels;
    at.readBytes(pixels, pictureBytes);
    return true;
}

// Slots fill in data order; each skin group's spare slot stays empty at the
// end of the array.
bool fillSkins(SectionCursor& at, const ModelHeader& header, const ModelLayout& layout,
               VEXLMODEL_T& model) {
    uint32_t slot = 0;
    for (uint32_t i = 0; i < header.skinCount; ++i) {
        uint32_t pictures = 1;
        if (at.readLong() != 0) {
            pictures = at.readLong();
            at.skip(uint64_t{mdl::kIntervalSize} * pictures);
        }
        for (uint32_t p = 0; p < pictures; ++p) {
            if (!fillSkin(at, header, layout.pictureBytes, model.skins[slot++])) {
                return false;
            }
        }
    }
    return true;
}

// Coordinates as fractions of the skin; an on-seam vertex gets a copy half a
// skin width to the right, on the back half of the skin.
void fillTexCoords(SectionCursor& at, const ModelHeader& header, VEXLMODEL_T& model) {
    const double width = header.skinWidth;
    const double height = header.skinHeight;
    uint32_t copy = header.vertexCount;
    for (uint32_t v = 0; v < header.vertexCount; ++v) {
        const uint32_t onSeam = at.readLong();
        const uint32_t s = at.readLong();
        const uint32_t t = at.readLong();
        VEXLVECTOR_T& coord = model.texCoords[v];
        coord.x = static_cast<float>(s / width);
        coord.y = static_cast<float>(t / height);
        if (onSeam != 0) {
            model.seamMap[v] = copy;
            model.texCoords[copy].x = static_cast<float>(static_cast<double>(coord.x) + 0.5);
            model.texCoords[copy].y = coord.y;
            ++copy;
        }
    }
}

// A back-facing triangle uses the back-side copies of its on-seam vertices.
// Every index is below the vertex count (the survey checked).
void fillTriangles(SectionCursor& at, const ModelHeader& header, VEXLMODEL_T& model) {
    for (uint32_t i = 0; i < header.triangleCount; ++i) {
        const bool facesFront = at.readLong() != 0;
        for (uint16_t& vertex : model.triangles[i].vertex) {
            uint32_t index = at.readLong();
            if (!facesFront && model.seamMap[index] != 0) {
                index = model.seamMap[index];
            }
            vertex = static_cast<uint16_t>(index);
        }
    }
}

// The unpacked position of every byte value, per component, for one
// model's scale and translate: 768 values computed once per load, so that a
// frame's vertices are looked up instead of computed one by one. Built with
// vexlUnpackVertex itself, so every position is the same bit for bit.
struct UnpackTable {
    float x[256];
    float y[256];
    float z[256];

    explicit UnpackTable(const ModelHeader& header) {
        for (uint32_t value = 0; value < 256; ++value) {
            const auto byte = static_cast<uint8_t>(value);
            const uint8_t packed[3] = {byte, byte, byte};
            VEXLVECTOR_T position{};
            vexlUnpackVertex(position, packed, header.scale, header.translate);
            x[value] = position.x;
            y[value] = position.y;
            z[value] = position.z;
        }
    }
};

// What the frame fill needs besides the record: the table, and the on-seam
// vertices in the order of their back-side copies.
struct FrameFill {
    UnpackTable table;
    const uint32_t* seamSources;
    uint32_t seamCount;
};

// x, y, z bytes of each packed vertex through the table; the normal index
// byte is not kept.
void unpackVertices(const uint8_t* packed, uint32_t count, const UnpackTable& table,
                    VEXLVECTOR_T* positions) {
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* vertex = packed + i * mdl::kPackedVertexSize;
        positions[i].x = table.x[vertex[0]];
        positions[i].y = table.y[vertex[1]];
        positions[i].z = table.z[vertex[2]];
    }
}

// One simple frame into frame slot `frame`: its name (a name using the whole
// field stays unterminated in its slot) and its unpacked positions, copied
// to the back-side copies as well. Every position of the slot is written.
void fillSimpleFrame(SectionCursor& at, const ModelHeader& header, const FrameFill& fill,
                     VEXLMODEL_T& model, uint32_t frame) {
    at.skip(mdl::kGroupBoundsSize);
    const std::string_view name = at.readText(mdl::kFrameNameSize);
    if (!name.empty()) {
        std::memcpy(model.frameNames + uint64_t{frame} * mdl::kFrameNameSize, name.data(),
                    name.size());
    }

    VEXLVECTOR_T* const positions = model.vertices + uint64_t{frame} * vertexSlots(model);
    const std::span<const uint8_t> packed =
        at.readSpan(uint64_t{header.vertexCount} * mdl::kPackedVertexSize);
    unpackVertices(packed.data(), header.vertexCount, fill.table, positions);
    VEXLVECTOR_T* const copies = positions + header.vertexCount;
    for (uint32_t j = 0; j < fill.seamCount; ++j) {
        copies[j] = positions[fill.seamSources[j]];
    }
}

void fillFrames(SectionCursor& at, const ModelHeader& header, const FrameFill& fill,
                VEXLMODEL_T& model) {
    uint32_t frame = 0;
    for (uint32_t i = 0; i < header.frameCount; ++i) {
        uint32_t frames = 1;
        if (at.readLong() != 0) {
            frames = at.readLong();
            // Only the group's first frame is marked, with its low 8 bits.
            model.frameGroupSizes[frame] = static_cast<uint8_t>(frames);
            at.skip(mdl::kGroupBoundsSize);
            at.skip(uint64_t{mdl::kIntervalSize} * frames);
        }
        for (uint32_t f = 0; f < frames; ++f) {
            fillSimpleFrame(at, header, fill, model, frame++);
        }
    }
}

// The vertex behind each back-side copy, in copy order.
OwnedBlock<uint32_t> seamSourcesOf(const VEXLMODEL_T& model) {
    OwnedBlock<uint32_t> sources(allocBlock<uint32_t>(model.seamVertexCount));
    if (sources) {
        for (uint32_t v = 0; v < model.vertexCount; ++v) {
            if (model.seamMap[v] != 0) {
                sources.get()[model.seamMap[v] - model.vertexCount] = v;
            }
        }
    }
    return sources;
}

// `at` is the survey's span, from the first skin to the end of the last frame.
bool fillRecord(SectionCursor at, const ModelHeader& header, const ModelLayout& layout,
                VEXLMODEL_T& model) {
    if (!fillSkins(at, header, layout, model)) {
        return false;
    }
    fillTexCoords(at, header, model);
    fillTriangles(at, header, model);
    const OwnedBlock<uint32_t> seamSources = seamSourcesOf(model);
    if (!seamSources) {
        return false;
    }
    const FrameFill fill{UnpackTable(header), seamSources.get(), model.seamVertexCount};
    fillFrames(at, header, fill, model);
    assert(at.remaining() == 0 && "the fill reads exactly what the survey measured");
    return true;
}

} // namespace

void vexlUnpackVertex(VEXLVECTOR_T& position, const uint8_t (&packed)[3], const VEXLVECTOR_T& scale,
                      const VEXLVECTOR_T& translate) {
    position.x = static_cast<float>(packed[0] * static_cast<double>(scale.x) + translate.x);
    position.y = static_cast<float>(packed[1] * static_cast<double>(scale.y) + translate.y);
    position.z = static_cast<float>(packed[2] * static_cast<double>(scale.z) + translate.z);
}

int32_t modelLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLMODEL_T& model) {
    if (buffer == nullptr || size == 0) {
        return status::kNoMemoryPointer;
    }
    modelKill(model);

    ByteCursor in(buffer, size);
    ModelHeader header;
    const int32_t headerStatus = readModelHeader(in, header);
    if (headerStatus != status::kOk) {
        return headerStatus;
    }
    model.flags = header.flags;
    model.syncType = header.syncType;
    model.dataSize = size;

    // Data that cannot be measured or held, and a failed allocation, all
    // leave the record empty.
    ModelLayout layout;
    if (!surveyModel(in, header, layout)) {
        return status::kModelUnbacked;
    }
    const std::optional<SectionCursor> sections =
        in.section(layout.skinOffset, layout.dataEnd - layout.skinOffset);
    assert(sections.has_value() && "the survey keeps every section inside the data");
    if (!allocateArrays(header, layout, model) || !fillRecord(*sections, header, layout, model)) {
        modelKill(model);
        return status::kModelNoMemory;
    }
    modelSkinInv(model);
    modelSwapTris(model);
    return status::kOk;
}

} // namespace vexl
