// Palettes, pictures and sprites, with their pixels as numpy views.
#include "binding.hpp"

#include <pybind11/stl.h>

#include "vexalkit_cpp.hpp"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vexalkit::python {

namespace {

struct SpriteFrame {
    py::object sprite; // the Python Sprite, kept alive for the views
    std::size_t index = 0;
};

// The palette's colours (0xAARRGGBB values) seen as (256, 3) bytes in red,
// green, blue order, without copying: each row steps over one colour, each
// column one byte towards blue.
py::array colorView(py::object self) {
    const Palette& palette = self.cast<const Palette&>();
    const auto* const first = reinterpret_cast<const uint8_t*>(palette.colors().data());
    constexpr bool kLittle = std::endian::native == std::endian::little;
    const uint8_t* const red = first == nullptr ? nullptr : first + (kLittle ? 2 : 1);
    return recordView(self, red, {palette.colors().empty() ? 0 : 256, 3},
                      {sizeof(uint32_t), kLittle ? -1 : 1});
}

py::array colorMapView(py::object self) {
    const Palette& palette = self.cast<const Palette&>();
    return recordView(self, palette.colorMap().data(),
                      {static_cast<py::ssize_t>(palette.colorMapRows()), 256});
}

py::array pixelView(py::handle owner, const PictureView& picture) {
    return recordView(owner, picture.pixels().data(), pictureShape(picture));
}

// The picture through the palette (and colormap row `row`), as a fresh
// (height, width, 4) array of red, green, blue, alpha bytes that owns the
// library's colour block.
py::array rgbaOf(const PictureView& picture, const Palette& palette, std::optional<int64_t> row) {
    if (row && *row < 0) {
        throw py::value_error("row must not be negative");
    }
    std::optional<uint32_t> shading;
    if (row) {
        shading = static_cast<uint32_t>(std::min<int64_t>(*row, UINT32_MAX));
    }
    Colors colors = picture.toRGBA(palette, shading);
    const std::vector<py::ssize_t> shape = pictureShape(picture);
    const py::ssize_t height = shape[0];
    const py::ssize_t width = shape[1];
    if (colors.empty()) {
        return py::array(py::dtype::of<uint8_t>(), {height, width, py::ssize_t{4}});
    }
    // Each 0xAARRGGBB value becomes its four bytes in R, G, B, A order, in place.
    for (uint32_t& color : colors) {
        const uint32_t value = color;
        auto* const bytes = reinterpret_cast<uint8_t*>(&color);
        bytes[0] = static_cast<uint8_t>(value >> 16);
        bytes[1] = static_cast<uint8_t>(value >> 8);
        bytes[2] = static_cast<uint8_t>(value);
        bytes[3] = static_cast<uint8_t>(value >> 24);
    }
    uint32_t* const block = colors.data();
    py::capsule owner(block, [](void* data) { std::free(data); });
    colors.release();
    return py::array(py::dtype::of<uint8_t>(), {height, width, py::ssize_t{4}},
                     {width * 4, py::ssize_t{4}, py::ssize_t{1}},
                     reinterpret_cast<const uint8_t*>(block), owner);
}

constexpr const char* kToRgbaDoc =
    "The pixels through `palette` as a new (height, width, 4) uint8 array in red,\n"
    "green, blue, alpha order (alpha 255). With `row`, each index goes through that\n"
    "colormap row first (rows past the last use the last). ValueError for an empty\n"
    "palette or a negative row.";

void bindPalette(py::module_& module) {
    py::class_<Palette>(module, "Palette", "A 256-colour palette and, once loaded, its colormap.")
        .def(py::init(&loadUnlocked<Palette>), py::arg("data"),
             "Loads a palette file of exactly 768 bytes; Error otherwise.")
        .def_property_readonly("colors", &colorView,
                               "(256, 3) uint8 view of the colours: red, green, blue.")
        .def_property_readonly("colormap", &colorMapView,
                               "(rows, 256) uint8 view of the colormap: rows of palette\n"
                               "indices; (0, 256) before load_colormap.")
        .def(
            "load_colormap",
            [](Palette& palette, py::handle data) {
                const ByteView bytes(data);
                palette.loadColorMap(bytes.span());
            },
            py::arg("data"),
            "Adds a colormap (rows x 256 bytes + 1) to the palette. Error for a wrong\n"
            "size, or when the palette has one already; the palette is kept as it was.")
        .def("__repr__", [](const Palette& palette) {
            return "<vexalkit.Palette with " + std::to_string(palette.colorMapRows()) +
                   " colormap rows>";
        });
}

void bindPicture(py::module_& module) {
    py::class_<Picture>(module, "Picture", "A palette-indexed picture.")
        .def(py::init(&loadUnlocked<Picture>), py::arg("data"),
             "Loads a picture file: width, height, then the pixels.")
        .def_property_readonly("width", &Picture::width, "Pixels per row.")
        .def_property_readonly("height", &Picture::height, "Rows.")
        .def_property_readonly(
            "pixels",
            [](py::object self) { return pixelView(self, self.cast<const Picture&>().view()); },
            "(height, width) uint8 view of the palette indices.")
        .def(
            "to_rgba",
            [](const Picture& picture, const Palette& palette, std::optional<int64_t> row) {
                return rgbaOf(picture.view(), palette, row);
            },
            py::arg("palette"), py::arg("row") = py::none(), kToRgbaDoc)
        .def("__repr__", [](const Picture& picture) {
            return "<vexalkit.Picture " + std::to_string(picture.width()) + "x" +
                   std::to_string(picture.height()) + ">";
        });
}

SpriteSlot slotOf(const SpriteFrame& frame) {
    return frame.sprite.cast<const Sprite&>().slot(frame.index);
}

void bindSpriteFrame(py::module_& module) {
    py::class_<SpriteFrame>(module, "SpriteFrame",
                            "One slot of a sprite: a single frame, a picture of a group, or one\n"
                            "of the empty slots the groups leave at the end.")
        .def_property_readonly(
            "pixels",
            [](const SpriteFrame& frame) { return pixelView(frame.sprite, slotOf(frame).picture); },
            "(height, width) uint8 view of the palette indices; (0, 0) for the empty slot.")
        .def_property_readonly(
            "width", [](const SpriteFrame& frame) { return slotOf(frame).picture.width(); },
            "Pixels per row; 0 for an empty slot.")
        .def_property_readonly(
            "height", [](const SpriteFrame& frame) { return slotOf(frame).picture.height(); },
            "Rows; 0 for an empty slot.")
        .def_property_readonly(
            "origin",
            [](const SpriteFrame& frame) {
                const SpriteSlot slot = slotOf(frame);
                return py::make_tuple(slot.originX, slot.originY);
            },
            "(x, y): where the picture's top left lies relative to the sprite's origin.")
        .def_property_readonly(
            "interval", [](const SpriteFrame& frame) { return slotOf(frame).interval; },
            "The display time of a group picture; 0.0 for single frames.")
        .def_property_readonly(
            "empty", [](const SpriteFrame& frame) { return slotOf(frame).empty; },
            "True for an empty slot, one of which each group leaves.")
        .def(
            "to_rgba",
            [](const SpriteFrame& frame, const Palette& palette, std::optional<int64_t> row) {
                return rgbaOf(slotOf(frame).picture, palette, row);
            },
            py::arg("palette"), py::arg("row") = py::none(), kToRgbaDoc)
        .def("__repr__", [](const SpriteFrame& frame) {
            const SpriteSlot slot = slotOf(frame);
            if (slot.empty) {
                return "<vexalkit.SpriteFrame " + std::to_string(frame.index) + " empty>";
            }
            return "<vexalkit.SpriteFrame " + std::to_string(frame.index) + " " +
                   std::to_string(slot.picture.width()) + "x" +
                   std::to_string(slot.picture.height()) + ">";
        });
}

py::list spriteFrames(py::object self) {
    const Sprite& sprite = self.cast<const Sprite&>();
    py::list frames;
    for (std::size_t index = 0; index < sprite.slotCount(); ++index) {
        frames.append(SpriteFrame{self, index});
    }
    return frames;
}

void bindSprite(py::module_& module) {
    py::class_<Sprite>(module, "Sprite", "A sprite: its pictures, one slot each.")
        .def(py::init(&loadUnlocked<Sprite>), py::arg("data"),
             "Loads a sprite file; Error for bytes that are not one.")
        .def_property_readonly("type", &Sprite::type, "The sprite's orientation type.")
        .def_property_readonly("sync_type", &Sprite::syncType, "0: synchronised, 1: random.")
        .def_property_readonly("frames", &spriteFrames,
                               "Every slot: the pictures in file order (single frames and the\n"
                               "pictures of groups), then one empty slot per group.")
        .def("__len__", &Sprite::slotCount)
        .def("__iter__", [](py::object self) { return py::iter(spriteFrames(self)); })
        .def("__repr__", [](const Sprite& sprite) {
            return "<vexalkit.Sprite type " + std::to_string(sprite.type()) + " with " +
                   std::to_string(sprite.slotCount()) + " slots>";
        });
}

} // namespace

void bindImages(py::module_& module) {
    bindPalette(module);
    bindPicture(module);
    bindSpriteFrame(module);
    bindSprite(module);
}

} // namespace vexalkit::python
