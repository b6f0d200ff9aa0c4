"""Python-level model loading against the C++ load of the same bytes.

For each model, times Model(data) plus taking the `vertices` view from
Python, and the same loads in a C++ loop in the same process (the module
vexalkit_bench, built from load_timer.cpp beside this script and kept out of
the package). The difference is the cost of the Python layer per call; a copy
of the vertices is timed beside it for scale. Not part of the test command.

Usage (scripts/python.sh builds both modules and the fixture writer):
    PYTHONPATH=build-py/python /usr/bin/python3 python/bench/bench_model.py [FIXTURE_WRITER]
"""

import subprocess
import sys
import tempfile
import timeit
from pathlib import Path

import vexalkit
import vexalkit_bench

ROOT = Path(__file__).resolve().parents[2]


def best_of(function, number: int, repeat: int = 7) -> float:
    """The fastest mean seconds per call over `repeat` rounds of `number` calls."""
    return min(timeit.repeat(function, number=number, repeat=repeat)) / number


def measure(name: str, data: bytes) -> None:
    model = vexalkit.Model(data)
    size = model.vertices.nbytes
    number = max(20, min(20000, 20_000_000 // max(len(data), 1)))

    def python_load():
        return vexalkit.Model(data).vertices

    python_seconds = best_of(python_load, number)
    cpp_seconds = min(vexalkit_bench.time_model_loads(data, number) for _ in range(7))
    copy_seconds = best_of(lambda: model.vertices.copy(), number)
    overhead = (python_seconds - cpp_seconds) * 1e6
    print(f"{name:<16} {len(data):>9} B  vertices {size:>9} B  "
          f"C++ {cpp_seconds * 1e6:9.2f} us  Python {python_seconds * 1e6:9.2f} us  "
          f"overhead {overhead:6.2f} us  (a vertices copy: {copy_seconds * 1e6:8.2f} us)")


def main() -> None:
    writer = Path(sys.argv[1]) if len(sys.argv) > 1 else (
        ROOT / "build-py" / "python" / "vexalkit-pyfixtures")
    with tempfile.TemporaryDirectory() as folder:
        files = Path(folder)
        subprocess.run([str(writer), str(files)], check=True)
        models = {
            "small (writers)": (files / "model.mdl").read_bytes(),
            "sample creature": vexalkit.read_file("progs/creature.mdl", files / "sample.pak"),
            "big (300 frames)": (files / "big.mdl").read_bytes(),
        }
    for name, data in models.items():
        measure(name, data)


if __name__ == "__main__":
    main()
