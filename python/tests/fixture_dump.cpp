// Record dumps for the Python tests: every array exactly as the C++ layer
// sees it, so the module's views can be compared byte for byte.
#include "fixture_dump.hpp"

#include "vexalkit_cpp.hpp"

#include <nlohmann/json.hpp>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexl::pyfixtures {

namespace fs = std::filesystem;

void writeBytes(const fs::path& file, const void* data, std::size_t size) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

namespace {

// A contiguous run of values (a span, a vector), byte for byte.
template <typename Values> void writeSpan(const fs::path& file, const Values& values) {
    writeBytes(file, std::data(values), std::size(values) * sizeof(*std::data(values)));
}

// Each byte of `text` as the code point of the same number, so that the
// JSON, written with every non-ASCII character escaped, keeps raw bytes.
std::string codePoints(std::string_view text) {
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            utf8 += static_cast<char>(0xc0 | byte >> 6);
        }
        utf8 += static_cast<char>(byte < 0x80 ? byte : 0x80 | (byte & 0x3f));
    }
    return utf8;
}

// Floats go in as the doubles they convert to, which dump() writes with
// enough digits to come back exactly.
void writeMeta(const fs::path& file, const nlohmann::json& meta) {
    const std::string text = meta.dump(-1, ' ', true) + "\n";
    writeBytes(file, text.data(), text.size());
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
    writeSpan(folder / "triangles.bin", indices);
    writeSpan(folder / "seam_map.bin", model.seamMap());
    writeSpan(folder / "frame_group_sizes.bin", model.frameGroupSizes());
    nlohmann::json meta = {{"kind", "model"},
                           {"frames", model.frameCount()},
                           {"vertex_slots", model.vertexSlots()},
                           {"triangles", model.triangles().size()},
                           {"flags", model.flags()},
                           {"sync_type", model.syncType()},
                           {"frame_names", nlohmann::json::array()},
                           {"skin_shapes", nlohmann::json::array()}};
    for (uint32_t frame = 0; frame < model.frameCount(); ++frame) {
        meta["frame_names"].push_back(codePoints(model.frameName(frame)));
    }
    for (uint32_t skin = 0; skin < model.skinSlots(); ++skin) {
        const vexalkit::PictureView picture = model.skin(skin);
        writeSpan(folder / ("skin" + std::to_string(skin) + ".bin"), picture.pixels());
        meta["skin_shapes"].push_back({picture.height(), picture.width()});
    }
    writeMeta(folder / "meta.json", meta);
}

void dumpSprite(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::Sprite sprite = vexalkit::Sprite::load(bytes);
    nlohmann::json meta = {{"kind", "sprite"},
                           {"type", sprite.type()},
                           {"sync_type", sprite.syncType()},
                           {"slots", nlohmann::json::array()}};
    for (std::size_t index = 0; index < sprite.slotCount(); ++index) {
        const vexalkit::SpriteSlot slot = sprite.slot(index);
        writeSpan(folder / ("slot" + std::to_string(index) + ".bin"), slot.picture.pixels());
        meta["slots"].push_back({{"width", slot.picture.width()},
                                 {"height", slot.picture.height()},
                                 {"origin", {slot.originX, slot.originY}},
                                 {"interval", static_cast<double>(slot.interval)},
                                 {"empty", slot.empty}});
    }
    writeMeta(folder / "meta.json", meta);
}

void dumpPicture(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::Picture picture = vexalkit::Picture::load(bytes);
    writeSpan(folder / "pixels.bin", picture.pixels());
    writeMeta(folder / "meta.json",
              {{"kind", "picture"}, {"width", picture.width()}, {"height", picture.height()}});
}

// Colours 0xAARRGGBB as the bytes red, green, blue, alpha, or with
// `channels` 3, red, green, blue.
std::vector<uint8_t> rgbaBytes(std::span<const uint32_t> colors, std::size_t channels = 4) {
    std::vector<uint8_t> bytes;
    for (const uint32_t color : colors) {
        const uint8_t rgba[] = {static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                                static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 24)};
        bytes.insert(bytes.end(), rgba, rgba + channels);
    }
    return bytes;
}

template <typename Entry, typename Fields>
nlohmann::json entryList(std::span<const Entry> entries, Fields fields) {
    nlohmann::json list = nlohmann::json::array();
    for (const Entry& entry : entries) {
        list.push_back(fields(entry));
        list.back()["name"] = codePoints(vexalkit::entryName(entry));
    }
    return list;
}

} // namespace

void dumpWad(const fs::path& folder, std::span<const uint8_t> bytes) {
    const vexalkit::WadDirectory directory = vexalkit::WadDirectory::read(bytes);
    const nlohmann::json entries = entryList(directory.entries(), [](const VEXLWADENTRY_T& entry) {
        return nlohmann::json{{"offset", entry.filePos},
                              {"disk_size", entry.diskLen},
                              {"size", entry.fileLen},
                              {"type", entry.entryType},
                              {"compression", entry.compression}};
    });
    writeMeta(folder / "meta.json", {{"kind", "wad"}, {"entries", entries}});
}

void dumpPak(const fs::path& folder, const fs::path& archive) {
    const vexalkit::PakDirectory directory = vexalkit::PakDirectory::read(archive.string());
    const nlohmann::json entries = entryList(directory.entries(), [](const VEXLPACKENTRY_T& entry) {
        return nlohmann::json{
            {"offset", entry.filePos}, {"size", entry.fileLen}, {"valid", entry.valid == 1}};
    });
    writeMeta(folder / "meta.json", {{"kind", "pak"}, {"entries", entries}});
}

void dumpRecord(const fs::path& folder, std::span<const uint8_t> bytes) {
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
    vexalkit::Palette palette = vexalkit::Palette::load(paletteBytes);
    const vexalkit::Picture picture = vexalkit::Picture::load(pictureBytes);
    writeSpan(folder / "colors.bin", rgbaBytes(palette.colors(), 3));
    writeSpan(folder / "rgba_plain.bin", rgbaBytes(picture.toRGBA(palette).span()));
    palette.loadColorMap(colorMap);
    writeSpan(folder / "colormap.bin", palette.colorMap());
    writeSpan(folder / "rgba_row1.bin", rgbaBytes(picture.toRGBA(palette, 1).span()));
    writeMeta(folder / "meta.json",
              {{"kind", "palette"}, {"colormap_rows", palette.colorMapRows()}});
}

} // namespace vexl::pyfixtures
