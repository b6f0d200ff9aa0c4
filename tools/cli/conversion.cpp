#include "conversion.hpp"

#include "entry_names.hpp"
#include "gltf_model.hpp"
#include "indexed_images.hpp"
#include "naming.hpp"

namespace vexl::cli {
namespace {

Converted imageFile(std::string name, Image image) {
    Converted file;
    file.name = std::move(name);
    file.image = std::move(image);
    return file;
}

Converted byteFile(std::string name, std::vector<uint8_t> bytes) {
    Converted file;
    file.name = std::move(name);
    file.bytes = std::move(bytes);
    return file;
}

// `name` without the extension of its last part.
std::string stemOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return hasExtension ? name.substr(0, dot) : name;
}

const Palette& paletteFor(const ConversionSettings& settings) {
    if (settings.palette == nullptr) {
        throw Failure("no palette: give --palette FILE, or an archive holding gfx/palette.lmp");
    }
    return *settings.palette;
}

Image pictureImage(vexalkit::PictureView picture, const Palette& palette) {
    return indexedImage(picture.width(), picture.height(), picture.pixels(), palette, false);
}

// The palette file that gives `palette`: its colours as red, green, blue.
std::vector<uint8_t> paletteFileBytes(const Palette& palette) {
    std::vector<uint8_t> bytes;
    for (const uint32_t color : palette.colors()) {
        bytes.push_back(static_cast<uint8_t>(color >> 16U));
        bytes.push_back(static_cast<uint8_t>(color >> 8U));
        bytes.push_back(static_cast<uint8_t>(color));
    }
    return bytes;
}

// Every filled picture, numbered when there are several.
void addPictures(Conversion& out, const std::string& stem,
                 const std::vector<vexalkit::PictureView>& pictures, const Palette& palette) {
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::string name =
            pictures.size() == 1 ? stem + ".png" : numbered(stem + ".png", i, pictures.size());
        out.files.push_back(imageFile(name, pictureImage(pictures[i], palette)));
    }
}

void convertModel(Conversion& out, const std::string& stem, std::span<const uint8_t> bytes,
                  const Palette& palette) {
    const auto model = load<Model>(bytes, stem);
    std::vector<vexalkit::PictureView> skins;
    for (uint32_t i = 0; i < model.skinSlots(); ++i) {
        if (!model.skin(i).empty()) {
            skins.push_back(model.skin(i));
        }
    }
    if (skins.empty()) {
        throw Failure("a model without a skin");
    }
    const GltfMesh mesh = toGltfMesh(model.record());
    const size_t slash = stem.rfind('/');
    const std::string title = slash == std::string::npos ? stem : stem.substr(slash + 1);
    out.files.push_back(
        byteFile(stem + ".glb",
                 buildGlb(mesh, toPng(pictureImage(skins.front(), palette)), title, false, 0.1F)));
    addPictures(out, stem + "_skin", skins, palette);
}

void convertWad(Conversion& out, const std::string& stem, std::span<const uint8_t> bytes,
                const ConversionSettings& settings) {
    const WadDirectory directory =
        vexalkit::withContext(stem, [&] { return WadDirectory::read(bytes); });
    for (const VEXLWADENTRY_T& entry : directory) {
        const std::string name(vexalkit::entryName(entry));
        try {
            if (name.find('/') != std::string::npos || unsafeReason(name, settings.nameRules)) {
                throw Failure("not a name that can be a file");
            }
            Conversion part = convertWadEntry(stem + "/" + name, entry,
                                              WadDirectory::entryBytes(bytes, entry), settings);
            for (Converted& file : part.files) {
                out.files.push_back(std::move(file));
            }
        } catch (const std::exception& failure) {
            out.problems.push_back(escapeForTerminal(stem + "/" + name) + ": " +
                                   escapeForTerminal(failure.what()));
        }
    }
}

