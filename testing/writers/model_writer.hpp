// Builds model data ("IDPO", version 6) section by section. Each adding
// call also counts its entry in the header; tests that need a forged header
// change `header` after adding the sections.
#pragma once

#include "writers/byte_writer.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexl::writers {

struct PackedVertex {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t z = 0;
    uint8_t normal = 0;
};

struct SimpleFrame {
    std::string name;
    std::vector<PackedVertex> vertices;
};

struct ModelHeaderFields {
    std::string magic = "IDPO";
    int32_t version = 6;
    float scale[3] = {1.0f, 1.0f, 1.0f};
    float translate[3] = {0.0f, 0.0f, 0.0f};
    float boundingRadius = 1.0f;
    float eyePosition[3] = {0.0f, 0.0f, 0.0f};
    uint32_t skinCount = 0;
    uint32_t skinWidth = 0;
    uint32_t skinHeight = 0;
    uint32_t vertexCount = 0;
    uint32_t triangleCount = 0;
    uint32_t frameCount = 0;
    int32_t syncType = 0;
    int32_t flags = 0;
    float size = 1.0f;
};

class ModelWriter {
  public:
    ModelHeaderFields header;

    ModelWriter(uint32_t skinWidth, uint32_t skinHeight) {
        header.skinWidth = skinWidth;
        header.skinHeight = skinHeight;
    }

    ModelWriter& scale(float x, float y, float z) {
        header.scale[0] = x;
        header.scale[1] = y;
        header.scale[2] = z;
        return *this;
    }
    ModelWriter& translate(float x, float y, float z) {
        header.translate[0] = x;
        header.translate[1] = y;
        header.translate[2] = z;
        return *this;
    }

    // A single skin: group flag 0, then the pixels as given.
    ModelWriter& skin(const Bytes& pixels) {
        skins_.u32(0).bytes(pixels);
        ++header.skinCount;
        return *this;
    }
    // A skin group: its picture count (the pictures' number unless
    // `declaredCount` says otherwise), one interval per picture, the pictures.
    ModelWriter& skinGroup(const std::vector<Bytes>& pictures, int64_t declaredCount = -1) {
        const auto count =
            static_cast<uint32_t>(declaredCount < 0 ? pictures.size() : declaredCount);
        skins_.u32(1).u32(count);
        for (size_t i = 0; i < pictures.size(); ++i) {
            skins_.f32(0.1f * static_cast<float>(i + 1));
        }
        for (const Bytes& picture : pictures) {
            skins_.bytes(picture);
        }
        ++header.skinCount;
        return *this;
    }

    // One vertex's texture coordinate, in pixels.
    ModelWriter& texCoord(uint32_t s, uint32_t t, bool onSeam = false) {
        texCoords_.u32(onSeam ? 1 : 0).u32(s).u32(t);
        ++header.vertexCount;
        return *this;
    }

    ModelWriter& triangle(uint32_t a, uint32_t b, uint32_t c, bool facesFront = true) {
        triangles_.u32(facesFront ? 1 : 0).u32(a).u32(b).u32(c);
        ++header.triangleCount;
        return *this;
    }

    ModelWriter& frame(const SimpleFrame& frame) {
        frames_.u32(0);
        simpleFrame(frame);
        ++header.frameCount;
        return *this;
    }
    // A frame group: its frame count (the frames' number unless
    // `declaredCount` says otherwise), bounds, one interval per frame, frames.
    ModelWriter& frameGroup(const std::vector<SimpleFrame>& frames, int64_t declaredCount = -1) {
        const auto count = static_cast<uint32_t>(declaredCount < 0 ? frames.size() : declaredCount);
        frames_.u32(1).u32(count);
        packed(PackedVertex{}).packed(PackedVertex{255, 255, 255, 0});
        for (size_t i = 0; i < frames.size(); ++i) {
            frames_.f32(0.1f * static_cast<float>(i + 1));
        }
        for (const SimpleFrame& frame : frames) {
            simpleFrame(frame);
        }
        ++header.frameCount;
        return *this;
    }

    Bytes build() const {
        ByteWriter out;
        out.field(header.magic, 4).i32(header.version);
        vec3(out, header.scale);
        vec3(out, header.translate);
        out.f32(header.boundingRadius);
        vec3(out, header.eyePosition);
        out.u32(header.skinCount).u32(header.skinWidth).u32(header.skinHeight);
        out.u32(header.vertexCount).u32(header.triangleCount).u32(header.frameCount);
        out.i32(header.syncType).i32(header.flags).f32(header.size);
        out.bytes(skins_.data()).bytes(texCoords_.data());
        out.bytes(triangles_.data()).bytes(frames_.data());
        return out.take();
    }

  private:
    static void vec3(ByteWriter& out, const float (&value)[3]) {
        out.f32(value[0]).f32(value[1]).f32(value[2]);
    }
    ModelWriter& packed(const PackedVertex& vertex) {
        frames_.u8(vertex.x).u8(vertex.y).u8(vertex.z).u8(vertex.normal);
        return *this;
    }
    void simpleFrame(const SimpleFrame& frame) {
        packed(PackedVertex{}).packed(PackedVertex{255, 255, 255, 0});
        frames_.field(frame.name, 16);
        for (const PackedVertex& vertex : frame.vertices) {
            packed(vertex);
        }
    }

    ByteWriter skins_;
    ByteWriter texCoords_;
    ByteWriter triangles_;
    ByteWriter frames_;
};

} // namespace vexl::writers
