"""Every array the module hands out matches the C++ record byte for byte, on
the writers' files and the sample archive's."""

import struct

import numpy as np
import pytest

import vexalkit

SAMPLE_MODELS = {"sample_creature": "progs/creature.mdl"}
SAMPLE_SPRITES = {"sample_flame": "progs/flame.spr"}
SAMPLE_PICTURES = {"sample_rings": "gfx/rings.lmp", "sample_swatch": "gfx/swatch.lmp",
                   "sample_badge": "gfx/badge.lmp"}


def model_bytes(files, key):
    if key in SAMPLE_MODELS:
        return vexalkit.read_file(SAMPLE_MODELS[key], files / "sample.pak")
    return (files / "model.mdl").read_bytes()


def assert_view(array, dtype, shape, expected: bytes):
    assert array.dtype == dtype
    assert array.shape == shape
    assert not array.flags.writeable
    assert array.tobytes() == expected


@pytest.mark.parametrize("key", ["model", "sample_creature"])
def test_model_arrays_match_the_record(files, record, key):
    model = vexalkit.Model(model_bytes(files, key))
    expected = record(key)
    frames, slots = expected.meta["frames"], expected.meta["vertex_slots"]
    triangles = expected.meta["triangles"]
    assert_view(model.vertices, np.float32, (frames, slots, 3), expected.raw("vertices"))
    assert_view(model.tex_coords, np.float32, (slots, 3), expected.raw("tex_coords"))
    assert_view(model.triangles, np.uint16, (triangles, 3), expected.raw("triangles"))
    assert_view(model.seam_map, np.uint32, (slots,), expected.raw("seam_map"))
    assert_view(model.frame_group_sizes, np.uint8, (frames,), expected.raw("frame_group_sizes"))
    assert model.frame_names == expected.meta["frame_names"]
    assert [skin.shape for skin in model.skins] == [tuple(s) for s in expected.meta["skin_shapes"]]
    for index, skin in enumerate(model.skins):
        assert_view(skin, np.uint8, skin.shape, expected.raw(f"skin{index}"))
    assert model.flags == expected.meta["flags"]
    assert model.sync_type == expected.meta["sync_type"]


def test_model_values_follow_the_writers_input(data):
    model = vexalkit.Model(data("model.mdl"))
    # scale (0.5, 1, 2), translate (-1, 0, 3): packed (10, 20, 30) of frame 0.
    assert model.vertices[0, 1].tolist() == [4.0, 20.0, 63.0]
    assert model.frame_names == ["stand1", "run1", "Run2"]
    assert model.frame_group_sizes.tolist() == [0, 2, 0]
    assert model.skins[3].shape == (0, 0)  # the slot the skin group leaves
    assert model.seam_map[1] != 0  # the seam vertex has a back-side copy


def test_model_frame_lookup_folds_case_and_raises_key_error(data):
    model = vexalkit.Model(data("model.mdl"))
    assert model.frame("stand1") == 0
    assert model.frame("RUN2") == 2
    with pytest.raises(KeyError):
        model.frame("walk")


def test_model_editing_changes_the_views_in_place(data):
    model = vexalkit.Model(data("model.mdl"))
    vertices, triangles, tex = model.vertices, model.triangles, model.tex_coords
    before_v, before_t, before_c = vertices.copy(), triangles.copy(), tex.copy()
    model.scale(2.0)
    np.testing.assert_array_equal(vertices, before_v * np.float32(2))
    model.swap_tris()
    np.testing.assert_array_equal(triangles, before_t[:, ::-1])
    model.skin_inv()
    np.testing.assert_allclose(tex[:, 1], np.abs(before_c[:, 1] - 1))
    model.skin_no_back()
    assert not np.array_equal(tex[:, 0], before_c[:, 0])


def test_model_load_by_name_reads_from_the_archive(files, data):
    loaded = vexalkit.Model.load("progs/model.mdl", files / "test.pak")
    direct = vexalkit.Model(data("model.mdl"))
    assert loaded.vertices.tobytes() == direct.vertices.tobytes()
    on_disk = vexalkit.Model.load(files / "model.mdl")
    assert on_disk.triangles.tobytes() == direct.triangles.tobytes()


