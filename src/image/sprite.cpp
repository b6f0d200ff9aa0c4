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
#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "image/picture.hpp"
#include "vexalkit/counts.hpp"

#include <cassert>
#include <limits>
#include <string_view>

namespace vexl {
namespace {

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

int32_t readHeader(ByteCursor& in, Header& header) {
    if (in.readText(sprite::kMagicSize) != sprite::kMagic) {
        return status::kSpriteBadMagic;
    }
    if (in.readLong() != sprite::kVersion) {
        return status::kSpriteVersion;
    }
    in.readLong(header.type);
    float boundingRadius = 0;
    in.readFloat(boundingRadius);
    if (in.readLong() == 0) {
        return status::kSpriteWidth;
    }
    if (in.readLong() == 0) {
        return status::kSpriteHeight;
    }
    in.readLong(header.frameCount);
    if (header.frameCount == 0) {
        return status::kSpriteNoFrame;
    }
    in.skip(sprite::kUnreadHeaderField);
    in.readLong(header.syncType);
    return status::kOk;
}

FrameLead readFrameLead(ByteCursor& in) {
    if (in.readLong() == sprite::kKindSingle) {
        return {false, 1};
    }
    return {true, in.readLong()};
}

PictureHeader readPictureHeader(ByteCursor& in) {
    PictureHeader header;
    in.readLong(header.originX);
    in.readLong(header.originY);
    in.readLong(header.width);
    in.readLong(header.height);
    return header;
}

// Measures one picture; false when the data cannot back it.
bool surveyPicture(ByteCursor& in, SurveyPosition& survey) {
    const PictureHeader header = readPictureHeader(in);
    const uint64_t pixels = header.pixelCount();
    if (pixels > std::numeric_limits<uint32_t>::max() ||
        !survey.advance(sprite::kPictureHeaderSize) || !survey.advance(pixels)) {
        return false;
    }
    in.skip(pixels);
    return true;
}

// The counting pass: reads exactly what the filling pass will read, from its
// own copy of the same cursor, so both see the same counts. False when the
// sprite is refused.
bool countSlots(ByteCursor in, uint32_t frameCount, uint32_t& groupPictureCount) {
    SurveyPosition survey(in.position(), uint64_t{in.size()} + sprite::kMaxShortfall);
    uint64_t groupPictures = 0;
    for (uint32_t frame = 0; frame < frameCount; ++frame) {
        const FrameLead lead = readFrameLead(in);
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
            in.skip(uint64_t{lead.pictureCount} * sprite::kIntervalSize);
        }
        for (uint32_t i = 0; i < lead.pictureCount; ++i) {
            if (!surveyPicture(in, survey)) {
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

bool fillPicture(ByteCursor& in, VEXLSPRITE_T& sprite, uint32_t slot) {
    const PictureHeader header = readPictureHeader(in);
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
    in.readBytes(picture.pixels, static_cast<uint32_t>(header.pixelCount()));
    return true;
}

// The filling pass. A group's j-th interval goes to the slot of its j-th
// picture, so the intervals stay parallel to the other arrays.
bool fillSlots(ByteCursor in, VEXLSPRITE_T& sprite) {
    uint32_t slot = 0;
    for (uint32_t frame = 0; frame < sprite.frameCount; ++frame) {
        const FrameLead lead = readFrameLead(in);
        // Both passes read the same counts, which the arrays were sized for.
        assert(slot + uint64_t{lead.pictureCount} <= vexalkit::spriteSlots(sprite));
        if (lead.group) {
            for (uint32_t j = 0; j < lead.pictureCount; ++j) {
                in.readFloat(sprite.intervals[slot + j]);
            }
        }
        for (uint32_t i = 0; i < lead.pictureCount; ++i) {
            if (!fillPicture(in, sprite, slot)) {
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
    ByteCursor in(buffer, size);
    Header header;
    const int32_t headerStatus = readHeader(in, header);
    if (headerStatus != status::kOk) {
        return headerStatus;
    }
    uint32_t groupPictureCount = 0;
    if (!countSlots(in, header.frameCount, groupPictureCount)) {
        return status::kSpriteUnbacked;
    }
    sprite.frameCount = header.frameCount;
    sprite.groupPictureCount = groupPictureCount;
    if (!allocateSlots(sprite) || !fillSlots(in, sprite)) {
        spriteKill(sprite);
        return status::kSpriteNoMemory;
    }
    sprite.type = static_cast<uint8_t>(header.type);
    sprite.syncType = static_cast<uint8_t>(header.syncType);
    return status::kOk;
}

} // namespace vexl
