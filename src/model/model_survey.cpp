// The header check and the survey pass: everything the loader learns about
// the data before it allocates anything.
#include "frame/checked.hpp"
#include "frame/reader.hpp"
#include "frame/status.hpp"
#include "model/model_format.hpp"

namespace vexl {
namespace {

// A walk through sections not yet trusted. Values are read only when all
// their bytes lie inside the data, and no step can carry it past the end.
class SurveyWalk {
  public:
    SurveyWalk(const uint8_t* const& buffer, const uint32_t& size, uint32_t start)
        : buffer_(buffer), size_(size), at_(start, size) {}

    [[nodiscard]] bool readLong(uint32_t& value) {
        // The position never exceeds the data's 32-bit size.
        uint32_t cursor = static_cast<uint32_t>(at_.position());
        if (!at_.advance(4)) {
            return false;
        }
        vexlReadLong(buffer_, size_, cursor, value);
        return true;
    }
    [[nodiscard]] bool skip(uint64_t bytes) { return at_.advance(bytes); }
    [[nodiscard]] bool skip(uint64_t count, uint64_t width) { return at_.advance(count, width); }
    uint32_t offset() const { return static_cast<uint32_t>(at_.position()); }

  private:
    const uint8_t* const& buffer_;
    const uint32_t& size_;
    SurveyPosition at_;
};

bool fitsRecord(uint64_t count) {
    return count <= mdl::kMaxRecordCount;
}

bool surveySkins(SurveyWalk& walk, const ModelHeader& header, ModelLayout& layout) {
    uint64_t groupPictures = 0;
    for (uint32_t i = 0; i < header.skinCount; ++i) {
        uint32_t group = 0;
        if (!walk.readLong(group)) {
            return false;
        }
        if (group == 0) {
            if (!walk.skip(layout.pictureBytes)) {
                return false;
            }
            continue;
        }
        uint32_t pictures = 0;
        if (!walk.readLong(pictures)) {
            return false;
        }
        groupPictures += pictures;
        if (!fitsRecord(header.skinCount + groupPictures) ||
            !walk.skip(pictures, uint64_t{mdl::kIntervalSize} + layout.pictureBytes)) {
            return false;
        }
    }
    layout.groupSkinCount = static_cast<uint32_t>(groupPictures);
    return true;
}

bool surveyTexCoords(SurveyWalk& walk, const ModelHeader& header, ModelLayout& layout) {
    uint32_t seams = 0;
    for (uint32_t v = 0; v < header.vertexCount; ++v) {
        uint32_t onSeam = 0;
        if (!walk.readLong(onSeam) || !walk.skip(mdl::kTexCoordSize - mdl::kFlagSize)) {
            return false;
        }
        seams += onSeam != 0 ? 1 : 0;
    }
    layout.seamVertexCount = seams;
    return fitsRecord(uint64_t{header.vertexCount} + seams);
}

// Indices are looked up in the seam map and stored in 16 bits, so each must
// name one of the data's vertices.
bool surveyTriangles(SurveyWalk& walk, const ModelHeader& header) {
    for (uint32_t i = 0; i < header.triangleCount; ++i) {
        if (!walk.skip(mdl::kFlagSize)) {
            return false;
        }
        for (int corner = 0; corner < 3; ++corner) {
            uint32_t index = 0;
            if (!walk.readLong(index) || index >= header.vertexCount) {
                return false;
            }
        }
    }
    return true;
}

bool surveyFrames(SurveyWalk& walk, const ModelHeader& header, ModelLayout& layout) {
    const uint64_t simpleFrame =
        mdl::kSimpleFrameHead + uint64_t{mdl::kPackedVertexSize} * header.vertexCount;
    uint64_t extraFrames = 0;
    for (uint32_t i = 0; i < header.frameCount; ++i) {
        uint32_t group = 0;
        if (!walk.readLong(group)) {
            return false;
        }
        if (group == 0) {
            if (!walk.skip(simpleFrame)) {
                return false;
            }
            continue;
        }
        uint32_t frames = 0;
        if (!walk.readLong(frames) || frames == 0) {
            return false;
        }
        extraFrames += frames - 1;
        if (!fitsRecord(header.frameCount + extraFrames) || !walk.skip(mdl::kGroupBoundsSize) ||
            !walk.skip(frames, mdl::kIntervalSize + simpleFrame)) {
            return false;
        }
    }
    layout.extraFrameCount = static_cast<uint32_t>(extraFrames);
    return true;
}

} // namespace

int32_t readModelHeader(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                        ModelHeader& header) {
    bool taken = false;
    if (vexlReadField(buffer, size, cursor, mdl::kMagicSize, taken) != mdl::kMagic) {
        return status::kNotModel;
    }
    int32_t version = 0;
    vexlReadLong(buffer, size, cursor, version);
    if (version != mdl::kVersion) {
        return status::kModelVersion;
    }
    vexlReadVec3(buffer, size, cursor, header.scale);
    vexlReadVec3(buffer, size, cursor, header.translate);
    float boundingRadius = 0;
    VEXLVECTOR_T eyePosition{};
    vexlReadFloat(buffer, size, cursor, boundingRadius);
    vexlReadVec3(buffer, size, cursor, eyePosition);

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
        vexlReadLong(buffer, size, cursor, header.*count.field);
        if (header.*count.field == 0) {
            return count.statusIfZero;
        }
    }
    float sizeField = 0;
    vexlReadLong(buffer, size, cursor, header.syncType);
    vexlReadLong(buffer, size, cursor, header.flags);
    vexlReadFloat(buffer, size, cursor, sizeField);
    return status::kOk;
}

bool surveyModel(const uint8_t* const& buffer, const uint32_t& size, const ModelHeader& header,
                 uint32_t skinOffset, ModelLayout& layout) {
    if (!fitsRecord(header.skinCount) || !fitsRecord(header.vertexCount) ||
        !fitsRecord(header.triangleCount) || !fitsRecord(header.frameCount) ||
        !checkedMul(header.skinWidth, header.skinHeight, layout.pictureBytes)) {
        return false;
    }
    SurveyWalk walk(buffer, size, skinOffset);
    layout.skinOffset = skinOffset;
    if (!surveySkins(walk, header, layout)) {
        return false;
    }
    layout.texCoordOffset = walk.offset();
    if (!surveyTexCoords(walk, header, layout)) {
        return false;
    }
    layout.triangleOffset = walk.offset();
    if (!surveyTriangles(walk, header)) {
        return false;
    }
    layout.frameDataOffset = walk.offset();
    return surveyFrames(walk, header, layout);
}

} // namespace vexl
