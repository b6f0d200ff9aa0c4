// The records' layout as 32-bit callers see it: every pointer 4 bytes, every
// field at its natural alignment. Only the 32-bit builds can check it, and
// they check it while compiling.
#include "vexalkit.hpp"

#include <cstddef>
#include <cstdint>

#if UINTPTR_MAX == 0xFFFFFFFFu

static_assert(sizeof(FBSTRING) == 12 && offsetof(FBSTRING, length) == 4 &&
              offsetof(FBSTRING, capacity) == 8);
static_assert(sizeof(VEXLPACKENTRY_T) == 76 && offsetof(VEXLPACKENTRY_T, filePos) == 64 &&
              offsetof(VEXLPACKENTRY_T, valid) == 72);
static_assert(sizeof(VEXLPACKINFO_T) == 24 && offsetof(VEXLPACKINFO_T, dirOffset) == 8 &&
              offsetof(VEXLPACKINFO_T, entries) == 20);
static_assert(sizeof(VEXLWADENTRY_T) == 36 && offsetof(VEXLWADENTRY_T, filePos) == 20 &&
              offsetof(VEXLWADENTRY_T, entryType) == 32 &&
              offsetof(VEXLWADENTRY_T, compression) == 33);
static_assert(sizeof(VEXLWADINFO_T) == 24);
static_assert(sizeof(VEXLPALETTE_T) == 16 && offsetof(VEXLPALETTE_T, colorMapRows) == 4 &&
              offsetof(VEXLPALETTE_T, colorMap) == 8 && offsetof(VEXLPALETTE_T, colors) == 12);
static_assert(sizeof(VEXLPICTURE_T) == 12 && offsetof(VEXLPICTURE_T, pixels) == 8);
static_assert(sizeof(VEXLSPRITE_T) == 28 && offsetof(VEXLSPRITE_T, syncType) == 1 &&
              offsetof(VEXLSPRITE_T, frameCount) == 4 && offsetof(VEXLSPRITE_T, originX) == 12 &&
              offsetof(VEXLSPRITE_T, pictures) == 24);
static_assert(sizeof(VEXLVECTOR_T) == 12);
static_assert(sizeof(VEXLTRIANGLE_T) == 20 && offsetof(VEXLTRIANGLE_T, reserved) == 6);
static_assert(sizeof(VEXLMODEL_T) == 72 && offsetof(VEXLMODEL_T, dataSize) == 16 &&
              offsetof(VEXLMODEL_T, syncType) == 24 && offsetof(VEXLMODEL_T, skinCount) == 28 &&
              offsetof(VEXLMODEL_T, groupSkinCount) == 30 && offsetof(VEXLMODEL_T, skins) == 32 &&
              offsetof(VEXLMODEL_T, frameCount) == 36 &&
              offsetof(VEXLMODEL_T, extraFrameCount) == 38 &&
              offsetof(VEXLMODEL_T, frameNames) == 40 &&
              offsetof(VEXLMODEL_T, frameGroupSizes) == 44 &&
              offsetof(VEXLMODEL_T, vertexCount) == 48 &&
              offsetof(VEXLMODEL_T, triangleCount) == 50 &&
              offsetof(VEXLMODEL_T, triangles) == 52 && offsetof(VEXLMODEL_T, seamMap) == 56 &&
              offsetof(VEXLMODEL_T, texCoords) == 60 && offsetof(VEXLMODEL_T, vertices) == 64 &&
              offsetof(VEXLMODEL_T, seamVertexCount) == 68);

#endif
