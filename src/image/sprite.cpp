// Loading runs in two passes over the frame entries: the first counts the
// slots (one per picture, plus one empty slot per group entry) so that the
// arrays are allocated at their final size, the second fills them.
//
// Sprite data comes from anywhere, so the counting pass also measures what
// the entries declare, in 64 bits, without trusting any count: every entry
// takes at least 4 bytes, every picture header 16, every interval 4, every
// pixel one. When that measure runs more than kMaxShortfall bytes past the
// end of the data the sprite is refused with status 50. Hence for n bytes of
// data: the passes take at most (n + kMaxShortfall) / 4 steps; there are at
// most (n + kMaxShortfall) / 8 slots, 28 bytes of arrays each plus one pixel
// block; and the pixel blocks hold at most n + kMaxShortfall bytes in all
// (plus one byte per empty picture). Also refused with 50, the record left
// empty: a group of more than 65534 pictures, a picture or slot count beyond
// 32 bits, and any block the heap will not give. A file cut short inside its last picture loads,
// the missing pixels zero; entries or picture headers past the end read as zero (empty pictures at
// origin 0).

#include "image/sprite.hpp"

#include "frame/blocks.hpp"
#include "frame/checked.hpp"
#include "frame/reader.hpp"
#include "frame/status.hpp"
#include "image/picture.hpp"
#include "vexalkit/counts.hpp"

#include <limits>
#include <string_view>

