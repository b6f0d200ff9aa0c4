// The model as binary glTF: valid, complete, Y up and wound outward.
#include "tool_run.hpp"
#include "vexalkit_cpp.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vexl::testing {
namespace {

using nlohmann::json;

class ToolGltfTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model_ = vexalkit::Model::load(sampleArchive().string(), "progs/creature.mdl");
        const ToolRun written = runTool("gltf progs/creature.mdl --pak '" +
                                            sampleArchive().string() + "' -o creature.glb",
                                        work_.path());
        ASSERT_EQ(written.exitCode, 0) << written.err;
        glb_ = readGlb(work_.path() / "creature.glb");
    }
    uint32_t slots() const { return model_.vertexSlots(); }
    uint32_t frames() const { return model_.frameCount(); }
    const json& primitive() const { return glb_.document["meshes"][0]["primitives"][0]; }

    TempDir work_;
    vexalkit::Model model_;
    Glb glb_;
};

TEST_F(ToolGltfTest, PassesTheValidatorWithoutErrors) {
    const auto report = validatorReport(work_.path() / "creature.glb", work_.path());
    if (!report) {
        GTEST_SKIP() << "gltf-validator is not installed: the npm registry was unreachable";
    }
    EXPECT_EQ(report->rfind("errors 0 ", 0), 0U) << *report;
}

TEST_F(ToolGltfTest, AccessorCountsFollowTheModel) {
    const json& accessors = glb_.document["accessors"];
    const json& attributes = primitive()["attributes"];
    EXPECT_EQ(accessors[attributes["POSITION"].get<int>()]["count"], slots());
    EXPECT_EQ(accessors[attributes["TEXCOORD_0"].get<int>()]["count"], slots());
    EXPECT_EQ(accessors[primitive()["indices"].get<int>()]["count"], 3 * model_.triangles().size());
    ASSERT_EQ(primitive()["targets"].size(), frames());
    EXPECT_EQ(glb_.document["meshes"][0]["weights"].size(), frames());
    const json& animations = glb_.document["animations"];
    ASSERT_EQ(animations.size(), 2U);
    EXPECT_EQ(animations[0]["name"], "stand");
    EXPECT_EQ(animations[1]["name"], "run");
    const int output = animations[1]["samplers"][0]["output"].get<int>();
    const int input = animations[1]["samplers"][0]["input"].get<int>();
    EXPECT_EQ(accessors[output]["count"].get<uint32_t>(),
              accessors[input]["count"].get<uint32_t>() * frames());
}

TEST_F(ToolGltfTest, EveryTargetReproducesItsFrameWithYUp) {
    const std::vector<float> base = glb_.floats(primitive()["attributes"]["POSITION"].get<int>());
    for (uint32_t k = 0; k < frames(); ++k) {
        const std::vector<float> delta =
            glb_.floats(primitive()["targets"][k]["POSITION"].get<int>());
        for (uint32_t v = 0; v < slots(); ++v) {
            const VEXLVECTOR_T& p = model_.frame(k)[v];
            // The data's z (up) is glTF's y; its x (forward) is glTF's z.
            EXPECT_NEAR(base[3 * v] + delta[3 * v], p.y, 1e-4) << k << " " << v;
            EXPECT_NEAR(base[3 * v + 1] + delta[3 * v + 1], p.z, 1e-4) << k << " " << v;
            EXPECT_NEAR(base[3 * v + 2] + delta[3 * v + 2], p.x, 1e-4) << k << " " << v;
        }
    }
}

