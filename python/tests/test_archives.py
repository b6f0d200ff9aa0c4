"""Archives, reading files, telling types, map checks and the error mapping."""

import errno

import pytest

import vexalkit


@pytest.mark.parametrize("name", ["gfx\\palette.lmp", "gfx/palette.lmp", "gfx//./palette.lmp"])
def test_pak_reads_by_either_separator(files, name):
    pak = vexalkit.Pak(files / "test.pak")
    assert name in pak
    assert pak.read(name) == (files / "palette.lmp").read_bytes()


def test_pak_names_listed_read_back_as_they_are(files):
    pak = vexalkit.Pak(str(files / "test.pak"))
    for entry in pak:
        assert len(pak.read(entry.name)) == entry.size


def test_pak_marks_entries_outside_the_archive(files):
    pak = vexalkit.Pak(files / "broken.pak")
    assert [entry.valid for entry in pak.entries] == [True, False]
    assert "gone.txt" not in pak
    assert pak.read("good.txt") == b"ok!\n"


def test_wad_finds_names_without_case_for_a_to_z(data):
    wad = vexalkit.Wad(bytearray(data("archive.wad")))
    assert wad.read("palette") == data("palette.lmp")
    assert "PIC" in wad and "nothing" not in wad


def test_read_file_from_disk_and_archive(files, data):
    assert vexalkit.read_file(files / "picture.lmp") == data("picture.lmp")
    assert vexalkit.read_file("maps/good.map", str(files / "test")) == data("good.map")


@pytest.mark.parametrize("name, kind", [
    ("test.pak", "pak"), ("archive.wad", "wad2"), ("model.mdl", "model"),
    ("sprite.spr", "sprite"), ("picture.lmp", "picture"), ("palette.lmp", "palette"),
    ("good.map", "unknown"),
])
def test_what_is_names_the_kind(data, name, kind):
    assert vexalkit.what_is(data(name)) == kind


def test_check_map_captures_the_report(data, capfd):
    good = vexalkit.check_map(data("good.map"))
    assert good.ok and good.status == 0 and bool(good)
    assert good.report.startswith("classname")
    assert good.report.endswith("\r\n")
    bad = vexalkit.check_map(data("bad.map"))
    assert not bad.ok and bad.status != 0
    assert capfd.readouterr().out == ""  # nothing reached the process's output


@pytest.mark.parametrize("call", [
    lambda f: vexalkit.read_file(f / "missing.lmp"),
    lambda f: vexalkit.read_file("missing.lmp", f / "test.pak"),
    lambda f: vexalkit.Pak(f / "missing.pak"),
    lambda f: vexalkit.Pak(f / "test.pak").read("missing.lmp"),
    lambda f: vexalkit.Wad((f / "archive.wad").read_bytes()).read("missing"),
    lambda f: vexalkit.Model.load("progs/missing.mdl", f / "test.pak"),
], ids=["disk", "entry", "archive", "pak-read", "wad-read", "model-load"])
def test_missing_files_raise_not_found(files, call):
    with pytest.raises(vexalkit.NotFoundError) as raised:
        call(files)
    assert isinstance(raised.value, FileNotFoundError)
    assert isinstance(raised.value, vexalkit.Error)
    assert raised.value.errno == errno.ENOENT
    assert "missing" in str(raised.value)


@pytest.mark.parametrize("kind, name, code", [
    (vexalkit.Model, "sprite.spr", 20), (vexalkit.Sprite, "model.mdl", 50),
    (vexalkit.Palette, "picture.lmp", 30), (vexalkit.Picture, "palette.lmp", 32),
    (vexalkit.Wad, "model.mdl", 12),
])
def test_wrong_bytes_raise_error_with_the_code(data, kind, name, code):
    with pytest.raises(vexalkit.Error) as raised:
        kind(data(name))
    assert raised.value.code == code
    assert not isinstance(raised.value, FileNotFoundError)
    assert str(raised.value) == raised.value.message != ""


def test_non_archive_raises_error(files, tmp_path):
    impostor = tmp_path / "model.pak"
    impostor.write_bytes((files / "model.mdl").read_bytes())
    with pytest.raises(vexalkit.Error) as raised:
        vexalkit.Pak(impostor)
    assert raised.value.code == 10


@pytest.mark.parametrize("call, error", [
    (lambda d: vexalkit.Model("text"), TypeError),
    (lambda d: vexalkit.Model(42), TypeError),
    (lambda d: vexalkit.read_file(3.5), TypeError),
    (lambda d: vexalkit.read_file("a\0b"), ValueError),
    (lambda d: vexalkit.Picture(d("picture.lmp")).to_rgba(
        vexalkit.Palette(d("palette.lmp")), row=-1), ValueError),
    (lambda d: vexalkit.Picture(d("picture.lmp")).to_rgba("palette"), TypeError),
])
def test_bad_arguments_raise_python_errors(data, call, error):
    with pytest.raises(error):
        call(data)


def test_second_colormap_is_refused_and_keeps_the_first(data):
    palette = vexalkit.Palette(data("palette.lmp"))
    palette.load_colormap(data("colormap.lmp"))
    before = palette.colormap.copy()
    with pytest.raises(vexalkit.Error):
        palette.load_colormap(data("colormap.lmp"))
    assert palette.colormap.tobytes() == before.tobytes()


@pytest.mark.parametrize("key", ["test", "broken", "sample"])
def test_pak_entries_match_the_record(files, record, key):
    pak = vexalkit.Pak(files / f"{key}.pak")
    entries = [{"name": e.name, "offset": e.offset, "size": e.size, "valid": e.valid}
               for e in pak]
    assert entries == record(f"{key}_pak").meta["entries"]
    assert [e.name for e in pak.entries] == pak.names() and len(pak) == len(entries)


@pytest.mark.parametrize("key, source", [("wad", "archive.wad"), ("sample_wad", None)])
def test_wad_entries_match_the_record(files, record, key, source):
    raw = ((files / source).read_bytes() if source
           else vexalkit.read_file("gfx/sample.wad", files / "sample.pak"))
    wad = vexalkit.Wad(raw)
    fields = ("name", "offset", "disk_size", "size", "type", "compression")
    entries = [{field: getattr(entry, field) for field in fields} for entry in wad]
    assert entries == record(key).meta["entries"]
    assert [e.name for e in wad.entries] == wad.names() and len(wad) == len(entries)
    for entry in wad:
        assert wad.read(entry.name) == raw[entry.offset:entry.offset + entry.disk_size]
