// Smooth vertex normals from triangles, for models shaded smoothly.
#pragma once

#include <cstdint>
#include <vector>

namespace vexl::cli {

// Unit normals (x, y, z per vertex slot) for `positions` (x, y, z per slot):
// each the sum of the normals of the triangles around it, weighted by their
// areas. `owner[slot]` is the slot whose normal a slot shares: a back-side
// seam copy shares its original's, so both sides of the seam shade alike.
// Triangles wind counter-clockwise seen from outside. A slot no triangle
// touches (or only flat ones) gets +Y.
std::vector<float> smoothNormals(const std::vector<float>& positions,
                                 const std::vector<uint32_t>& indices,
                                 const std::vector<uint32_t>& owner);

} // namespace vexl::cli
