// Models: the record's release, the loader, the editing operations and the
// lookup of frames by name.
//
// The record is flat: skin groups and frame groups are unrolled, every
// vertex on the texture seam has a back-side copy after the data's
// vertices, and every frame holds V unpacked positions.
#pragma once

#include "vexalkit.hpp"
#include "vexalkit/counts.hpp"

#include <cstdint>
#include <string_view>

namespace vexl {

// Skin slots S, frames F and vertex slots V of a record.
using vexalkit::frameSlots;
using vexalkit::skinSlots;
using vexalkit::vertexSlots;

// Frees every block and zeroes every count and offset; dataSize, flags and
// syncType keep their values until the next load overwrites them.
void modelKill(VEXLMODEL_T& model);

int32_t modelLoad(const uint8_t* const& buffer, const uint32_t& size, VEXLMODEL_T& model);

// byte * scale + translate per component, in double, stored as float.
void vexlUnpackVertex(VEXLVECTOR_T& position, const uint8_t (&packed)[3], const VEXLVECTOR_T& scale,
                      const VEXLVECTOR_T& translate);

void modelScale(VEXLMODEL_T& model, float factor);
void modelSkinInv(VEXLMODEL_T& model);
void modelSkinNoBack(VEXLMODEL_T& model);
void modelSwapTris(VEXLMODEL_T& model);

// The index of the first frame whose name matches, or 0 when none does.
int32_t frameNumber(const VEXLMODEL_T& model, std::string_view name);
// frameNumber × V: where that frame's positions begin in `vertices`.
uint32_t frameOffset(const VEXLMODEL_T& model, std::string_view name);

} // namespace vexl
