// The header check and the survey pass: everything the loader learns about
// the data before it allocates anything.
#include "frame/checked.hpp"
#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "model/model_format.hpp"

namespace vexl {
namespace {

bool fitsRecord(uint64_t count) {
    return count <= mdl::kMaxRecordCount;
}

bool surveySkins(ByteCursor& walk, const ModelHeader& header, ModelLayout& layout) {
    uint64_t groupPictures = 0;
    for (uint32_t i = 0; i < header.skinCount; ++i) {
        uint32_t group = 0;
        if (!walk.readWholeLong(group)) {
            return false;
        }
        if (group == 0) {
            if (!walk.skipWhole(layout.pictureBytes)) {
                return false;
            }
            continue;
        }
        uint32_t pictures = 0;
        if (!walk.readWholeLong(pictures)) {
            return false;
        }
        groupPictures += pictures;
        if (!fitsRecord(header.skinCount + groupPictures) ||
            !walk.skipWhole(pictures, uint64_t{mdl::kIntervalSize} + layout.pictureBytes)) {
            return false;
        }
    }
    layout.groupSkinCount = static_cast<uint32_t>(groupPictures);
    return true;
}

bool surveyTexCoords(ByteCursor& walk, const ModelHeader& header, ModelLayout& layout) {
    uint32_t seams = 0;
    for (uint32_t v = 0; v < header.vertexCount; ++v) {
        uint32_t onSeam = 0;
        if (!walk.readWholeLong(onSeam) || !walk.skipWhole(mdl::kTexCoordSize - mdl::kFlagSize)) {
            return false;
        }
        seams += onSeam != 0 ? 1 : 0;
    }
    layout.seamVertexCount = seams;
    return fitsRecord(uint64_t{header.vertexCount} + seams);
}

// Indices are looked up in the seam map and stored in 16 bits, so each must
// name one of the data's vertices.
bool surveyTriangles(ByteCursor& walk, const ModelHeader& header) {
    for (uint32_t i = 0; i < header.triangleCount; ++i) {
        if (!walk.skipWhole(mdl::kFlagSize)) {
            return false;
        }
        for (int corner = 0; corner < 3; ++corner) {
            uint32_t index = 0;
            if (!walk.readWholeLong(index) || index >= header.vertexCount) {
                return false;
            }
        }
    }
    return true;
}

bool surveyFrames(ByteCursor& walk, const ModelHeader& header, ModelLayout& layout) {
    const uint64_t simpleFrame =
        mdl::kSimpleFrameHead + uint64_t{mdl::kPackedVertexSize} * header.vertexCount;
    uint64_t extraFrames = 0;
    for (uint32_t i = 0; i < header.frameCount; ++i) {
        uint32_t group = 0;
        if (!walk.readWholeLong(group)) {
            return false;
        }
        if (group == 0) {
            if (!walk.skipWhole(simpleFrame)) {
                return false;
            }
            continue;
        }
        uint32_t frames = 0;
        if (!walk.readWholeLong(frames) || frames == 0) {
            return false;
        }
        extraFrames += frames - 1;
        if (!fitsRecord(header.frameCount + extraFrames) ||
            !walk.skipWhole(mdl::kGroupBoundsSize) ||
            !walk.skipWhole(frames, mdl::kIntervalSize + simpleFrame)) {
            return false;
        }
    }
    layout.extraFrameCount = static_cast<uint32_t>(extraFrames);
    return true;
}

} // namespace

int32_t readModelHeader(ByteCursor& in, ModelHeader& header) {
    if (in.readText(mdl::kMagicSize) != mdl::kMagic) {
        return status::kNotModel;
    }
    int32_t version = 0;
    in.readLong(version);
    if (version != mdl::kVersion) {
        return status::kModelVersion;
    }
    in.readVec3(header.scale);
    in.readVec3(header.translate);
    float boundingRadius = 0;
    VEXLVECTOR_T eyePosition{};
    in.readFloat(boundingRadius);
    in.readVec3(eyePosition);

    // Each count is tested right after its own read: the first zero decides.
    const struct {
        uint32_t ModelHeader::*field;
        int32_t statusIfZero;
    } counts[] = {
        {&ModelHeader::skinCount, status::kModelNoSkin},
        {&ModelHeader::skinWidth, status::kModelSkinWidth},
        {&ModelHeader::skinHeight, status::kModelSkinHeight},
        {&ModelHeader::vertexCount, status::kModelNoVertex},
        {&ModelHeader::triangleCount, status::kModelNoTriangle},
        {&ModelHeader::frameCount, status::kModelNoFrame},
    };
    for (const auto& count : counts) {
        in.readLong(header.*count.field);
        if (header.*count.field == 0) {
            return count.statusIfZero;
        }
    }
    float sizeField = 0;
    in.readLong(header.syncType);
    in.readLong(header.flags);
    in.readFloat(sizeField);
    return status::kOk;
}

bool surveyModel(ByteCursor walk, const ModelHeader& header, ModelLayout& layout) {
    if (!fitsRecord(header.skinCount) || !fitsRecord(header.vertexCount) ||
        !fitsRecord(header.triangleCount) || !fitsRecord(header.frameCount) ||
        !checkedMul(header.skinWidth, header.skinHeight, layout.pictureBytes)) {
        return false;
    }
    layout.skinOffset = walk.position();
    if (!surveySkins(walk, header, layout)) {
        return false;
    }
    layout.texCoordOffset = walk.position();
    if (!surveyTexCoords(walk, header, layout)) {
        return false;
    }
    layout.triangleOffset = walk.position();
    if (!surveyTriangles(walk, header)) {
        return false;
    }
    layout.frameDataOffset = walk.position();
    if (!surveyFrames(walk, header, layout)) {
        return false;
    }
    layout.dataEnd = walk.position();
    return true;
}

} // namespace vexl
