"""The documented offline install: a fresh virtual environment that sees
Debian's packages, pip without build isolation, import from elsewhere.

Slow (it builds the module through setup.py and CMake); set
VEXL_SKIP_INSTALL_TEST=1 to skip it.
"""

import os
import subprocess
from pathlib import Path

import pytest

ROOT = Path(__file__).resolve().parents[2]
# Debian's interpreter: the one whose site packages hold numpy and pybind11.
SYSTEM_PYTHON = os.environ.get("VEXL_SYSTEM_PYTHON", "/usr/bin/python3")


@pytest.mark.skipif(os.environ.get("VEXL_SKIP_INSTALL_TEST") == "1",
                    reason="VEXL_SKIP_INSTALL_TEST=1")
def test_offline_install_into_a_fresh_venv(tmp_path, files):
    venv = tmp_path / "venv"
    subprocess.run([SYSTEM_PYTHON, "-m", "venv", "--system-site-packages", str(venv)],
                   check=True)
    python = venv / "bin" / "python"
    environment = {k: v for k, v in os.environ.items() if k != "PYTHONPATH"}
    environment.setdefault("CMAKE_BUILD_PARALLEL_LEVEL", "2")
    subprocess.run([str(python), "-m", "pip", "install", "--no-build-isolation", "--no-index",
                    "--quiet", str(ROOT)], check=True, env=environment)
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    script = ("import vexalkit, pathlib, sys; "
              "assert pathlib.Path(vexalkit.__file__).is_relative_to(sys.prefix), "
              "vexalkit.__file__; "
              f"print(vexalkit.Model.load('progs/model.mdl', {str(files / 'test.pak')!r}))")
    result = subprocess.run([str(python), "-c", script], cwd=elsewhere, env=environment,
                            check=True, capture_output=True, text=True)
    assert "vexalkit.Model 3 frames" in result.stdout
