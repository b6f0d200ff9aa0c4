"""Views keep their record alive; loads run in parallel with the GIL released."""

import gc
import sys
import threading
import time

import numpy as np
import pytest

import vexalkit


def test_views_share_the_record_memory(data):
    model = vexalkit.Model(data("model.mdl"))
    first, second = model.vertices, model.vertices
    assert np.shares_memory(first, second)
    assert first.base is model


def test_views_hold_a_reference_and_give_it_back(data):
    model = vexalkit.Model(data("model.mdl"))
    baseline = sys.getrefcount(model)
    views = [model.vertices, model.triangles, model.tex_coords, *model.skins]
    holding = [view for view in views if view.base is model]
    assert len(holding) == len(views) - 1  # the empty skin slot needs no memory
    assert sys.getrefcount(model) == baseline + len(views) - 1
    del holding
    del views
    gc.collect()
    assert sys.getrefcount(model) == baseline


@pytest.mark.parametrize("make_view", [
    lambda d: vexalkit.Model(d("model.mdl")).vertices,
    lambda d: vexalkit.Model(d("model.mdl")).skins[0],
    lambda d: vexalkit.Sprite(d("sprite.spr")).frames[0].pixels,
    lambda d: vexalkit.Palette(d("palette.lmp")).colors,
    lambda d: vexalkit.Picture(d("picture.lmp")).pixels,
], ids=["vertices", "skin", "sprite-frame", "colors", "pixels"])
def test_view_outlives_its_record_object(data, make_view):
    view = make_view(data)
    expected = view.tobytes()
    gc.collect()
    # Other allocations would reuse freed record memory and show in the bytes.
    clutter = [vexalkit.Model(data("model.mdl")) for _ in range(20)]
    del clutter
    gc.collect()
    assert view.tobytes() == expected


def test_loader_keeps_no_reference_to_the_callers_buffer(data):
    raw = bytearray(data("archive.wad"))
    wad = vexalkit.Wad(raw)
    raw[:] = b"x" * len(raw)
    raw.extend(b"more")  # would fail while a buffer export were held
    assert wad.read("pic") == data("picture.lmp")


def _load_windows(raw, loads, windows):
    for _ in range(loads):
        start = time.perf_counter()
        vexalkit.Model(raw)
        windows.append((start, time.perf_counter()))


def test_two_threads_load_at_once(data):
    raw = data("big.mdl")
    windows_a, windows_b = [], []
    interval = sys.getswitchinterval()
    # With a switch interval this long, a thread holding the GIL is never
    # preempted: two loads overlap only if a load lets the GIL go.
    sys.setswitchinterval(5.0)
    try:
        threads = [threading.Thread(target=_load_windows, args=(raw, 6, windows))
                   for windows in (windows_a, windows_b)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    finally:
        sys.setswitchinterval(interval)
    overlapping = [(a, b) for a in windows_a for b in windows_b
                   if a[0] < b[1] and b[0] < a[1]]
    assert overlapping
