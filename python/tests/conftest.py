"""Fixtures: the files the C++ fixture writer builds, and what the C++ records
hold for them (see fixtures.cpp and fixture_dump.cpp)."""

import json
import os
import subprocess
from pathlib import Path

import numpy as np
import pytest

ROOT = Path(__file__).resolve().parents[2]


def fixture_tool() -> Path:
    tool = os.environ.get("VEXL_PY_FIXTURES")
    if tool:
        return Path(tool)
    return ROOT / "build-py" / "python" / "vexalkit-pyfixtures"


@pytest.fixture(scope="session")
def files(tmp_path_factory) -> Path:
    """A fresh folder of test files, written by the C++ fixture writer."""
    folder = tmp_path_factory.mktemp("files")
    subprocess.run([str(fixture_tool()), str(folder)], check=True)
    return folder


class Record:
    """What the C++ record of one file holds: meta.json and the .bin arrays."""

    def __init__(self, folder: Path) -> None:
        self.folder = folder
        self.meta = json.loads((folder / "meta.json").read_text())

    def raw(self, name: str) -> bytes:
        return (self.folder / (name + ".bin")).read_bytes()

    def array(self, name: str, dtype, shape) -> np.ndarray:
        return np.frombuffer(self.raw(name), dtype=dtype).reshape(shape)


@pytest.fixture(scope="session")
def record(files):
    return lambda name: Record(files / "records" / name)


@pytest.fixture(scope="session")
def data(files):
    return lambda name: (files / name).read_bytes()
