// The model loader on a model of 2,000 vertices (200 on the seam), 4,000
// triangles (half of them back-facing), one 256 x 256 skin and 500 frames.
// Its record is over three times the size of its input (every frame's
// positions unpacked to floats, seam copies included), so the floor, not a
// copy of the input, is what it is measured against.
#include "harness.hpp"
#include "writers/model_writer.hpp"

#include "vexalkit.hpp"

namespace vexl::bench {
namespace {

using writers::ModelWriter;
using writers::PackedVertex;
using writers::SimpleFrame;

constexpr uint32_t kVertices = 2000;
constexpr uint32_t kSeamEvery = 10; // 200 of them on the seam
constexpr uint32_t kTriangles = 4000;
constexpr uint32_t kSkinSide = 256;
constexpr uint32_t kFrames = 500;
constexpr uint32_t kHeaderBytes = 84;
constexpr uint32_t kSkinFlagBytes = 4;

const Bytes& modelInput() {
    static const Bytes bytes = [] {
        ModelWriter model(kSkinSide, kSkinSide);
        model.scale(0.25f, 0.25f, 0.5f).translate(-32.0f, -32.0f, -24.0f);
        Bytes skin(kSkinSide * kSkinSide);
        for (size_t i = 0; i < skin.size(); ++i) {
            skin[i] = static_cast<uint8_t>(i * 7 + i / kSkinSide);
        }
        model.skin(skin);
        for (uint32_t v = 0; v < kVertices; ++v) {
            model.texCoord(v * 7 % kSkinSide, v * 13 % kSkinSide, v % kSeamEvery == 0);
        }
        for (uint32_t i = 0; i < kTriangles; ++i) {
            model.triangle(i % kVertices, (i + 1) % kVertices, (i + 7) % kVertices, i % 2 == 0);
        }
        for (uint32_t f = 0; f < kFrames; ++f) {
            SimpleFrame frame{"walk" + std::to_string(f), {}};
            for (uint32_t v = 0; v < kVertices; ++v) {
                const uint32_t mix = v * 2654435761u + f * 40503u;
                frame.vertices.push_back(
                    {static_cast<uint8_t>(mix >> 8), static_cast<uint8_t>(mix >> 16),
                     static_cast<uint8_t>(mix >> 24), static_cast<uint8_t>(v % 162)});
            }
            model.frame(frame);
        }
        return model.build();
    }();
    return bytes;
}

void registerModelCases() {
    addVariant("model", "lib", [] {
        const Bytes& bytes = modelInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const data = bytes.data();
            const auto size = static_cast<uint32_t>(bytes.size());
            VEXLMODEL_T model{};
            benchmark::DoNotOptimize(vexlModelLoad(data, size, model));
            vexlModelKill(model);
        });
    });
    // Every array of the record; only the skin's pixels come straight from
    // the input.
    addFloor("model", modelInput, [](const Bytes& bytes) {
        const uint64_t slots = kVertices + kVertices / kSeamEvery;
        return std::vector<Block>{
            {sizeof(VEXLPICTURE_T), nullptr},
            {kSkinSide * kSkinSide, bytes.data() + kHeaderBytes + kSkinFlagBytes},
            {slots * sizeof(uint32_t), nullptr},
            {slots * sizeof(VEXLVECTOR_T), nullptr},
            {kTriangles * sizeof(VEXLTRIANGLE_T), nullptr},
            {kFrames * 16, nullptr},
            {kFrames, nullptr},
            {slots * kFrames * sizeof(VEXLVECTOR_T), nullptr},
        };
    });
    addInputCopy("model", modelInput);
}

const Registrar registrar(registerModelCases);

} // namespace
} // namespace vexl::bench
