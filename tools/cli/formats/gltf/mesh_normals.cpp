#include "formats/gltf/mesh_normals.hpp"

#include <array>
#include <cmath>

namespace vexl::cli {
namespace {

using Vec3 = std::array<double, 3>;

Vec3 at(const std::vector<float>& positions, uint32_t slot) {
    const size_t i = size_t{slot} * 3;
    return {positions[i], positions[i + 1], positions[i + 2]};
}

Vec3 minus(const Vec3& a, const Vec3& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

// Its length is twice the triangle's area, which weights the sum.
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

} // namespace

std::vector<float> smoothNormals(const std::vector<float>& positions,
                                 const std::vector<uint32_t>& indices,
                                 const std::vector<uint32_t>& owner) {
    std::vector<Vec3> sums(owner.size(), Vec3{0, 0, 0});
    for (size_t t = 0; t + 2 < indices.size(); t += 3) {
        const Vec3 a = at(positions, indices[t]);
        const Vec3 face =
            cross(minus(at(positions, indices[t + 1]), a), minus(at(positions, indices[t + 2]), a));
        for (size_t corner = 0; corner < 3; ++corner) {
            Vec3& sum = sums[owner[indices[t + corner]]];
            for (size_t c = 0; c < 3; ++c) {
                sum[c] += face[c];
            }
        }
    }
    std::vector<float> normals;
    normals.reserve(owner.size() * 3);
    for (const uint32_t shared : owner) {
        const Vec3& sum = sums[shared];
        const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
        if (length < 1e-12) {
            normals.insert(normals.end(), {0.0F, 1.0F, 0.0F});
            continue;
        }
        for (size_t c = 0; c < 3; ++c) {
            normals.push_back(static_cast<float>(sum[c] / length));
        }
    }
    return normals;
}

} // namespace vexl::cli