namespace vexl {
namespace {

struct SpriteData {
    const uint8_t* const& data;
    const uint32_t& size;
};

struct Header {
    uint32_t type = 0;
    uint32_t syncType = 0;
    uint32_t frameCount = 0;
};

// The kind of a frame entry and how many pictures it holds.
struct FrameLead {
    bool group = false;
    uint32_t pictureCount = 0;
};

struct PictureHeader {
    int32_t originX = 0;
    int32_t originY = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint64_t pixelCount() const { return static_cast<uint64_t>(width) * height; }
};

int32_t readHeader(SpriteData in, uint32_t& cursor, Header& header) {
    bool taken = false;
    const std::string_view magic =
        vexlReadField(in.data, in.size, cursor, sprite::kMagicSize, taken);
    if (magic != sprite::kMagic) {
        return status::kSpriteBadMagic;
    }
    uint32_t version = 0;
    vexlReadLong(in.data, in.size, cursor, version);
    if (version != sprite::kVersion) {
        return status::kSpriteVersion;
    }
    vexlReadLong(in.data, in.size, cursor, header.type);
    float boundingRadius = 0;
    vexlReadFloat(in.data, in.size, cursor, boundingRadius);
    uint32_t width = 0;
    uint32_t height = 0;
    vexlReadLong(in.data, in.size, cursor, width);
    if (width == 0) {
        return status::kSpriteWidth;
    }
    vexlReadLong(in.data, in.size, cursor, height);
    if (height == 0) {
        return status::kSpriteHeight;
    }
    vexlReadLong(in.data, in.size, cursor, header.frameCount);
    if (header.frameCount == 0) {
        return status::kSpriteNoFrame;
    }
    vexlSkip(in.size, cursor, sprite::kUnreadHeaderField);
    vexlReadLong(in.data, in.size, cursor, header.syncType);
    return status::kOk;
}

FrameLead readFrameLead(SpriteData in, uint32_t& cursor) {
    uint32_t kind = 0;
    vexlReadLong(in.data, in.size, cursor, kind);
    if (kind == sprite::kKindSingle) {
        return {false, 1};
    }
    FrameLead lead{true, 0};
    vexlReadLong(in.data, in.size, cursor, lead.pictureCount);
    return lead;
}

PictureHeader readPictureHeader(SpriteData in, uint32_t& cursor) {
    PictureHeader header;
    vexlReadLong(in.data, in.size, cursor, header.originX);
    vexlReadLong(in.data, in.size, cursor, header.originY);
    vexlReadLong(in.data, in.size, cursor, header.width);
    vexlReadLong(in.data, in.size, cursor, header.height);
    return header;
}

// Measures one picture; false when the data cannot back it.
bool surveyPicture(SpriteData in, uint32_t& cursor, SurveyPosition& survey) {
    const PictureHeader header = readPictureHeader(in, cursor);
    const uint64_t pixels = header.pixelCount();
    if (pixels > std::numeric_limits<uint32_t>::max() ||
        !survey.advance(sprite::kPictureHeaderSize) || !survey.advance(pixels)) {
        return false;
    }
    vexlSkip(in.size, cursor, pixels);
    return true;
}

// The counting pass: reads exactly what the filling pass will read, from the
// same cursor, so both see the same counts. False when the sprite is refused.
bool countSlots(SpriteData in, uint32_t cursor, uint32_t frameCount, uint32_t& groupPictureCount) {
    SurveyPosition survey(cursor, static_cast<uint64_t>(in.size) + sprite::kMaxShortfall);
    uint64_t groupPictures = 0;
    for (uint32_t frame = 0; frame < frameCount; ++frame) {
        const FrameLead lead = readFrameLead(in, cursor);
        if (!survey.advance(sprite::kKindSize)) {
            return false;
        }
        if (lead.group) {
            if (lead.pictureCount > sprite::kMaxGroupPictures ||
                !survey.advance(sprite::kGroupCountSize) ||
                !survey.advance(lead.pictureCount, sprite::kIntervalSize)) {
                return false;
            }
            groupPictures += lead.pictureCount;
            vexlSkip(in.size, cursor,
                     static_cast<uint64_t>(lead.pictureCount) * sprite::kIntervalSize);
        }
        for (uint32_t i = 0; i < lead.pictureCount; ++i) {
            if (!surveyPicture(in, cursor, survey)) {
                return false;
            }
        }
    }
    uint64_t slots = 0;
    if (!checkedAdd<uint64_t>(frameCount, groupPictures, slots) ||
        slots > std::numeric_limits<uint32_t>::max()) {
        return false;
    }
    groupPictureCount = static_cast<uint32_t>(groupPictures);
    return true;
}

bool allocateSlots(VEXLSPRITE_T& sprite) {
    const uint64_t slots = vexalkit::spriteSlots(sprite);
    sprite.pictures = allocBlock<VEXLPICTURE_T>(slots);
    sprite.originX = allocBlock<int32_t>(slots);
    sprite.originY = allocBlock<int32_t>(slots);
    sprite.intervals = allocBlock<float>(slots);
    return sprite.pictures != nullptr && sprite.originX != nullptr && sprite.originY != nullptr &&
           sprite.intervals != nullptr;
}

bool fillPicture(SpriteData in, uint32_t& cursor, VEXLSPRITE_T& sprite, uint32_t slot) {
    const PictureHeader header = readPictureHeader(in, cursor);
    sprite.originX[slot] = header.originX;
    sprite.originY[slot] = header.originY;
    VEXLPICTURE_T& picture = sprite.pictures[slot];
    // The counting pass bounded this block (see the top of this file).
    picture.pixels = allocBlock<uint8_t>(header.pixelCount());
    if (picture.pixels == nullptr) {
        return false;
    }
    picture.width = header.width;
    picture.height = header.height;
    vexlReadBytes(in.data, in.size, cursor, picture.pixels,
                  static_cast<uint32_t>(header.pixelCount()));
    return true;
}

// The filling pass. A group's j-th interval goes to the slot of its j-th
// picture, so the intervals stay parallel to the other arrays.
bool fillSlots(SpriteData in, uint32_t cursor, VEXLSPRITE_T& sprite) {
    const uint64_t slots = vexalkit::spriteSlots(sprite);
    uint32_t slot = 0;
    for (uint32_t frame = 0; frame < sprite.frameCount; ++frame) {
        const FrameLead lead = readFrameLead(in, cursor);
        if (slot + static_cast<uint64_t>(lead.pictureCount) > slots) {
            return false; // cannot happen: both passes read the same counts
        }
        if (lead.group) {
            for (uint32_t j = 0; j < lead.pictureCount; ++j) {
                vexlReadFloat(in.data, in.size, cursor, sprite.intervals[slot + j]);
            }
        }
        for (uint32_t i = 0; i < lead.pictureCount; ++i) {
            if (!fillPicture(in, cursor, sprite, slot)) {
                return false;
            }
            ++slot;
        }
    }
    return true;
}

} // namespace

void spriteKill(VEXLSPRITE_T& sprite) {
    if (sprite.pictures != nullptr) {
        const uint64_t slots = vexalkit::spriteSlots(sprite);
        for (uint64_t slot = 0; slot < slots; ++slot) {
            pictureKill(sprite.pictures[slot]);
        }
        freeBlock(sprite.pictures);
    }
    freeBlock(sprite.intervals);
    freeBlock(sprite.originX);
    freeBlock(sprite.originY);
    sprite.type = 0;
    sprite.syncType = 0;
    sprite.frameCount = 0;
    sprite.groupPictureCount = 0;
}

int32_t spriteLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLSPRITE_T& sprite) {
    if (buffer == nullptr || size == 0) {
        return status::kNoMemoryPointer;
    }
    spriteKill(sprite);
    const SpriteData in{buffer, size};
    uint32_t cursor = 0;
    Header header;
    const int32_t headerStatus = readHeader(in, cursor, header);
    if (headerStatus != status::kOk) {
        return headerStatus;
    }
    const uint32_t framesStart = cursor;
    uint32_t groupPictureCount = 0;
    if (!countSlots(in, framesStart, header.frameCount, groupPictureCount)) {
        return status::kSpriteBadMagic;
    }
    sprite.frameCount = header.frameCount;
    sprite.groupPictureCount = groupPictureCount;
    if (!allocateSlots(sprite) || !fillSlots(in, framesStart, sprite)) {
        spriteKill(sprite);
        return status::kSpriteBadMagic;
    }
    sprite.type = static_cast<uint8_t>(header.type);
    sprite.syncType = static_cast<uint8_t>(header.syncType);
    return status::kOk;
}

} // namespace vexl
