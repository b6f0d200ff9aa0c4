"""Readers for the data files of the game Vexal, with records as numpy arrays.

Archives (``Pak`` on disk, ``Wad`` in memory), palettes, pictures, sprites and
models load from bytes; their arrays are read-only numpy views of the
library's records, which stay alive while any view of them does. Loading
releases the GIL, so threads can load in parallel.
"""

from ._errors import Error, NotFoundError
from ._vexalkit import (
    MapCheck,
    Model,
    Pak,
    PakEntry,
    Palette,
    Picture,
    Sprite,
    SpriteFrame,
    Wad,
    WadEntry,
    check_map,
    read_file,
    what_is,
)

__all__ = [
    "Error",
    "MapCheck",
    "Model",
    "NotFoundError",
    "Pak",
    "PakEntry",
    "Palette",
    "Picture",
    "Sprite",
    "SpriteFrame",
    "Wad",
    "WadEntry",
    "check_map",
    "read_file",
    "what_is",
]

__version__ = "0.1.0"