// Normals are unit length in every frame, lean the way the faces around
// them point, and a seam copy shades as the vertex it copies.
TEST_F(ToolGltfTest, EveryFrameHasSmoothOutwardNormalsSharedAcrossTheSeam) {
    const std::vector<float> base = glb_.floats(primitive()["attributes"]["NORMAL"].get<int>());
    const std::vector<float> positions =
        glb_.floats(primitive()["attributes"]["POSITION"].get<int>());
    ASSERT_EQ(base.size(), 3U * slots());
    for (uint32_t k = 0; k < frames(); ++k) {
        const std::vector<float> delta =
            glb_.floats(primitive()["targets"][k]["NORMAL"].get<int>());
        std::vector<float> normal(base.size());
        for (size_t i = 0; i < base.size(); ++i) {
            normal[i] = base[i] + delta[i];
        }
        for (uint32_t v = 0; v < slots(); ++v) {
            const float length = std::hypot(normal[3 * v], normal[3 * v + 1], normal[3 * v + 2]);
            EXPECT_NEAR(length, 1.0F, 1e-4) << k << " " << v;
        }
        for (uint32_t v = 0; v < model_.record().vertexCount; ++v) {
            const uint32_t copy = model_.seamMap()[v];
            for (uint32_t c = 0; copy != 0 && c < 3; ++c) {
                EXPECT_FLOAT_EQ(normal[3 * copy + c], normal[3 * v + c]) << k << " " << v;
            }
        }
    }
    // The triangles wind counter-clockwise from outside: their corners'
    // normals lean the way their faces point.
    const std::vector<uint32_t> indices = glb_.indices(primitive()["indices"].get<int>());
    size_t agreeing = 0;
    for (size_t t = 0; t < indices.size(); t += 3) {
        const float* a = &positions[3 * indices[t]];
        const float* b = &positions[3 * indices[t + 1]];
        const float* c = &positions[3 * indices[t + 2]];
        const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float face[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2],
                               u[0] * w[1] - u[1] * w[0]};
        float dot = 0;
        for (size_t corner = 0; corner < 3; ++corner) {
            for (uint32_t axis = 0; axis < 3; ++axis) {
                dot += face[axis] * base[3 * indices[t + corner] + axis];
            }
        }
        agreeing += dot > 0 ? 1 : 0;
    }
    EXPECT_GT(agreeing * 10, indices.size() / 3 * 9);
}

TEST_F(ToolGltfTest, TexCoordsHaveTheirOriginAtTheTopLeft) {
    const std::vector<float> uv = glb_.floats(primitive()["attributes"]["TEXCOORD_0"].get<int>());
    for (uint32_t v = 0; v < slots(); ++v) {
        EXPECT_FLOAT_EQ(uv[2 * v], model_.texCoords()[v].x);
        // The loader's t counts from the bottom; glTF's v from the top.
        EXPECT_NEAR(uv[2 * v + 1], 1.0F - model_.texCoords()[v].y, 1e-6);
    }
}

TEST_F(ToolGltfTest, ClosedModelEnclosesAPositiveVolumeStandingUp) {
    const std::vector<float> p = glb_.floats(primitive()["attributes"]["POSITION"].get<int>());
    const std::vector<uint32_t> indices = glb_.indices(primitive()["indices"].get<int>());
    // Triangles counter-clockwise from outside add up to a positive volume.
    double volume = 0;
    for (size_t t = 0; t < indices.size(); t += 3) {
        const float* a = &p[3 * indices[t]];
        const float* b = &p[3 * indices[t + 1]];
        const float* c = &p[3 * indices[t + 2]];
        volume += (a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                   a[2] * (b[0] * c[1] - b[1] * c[0])) /
                  6.0;
    }
    EXPECT_GT(volume, 1000.0);
    // Standing: the creature is taller (glTF y) than it is wide (glTF x).
    double low[3] = {1e9, 1e9, 1e9};
    double high[3] = {-1e9, -1e9, -1e9};
    for (size_t i = 0; i < p.size(); ++i) {
        low[i % 3] = std::min<double>(low[i % 3], p[i]);
        high[i % 3] = std::max<double>(high[i % 3], p[i]);
    }
    EXPECT_GT(high[1] - low[1], high[0] - low[0]);
    EXPECT_GT(high[2] - low[2], high[1] - low[1]); // longer than tall: it faces +z
}

} // namespace
} // namespace vexl::testing
