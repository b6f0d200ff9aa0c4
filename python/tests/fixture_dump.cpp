// Record dumps for the Python tests: every array exactly as the C++ layer
// sees it, so the module's views can be compared byte for byte.
#include "fixture_dump.hpp"

#include "vexalkit_cpp.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexl::pyfixtures {

namespace fs = std::filesystem;

namespace {

void writeBytes(const fs::path& file, const void* data, std::size_t size) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

template <typename T> void writeSpan(const fs::path& file, std::span<const T> values) {
    writeBytes(file, values.data(), values.size_bytes());
}

// A flat JSON object, built by hand: the values are numbers, or strings and
// lists the caller has already written as JSON.
class Meta {
  public:
    Meta& number(const std::string& key, double value) { return raw(key, formatNumber(value)); }
    Meta& raw(const std::string& key, const std::string& json) {
        text_ += (text_.empty() ? "{" : ", ") + ("\"" + key + "\": ") + json;
        return *this;
    }
    void write(const fs::path& file) const {
        const std::string json = text_ + "}\n";
        writeBytes(file, json.data(), json.size());
    }
    // Nine significant digits give every 32-bit float back exactly.
    static std::string formatNumber(double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.9g", value);
        return text;
    }

  private:
    std::string text_;
};

std::string jsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f || c == '"' || c == '\\') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

void dumpModel(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::Model model = vexalkit::Model::load(bytes);
    const VEXLMODEL_T& record = model.record();
    const std::size_t positions = std::size_t{model.frameCount()} * model.vertexSlots();
    writeSpan(folder / "vertices.bin", std::span<const VEXLVECTOR_T>(record.vertices, positions));
    writeSpan(folder / "tex_coords.bin", model.texCoords());
    std::vector<uint16_t> indices;
    for (const VEXLTRIANGLE_T& triangle : model.triangles()) {
        indices.insert(indices.end(), triangle.vertex, triangle.vertex + 3);
    }
    writeSpan(folder / "triangles.bin", std::span<const uint16_t>(indices));
    writeSpan(folder / "seam_map.bin", model.seamMap());
    writeSpan(folder / "frame_group_sizes.bin", model.frameGroupSizes());
    std::string names = "[";
    for (uint32_t frame = 0; frame < model.frameCount(); ++frame) {
        names += (frame == 0 ? "" : ", ") + jsonString(model.frameName(frame));
    }
    std::string shapes = "[";
    for (uint32_t skin = 0; skin < model.skinSlots(); ++skin) {
        const vexalkit::PictureView picture = model.skin(skin);
        writeSpan(folder / ("skin" + std::to_string(skin) + ".bin"), picture.pixels());
        shapes += (skin == 0 ? "[" : ", [") + std::to_string(picture.height()) + ", " +
                  std::to_string(picture.width()) + "]";
    }
    Meta()
        .raw("kind", "\"model\"")
        .number("frames", model.frameCount())
        .number("vertex_slots", model.vertexSlots())
        .number("triangles", static_cast<double>(model.triangles().size()))
        .number("flags", model.flags())
        .number("sync_type", model.syncType())
        .raw("frame_names", names + "]")
        .raw("skin_shapes", shapes + "]")
        .write(folder / "meta.json");
}

void dumpSprite(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::Sprite sprite = vexalkit::Sprite::load(bytes);
    std::string slots = "[";
    for (std::size_t index = 0; index < sprite.slotCount(); ++index) {
        const vexalkit::SpriteSlot slot = sprite.slot(index);
        writeSpan(folder / ("slot" + std::to_string(index) + ".bin"), slot.picture.pixels());
        slots += std::string(index == 0 ? "" : ", ") +
                 "{\"width\": " + std::to_string(slot.picture.width()) +
                 ", \"height\": " + std::to_string(slot.picture.height()) + ", \"origin\": [" +
                 std::to_string(slot.originX) + ", " + std::to_string(slot.originY) +
                 "], \"interval\": " + Meta::formatNumber(slot.interval) +
                 ", \"empty\": " + (slot.empty ? "true" : "false") + "}";
    }
    Meta()
        .raw("kind", "\"sprite\"")
        .number("type", sprite.type())
        .number("sync_type", sprite.syncType())
        .raw("slots", slots + "]")
        .write(folder / "meta.json");
}

