#include "convert/conversion.hpp"

#include "formats/wad2.hpp"

#include <variant>

namespace vexl::cli {
namespace {

// The filled pictures of a picture, sprite or model in slot order (a
// group's empty slots hold nothing), with the record that holds them.
struct RecordPictures {
    std::variant<Picture, Sprite, Model> record;
    std::vector<vexalkit::PictureView> pictures;
};

RecordPictures recordPictures(FileType type, std::span<const uint8_t> bytes,
                              const std::string& what) {
    RecordPictures out;
    if (type == FileType::Picture) {
        out.pictures.push_back(out.record.emplace<Picture>(load<Picture>(bytes, what)).view());
    } else if (type == FileType::Sprite) {
        const Sprite& sprite = out.record.emplace<Sprite>(load<Sprite>(bytes, what));
        for (size_t i = 0; i < sprite.slotCount(); ++i) {
            out.pictures.push_back(sprite.slot(i).picture);
        }
    } else {
        const Model& model = out.record.emplace<Model>(load<Model>(bytes, what));
        for (uint32_t i = 0; i < model.skinSlots(); ++i) {
            out.pictures.push_back(model.skin(i));
        }
    }
    std::erase_if(out.pictures, [](const vexalkit::PictureView& view) { return view.empty(); });
    return out;
}

bool holdsPictures(FileType type) {
    return type == FileType::Picture || type == FileType::Sprite || type == FileType::Model ||
           type == FileType::Palette || type == FileType::ColorMap;
}

const Palette& paletteFor(const ConversionSettings& settings) {
    if (settings.palette == nullptr) {
        throw Failure("no palette: give --palette FILE, or an archive holding gfx/palette.lmp");
    }
    return *settings.palette;
}

void addImage(Conversion& out, std::string name, const Image& image,
              const ConversionSettings& settings) {
    out.files.push_back({std::move(name), toPng(enlarge(image, settings.scale))});
}

void addBytes(Conversion& out, std::string name, std::span<const uint8_t> bytes) {
    out.files.push_back({std::move(name), {bytes.begin(), bytes.end()}});
}

// Every picture, numbered when there are several.
void addPictures(Conversion& out, const std::string& stem,
                 const std::vector<vexalkit::PictureView>& pictures,
                 const ConversionSettings& settings) {
    for (size_t i = 0; i < pictures.size(); ++i) {
        const std::string name =
            pictures.size() == 1 ? stem + ".png" : numbered(stem + ".png", i, pictures.size());
        addImage(out, name, expand(pictures[i], paletteFor(settings), settings.shading), settings);
    }
}

void convertRecord(Conversion& out, FileType type, const FileToConvert& file,
                   const ConversionSettings& settings) {
    const RecordPictures held = recordPictures(type, file.bytes, file.shown);
    if (settings.picturesOnly && held.pictures.empty()) {
        throw Failure(file.shown + ": holds no picture");
    }
    if (type != FileType::Model || settings.picturesOnly) {
        addPictures(out, file.stem, held.pictures, settings);
        return;
    }
    if (held.pictures.empty()) {
        throw Failure("a model without a skin");
    }
    const size_t slash = file.stem.rfind('/');
    const std::string title = slash == std::string::npos ? file.stem : file.stem.substr(slash + 1);
    addBytes(out, file.stem + ".glb",
             modelGlb(std::get<Model>(held.record), held.pictures.front(), title, settings));
    addPictures(out, file.stem + "_skin", held.pictures, settings);
}

void convertTexture(Conversion& out, const FileToConvert& file,
                    const ConversionSettings& settings) {
    const Palette& palette = paletteFor(settings);
    Shading shading = settings.shading;
    const size_t slash = file.stem.rfind('/');
    if (!shading.transparent && hasTransparentIndex(file.stem.substr(slash + 1))) {
        shading.transparent = kTransparentIndex;
    }
    if (isBareTexture(file.bytes)) {
        addImage(out, file.stem + ".png",
                 expand(kBareTextureSide, kBareTextureSide, file.bytes, palette, shading),
                 settings);
        return;
    }
    const MipTexture texture = readMipTexture(file.bytes, file.stem);
    const size_t levels = settings.allMips ? texture.levels.size() : 1;
    for (size_t level = 0; level < levels; ++level) {
        const std::string name =
            level == 0 ? file.stem + ".png" : file.stem + "_mip" + std::to_string(level) + ".png";
        addImage(out, name,
                 expand(texture.width >> level, texture.height >> level, texture.levels[level],
                        palette, shading),
                 settings);
    }
}

void convertWadEntry(Conversion& out, const FileToConvert& file,
                     const ConversionSettings& settings) {
    const VEXLWADENTRY_T& entry = *file.wadEntry;
    out.kind = wadTypeName(entry.entryType);
    if (entry.compression != 0) {
        out.kind = "compressed data";
        addBytes(out, file.stem, file.bytes);
        return;
    }
    switch (entry.entryType) {
    case wad_type::kPalette:
        addImage(out, file.stem + ".png", paletteSwatch(load<Palette>(file.bytes, file.stem)),
                 settings);
        break;
    case wad_type::kPicture:
        addPictures(out, file.stem, {load<Picture>(file.bytes, file.stem).view()}, settings);
        break;
    case wad_type::kTexture:
        convertTexture(out, file, settings);
        break;
    default:
        addBytes(out, file.stem, file.bytes);
    }
}

// A WAD2 inside another archive: a folder of its entries, each failing on
// its own.
void convertWad(Conversion& out, const FileToConvert& file, const ConversionSettings& settings) {
    const WadDirectory directory =
        vexalkit::withContext(file.stem, [&] { return WadDirectory::read(file.bytes); });
    for (const VEXLWADENTRY_T& entry : directory) {
        const std::string name(vexalkit::entryName(entry));
        const std::string stem = file.stem + "/" + name;
        try {
            if (wadNameRefusal(name) || unsafeReason(name, settings.nameRules)) {
                throw Failure("not a name that can be a file");
            }
            Conversion part;
            convertWadEntry(part,
                            {stem, stem, stem, WadDirectory::entryBytes(file.bytes, entry), &entry},
                            settings);
            for (OutputFile& converted : part.files) {
                out.files.push_back(std::move(converted));
            }
        } catch (const std::exception& failure) {
            out.problems.push_back(escapeForTerminal(stem) + ": " +
                                   escapeForTerminal(failure.what()));
        }
    }
}

} // namespace

std::string stemOf(const std::string& name) {
    const size_t slash = name.rfind('/');
    const size_t dot = name.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return hasExtension ? name.substr(0, dot) : name;
}

vexalkit::PictureView firstSkin(const Model& model, const std::string& what) {
    for (uint32_t i = 0; i < model.skinSlots(); ++i) {
        if (!model.skin(i).empty()) {
            return model.skin(i);
        }
    }
    throw vexalkit::Error(static_cast<int32_t>(vexalkit::Status::ModelNoSkin), what);
}

std::vector<uint8_t> modelGlb(const Model& model, vexalkit::PictureView skin,
                              const std::string& title, const ConversionSettings& settings) {
    const Image skinImage = expand(skin, paletteFor(settings), settings.shading);
    return buildGlb(toGltfMesh(model.record()), toPng(skinImage), title, settings.gltf);
}

Conversion convertFile(const FileToConvert& file, const ConversionSettings& settings) {
    Conversion out;
    if (file.wadEntry != nullptr) {
        convertWadEntry(out, file, settings);
        return out;
    }
    const FileType type = vexalkit::whatIs(file.bytes);
    if (settings.picturesOnly && !holdsPictures(type)) {
        throw Failure(file.shown + ": not a picture, sprite, model, palette or colormap (" +
                      std::string(vexalkit::typeDescription(type)) + ")");
    }
    switch (type) {
    case FileType::Picture:
    case FileType::Sprite:
    case FileType::Model:
        out.kind = type == FileType::Picture  ? "picture"
                   : type == FileType::Sprite ? "sprite"
                                              : "model";
        convertRecord(out, type, file, settings);
        break;
    case FileType::Palette:
        out.kind = "palette";
        addImage(out, file.stem + ".png", paletteSwatch(load<Palette>(file.bytes, file.shown)),
                 settings);
        break;
    case FileType::ColorMap: {
        out.kind = "colormap";
        const Palette drawn = vexalkit::withContext(
            file.shown, [&] { return paletteFor(settings).withColorMap(file.bytes); });
        addImage(out, file.stem + ".png", colorMapImage(drawn), settings);
        break;
    }
    case FileType::Wad2:
        out.kind = "WAD2 archive";
        convertWad(out, file, settings);
        break;
    default:
        out.kind = "other file";
        addBytes(out, file.name, file.bytes);
    }
    return out;
}

} // namespace vexl::cli
