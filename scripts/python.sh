#!/usr/bin/env bash
# The Python module's tests: installs the Debian packages it needs, builds
# the module, the benchmark's timing module and the tests' fixture writer
# (build-py/), checks the type stubs against the built module with mypy's
# stubtest, and runs the pytest suite, all with Debian's interpreter,
# /usr/bin/python3: that is where Debian's numpy, pybind11, mypy and pytest
# live (a python3 earlier on PATH may be another installation without them).
# The suite includes an install into a fresh virtual environment with pip,
# reusing build-py's objects; set VEXL_SKIP_INSTALL_TEST=1 to leave it out.
# Usage: scripts/python.sh [BUILD_DIR [PYTEST_ARGUMENT...]]   (default build-py; the
# test command passes its own tree, so that the library's objects are reused)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
python=/usr/bin/python3
build=${1:-build-py}
[ $# -eq 0 ] || shift
scripts/deps.sh pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest \
    python3-mypy python3-venv python3-pip python3-setuptools python3-wheel
cmake -S . -B "$build" -DVEXL_BUILD_PYTHON=ON -DVEXL_WERROR=ON \
    -DPython_EXECUTABLE="$python" >/dev/null
cmake --build "$build" -j2 --target vexalkit_python vexalkit_pybench vexalkit-pyfixtures
export PYTHONPATH="$root/$build/python"
export VEXL_PY_FIXTURES="$root/$build/python/vexalkit-pyfixtures"
export VEXL_CMAKE_BUILD_DIR="$root/$build"
# Run from outside the tree, so that the package found is the built one.
cd "$(mktemp -d)"
"$python" -m mypy.stubtest vexalkit --allowlist "$root/python/stubtest-allowlist.txt"
"$python" -m pytest -q -p no:cacheprovider "$root/python/tests" "$@"
echo "python: module built and tested in ${SECONDS}s"