@pytest.mark.parametrize("key", ["sprite", "sample_flame"])
def test_sprite_slots_match_the_record(files, record, key):
    raw = (vexalkit.read_file(SAMPLE_SPRITES[key], files / "sample.pak") if key in SAMPLE_SPRITES
           else (files / "sprite.spr").read_bytes())
    sprite = vexalkit.Sprite(raw)
    expected = record(key)
    assert sprite.type == expected.meta["type"]
    assert sprite.sync_type == expected.meta["sync_type"]
    assert len(sprite) == len(expected.meta["slots"])
    for index, (frame, slot) in enumerate(zip(sprite.frames, expected.meta["slots"])):
        shape = (0, 0) if slot["empty"] else (slot["height"], slot["width"])
        assert_view(frame.pixels, np.uint8, shape, expected.raw(f"slot{index}"))
        assert frame.origin == tuple(slot["origin"])
        assert frame.interval == np.float32(slot["interval"])
        assert frame.empty == slot["empty"]


def test_sprite_ends_its_group_with_an_empty_picture(data):
    frames = vexalkit.Sprite(data("sprite.spr")).frames
    assert [f.empty for f in frames] == [False, False, False, False, True]
    assert [f.interval for f in frames[2:4]] == [0.25, 0.5]
    assert frames[4].pixels.shape == (0, 0)
    assert frames[0].pixels.tolist() == [[1, 2], [3, 4]]


@pytest.mark.parametrize("key", ["picture", *SAMPLE_PICTURES])
def test_picture_pixels_match_the_record(files, record, key):
    raw = (vexalkit.read_file(SAMPLE_PICTURES[key], files / "sample.pak")
           if key in SAMPLE_PICTURES else (files / "picture.lmp").read_bytes())
    picture = vexalkit.Picture(raw)
    expected = record(key)
    shape = (expected.meta["height"], expected.meta["width"])
    assert (picture.height, picture.width) == shape
    assert_view(picture.pixels, np.uint8, shape, expected.raw("pixels"))


@pytest.mark.parametrize("key, palette, colormap, picture", [
    ("palette", "palette.lmp", "colormap.lmp", "picture.lmp"),
    ("sample_palette", "gfx/palette.lmp", "gfx/colormap.lmp", "gfx/badge.lmp"),
])
def test_palette_colormap_and_rgba_match_the_record(files, record, key, palette, colormap,
                                                    picture):
    def read(name):
        return ((files / name).read_bytes() if key == "palette"
                else vexalkit.read_file(name, files / "sample.pak"))

    expected = record(key)
    colors = vexalkit.Palette(read(palette))
    pixels = vexalkit.Picture(read(picture))
    assert_view(colors.colors, np.uint8, (256, 3), expected.raw("colors"))
    assert colors.colormap.shape == (0, 256)
    plain = pixels.to_rgba(colors)
    assert plain.shape == (pixels.height, pixels.width, 4) and plain.dtype == np.uint8
    assert plain.tobytes() == expected.raw("rgba_plain")
    colors.load_colormap(read(colormap))
    rows = expected.meta["colormap_rows"]
    assert_view(colors.colormap, np.uint8, (rows, 256), expected.raw("colormap"))
    assert pixels.to_rgba(colors, row=1).tobytes() == expected.raw("rgba_row1")


def test_rgba_is_red_green_blue_alpha(data):
    palette = vexalkit.Palette(data("palette.lmp"))
    rgba = vexalkit.Picture(data("picture.lmp")).to_rgba(palette)
    assert rgba[0].tolist() == [[255, 0, 0, 255], [0, 255, 0, 255], [0, 0, 255, 255]]
    assert rgba[1, 1].tolist() == [200, 100, 50, 255]


def test_sprite_frame_expands_through_the_palette(data):
    palette = vexalkit.Palette(data("palette.lmp"))
    frame = vexalkit.Sprite(data("sprite.spr")).frames[0]
    assert frame.to_rgba(palette)[0, 0].tolist() == [0, 255, 0, 255]
    assert vexalkit.Sprite(data("sprite.spr")).frames[4].to_rgba(palette).shape == (0, 0, 4)


@pytest.mark.parametrize("width, height", [(5, 0), (0, 3), (0, 0)])
def test_picture_without_area_keeps_its_shape(data, width, height):
    picture = vexalkit.Picture(struct.pack("<II", width, height))
    palette = vexalkit.Palette(data("palette.lmp"))
    assert picture.pixels.shape == (height, width)
    assert picture.to_rgba(palette).shape == (height, width, 4)