void convertTexture(Conversion& out, const std::string& stem, std::span<const uint8_t> bytes,
                    const ConversionSettings& settings) {
    const Palette& palette = paletteFor(settings);
    const bool transparent = hasTransparentIndex(stem.substr(stem.rfind('/') + 1));
    if (isBareTexture(bytes)) {
        out.files.push_back(
            imageFile(stem + ".png", indexedImage(kBareTextureSide, kBareTextureSide, bytes,
                                                  palette, transparent)));
        return;
    }
    const MipTexture texture = readMipTexture(bytes, stem);
    const size_t levels = settings.allMips ? texture.levels.size() : 1;
    for (size_t level = 0; level < levels; ++level) {
        const std::string name =
            level == 0 ? stem + ".png" : stem + "_mip" + std::to_string(level) + ".png";
        out.files.push_back(
            imageFile(name, indexedImage(texture.width >> level, texture.height >> level,
                                         texture.levels[level], palette, transparent)));
    }
}

} // namespace

void encodeImages(Conversion& conversion, uint32_t scale) {
    for (Converted& file : conversion.files) {
        if (file.image) {
            file.bytes = toPng(enlarge(*file.image, scale));
            file.image.reset();
        }
    }
}

std::string wadTypeName(uint8_t type) {
    switch (type) {
    case wad_type::kPalette:
        return "palette";
    case wad_type::kPicture:
        return "picture";
    case wad_type::kTexture:
        return "mip-mapped texture";
    default:
        return "data of type " + std::to_string(type);
    }
}

Conversion convertWadEntry(const std::string& stem, const VEXLWADENTRY_T& entry,
                           std::span<const uint8_t> bytes, const ConversionSettings& settings) {
    Conversion out;
    out.kind = wadTypeName(entry.entryType);
    if (entry.compression != 0) {
        out.kind = "compressed data";
        out.files.push_back(byteFile(stem, {bytes.begin(), bytes.end()}));
        return out;
    }
    switch (entry.entryType) {
    case wad_type::kPalette:
        out.files.push_back(imageFile(stem + ".png", paletteSwatch(load<Palette>(bytes, stem))));
        break;
    case wad_type::kPicture:
        addPictures(out, stem, {load<Picture>(bytes, stem).view()}, paletteFor(settings));
        break;
    case wad_type::kTexture:
        convertTexture(out, stem, bytes, settings);
        break;
    default:
        out.files.push_back(byteFile(stem, {bytes.begin(), bytes.end()}));
    }
    return out;
}

Conversion convertFile(const std::string& name, std::span<const uint8_t> bytes,
                       const ConversionSettings& settings) {
    Conversion out;
    const std::string stem = stemOf(name);
    const FileType type = vexalkit::whatIs(bytes);
    switch (type) {
    case FileType::Picture:
        out.kind = "picture";
        addPictures(out, stem, {load<Picture>(bytes, name).view()}, paletteFor(settings));
        break;
    case FileType::Sprite: {
        out.kind = "sprite";
        const auto sprite = load<Sprite>(bytes, name);
        std::vector<vexalkit::PictureView> pictures;
        for (size_t i = 0; i < sprite.slotCount(); ++i) {
            if (!sprite.slot(i).picture.empty()) {
                pictures.push_back(sprite.slot(i).picture);
            }
        }
        addPictures(out, stem, pictures, paletteFor(settings));
        break;
    }
    case FileType::Model:
        out.kind = "model";
        convertModel(out, stem, bytes, paletteFor(settings));
        break;
    case FileType::Palette:
        out.kind = "palette";
        out.files.push_back(imageFile(stem + ".png", paletteSwatch(load<Palette>(bytes, name))));
        break;
    case FileType::ColorMap: {
        out.kind = "colormap";
        // The colormap is drawn through a palette of its own.
        Palette palette = load<Palette>(paletteFileBytes(paletteFor(settings)), "the palette");
        vexalkit::withContext(name, [&] { palette.loadColorMap(bytes); });
        out.files.push_back(imageFile(stem + ".png", colorMapImage(palette)));
        break;
    }
    case FileType::Wad2:
        out.kind = "WAD2 archive";
        convertWad(out, stem, bytes, settings);
        break;
    default:
        out.kind = "other file";
        out.files.push_back(byteFile(name, {bytes.begin(), bytes.end()}));
    }
    return out;
}

} // namespace vexl::cli
