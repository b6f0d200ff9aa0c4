"""Builds the vexalkit Python module with CMake, from this source tree.

The extension is the CMake target vexalkit_python (python/CMakeLists.txt),
with the library's objects linked in statically, so the installed module
needs no shared library beside it. CMake is told to use the interpreter
that runs this build, so the module matches the Python it is installed
into.
"""

import os
import subprocess
import sys
import sysconfig
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


class CMakeExtension(Extension):
    """An extension whose file CMake builds; setuptools compiles nothing."""

    def __init__(self, name: str, target: str) -> None:
        super().__init__(name, sources=[])
        self.target = target


class CMakeBuild(build_ext):
    """Configures the tree with the Python module on and builds its target."""

    def build_extension(self, ext: CMakeExtension) -> None:
        import pybind11

        # VEXL_CMAKE_BUILD_DIR names a tree already configured with
        # VEXL_BUILD_PYTHON=ON for this interpreter (the test script's): the
        # module is then built there instead of in a tree of its own.
        existing = os.environ.get("VEXL_CMAKE_BUILD_DIR")
        build_dir = Path(existing or Path(self.build_temp).resolve() / "cmake")
        package_dir = build_dir / "python" / "vexalkit"
        configure = [
            "cmake", "-S", str(ROOT), "-B", str(build_dir),
            "-DCMAKE_BUILD_TYPE=Release",
            "-DVEXL_BUILD_PYTHON=ON",
            "-DVEXL_BUILD_TESTS=OFF",
            "-DVEXL_BUILD_TOOLS=OFF",
            f"-DPython_EXECUTABLE={sys.executable}",
            f"-Dpybind11_DIR={pybind11.get_cmake_dir()}",
        ]
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", str(os.cpu_count() or 1))
        if not existing:
            subprocess.run(configure, check=True)
        subprocess.run(["cmake", "--build", str(build_dir), "--target", ext.target,
                        "-j", jobs], check=True)
        built = package_dir / ("_vexalkit" + sysconfig.get_config_var("EXT_SUFFIX"))
        destination = Path(self.get_ext_fullpath(ext.name))
        destination.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(destination))


setup(
    ext_modules=[CMakeExtension("vexalkit._vexalkit", "vexalkit_python")],
    cmdclass={"build_ext": CMakeBuild},
)