void dumpPicture(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::Picture picture = vexalkit::Picture::load(bytes);
    writeSpan(folder / "pixels.bin", picture.pixels());
    Meta()
        .raw("kind", "\"picture\"")
        .number("width", picture.width())
        .number("height", picture.height())
        .write(folder / "meta.json");
}

// Colours 0xAARRGGBB as the bytes red, green, blue, alpha.
std::vector<uint8_t> rgbaBytes(std::span<const uint32_t> colors) {
    std::vector<uint8_t> bytes;
    for (const uint32_t color : colors) {
        bytes.push_back(static_cast<uint8_t>(color >> 16));
        bytes.push_back(static_cast<uint8_t>(color >> 8));
        bytes.push_back(static_cast<uint8_t>(color));
        bytes.push_back(static_cast<uint8_t>(color >> 24));
    }
    return bytes;
}

template <typename Entry, typename Fields>
std::string entryList(std::span<const Entry> entries, Fields fields) {
    std::string json = "[";
    for (const Entry& entry : entries) {
        json += (json.size() == 1 ? "{\"name\": " : ", {\"name\": ") +
                jsonString(vexalkit::entryName(entry)) + fields(entry) + "}";
    }
    return json + "]";
}

} // namespace

void dumpWad(const fs::path& folder, std::span<const uint8_t> bytes) {
    fs::create_directories(folder);
    const vexalkit::WadDirectory directory = vexalkit::WadDirectory::read(bytes);
    const std::string entries = entryList(directory.entries(), [](const VEXLWADENTRY_T& entry) {
        return ", \"offset\": " + std::to_string(entry.filePos) +
               ", \"disk_size\": " + std::to_string(entry.diskLen) +
               ", \"size\": " + std::to_string(entry.fileLen) +
               ", \"type\": " + std::to_string(entry.entryType) +
               ", \"compression\": " + std::to_string(entry.compression);
    });
    Meta().raw("kind", "\"wad\"").raw("entries", entries).write(folder / "meta.json");
}

void dumpPak(const fs::path& folder, const fs::path& archive) {
    fs::create_directories(folder);
    const vexalkit::PakDirectory directory = vexalkit::PakDirectory::read(archive.string());
    const std::string entries = entryList(directory.entries(), [](const VEXLPACKENTRY_T& entry) {
        return ", \"offset\": " + std::to_string(entry.filePos) +
               ", \"size\": " + std::to_string(entry.fileLen) +
               ", \"valid\": " + (entry.valid == 1 ? "true" : "false");
    });
    Meta().raw("kind", "\"pak\"").raw("entries", entries).write(folder / "meta.json");
}

void dumpRecord(const fs::path& folder, std::span<const uint8_t> bytes) {
    fs::create_directories(folder);
    switch (vexalkit::whatIs(bytes)) {
    case vexalkit::FileType::Model:
        return dumpModel(folder, bytes);
    case vexalkit::FileType::Sprite:
        return dumpSprite(folder, bytes);
    case vexalkit::FileType::Picture:
        return dumpPicture(folder, bytes);
    default:
        throw std::runtime_error("no record dump for " + folder.string());
    }
}

void dumpPalette(const fs::path& folder, std::span<const uint8_t> paletteBytes,
                 std::span<const uint8_t> colorMap, std::span<const uint8_t> pictureBytes) {
    fs::create_directories(folder);
    vexalkit::Palette palette = vexalkit::Palette::load(paletteBytes);
    const vexalkit::Picture picture = vexalkit::Picture::load(pictureBytes);
    std::vector<uint8_t> rgb = rgbaBytes(palette.colors());
    std::vector<uint8_t> colors;
    for (std::size_t index = 0; index < rgb.size(); index += 4) {
        colors.insert(colors.end(), rgb.begin() + index, rgb.begin() + index + 3);
    }
    writeSpan(folder / "colors.bin", std::span<const uint8_t>(colors));
    writeSpan(folder / "rgba_plain.bin",
              std::span<const uint8_t>(rgbaBytes(picture.toRGBA(palette).span())));
    palette.loadColorMap(colorMap);
    writeSpan(folder / "colormap.bin", palette.colorMap());
    writeSpan(folder / "rgba_row1.bin",
              std::span<const uint8_t>(rgbaBytes(picture.toRGBA(palette, 1).span())));
    Meta()
        .raw("kind", "\"palette\"")
        .number("colormap_rows", palette.colorMapRows())
        .write(folder / "meta.json");
}

} // namespace vexl::pyfixtures
