// vexalkit_bench: the yardstick of python/bench/bench_model.py, a module of
// its own so that the vexalkit package carries no benchmark code. It times
// C++ model loads of the very bytes that Python's Model(data) loads, in the
// same process.
#include <pybind11/pybind11.h>

#include "vexalkit_cpp.hpp"

#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>

namespace py = pybind11;

namespace {

// Seconds per C++ model load of `data`, the mean of `repeat` loads.
double timeModelLoads(const py::bytes& data, uint32_t repeat) {
    if (repeat == 0) {
        throw py::value_error("repeat must be at least 1");
    }
    const std::string_view held = data;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(held.data()),
                                         held.size());
    const py::gil_scoped_release unlocked;
    const auto start = std::chrono::steady_clock::now();
    for (uint32_t round = 0; round < repeat; ++round) {
        const vexalkit::Model model = vexalkit::Model::load(bytes);
    }
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / repeat;
}

} // namespace

PYBIND11_MODULE(vexalkit_bench, module) {
    module.doc() = "Timing of native loads, for the benchmarks; not part of the package.";
    module.def("time_model_loads", &timeModelLoads, py::arg("data"), py::arg("repeat") = 1,
               "The mean seconds of `repeat` C++ model loads of `data` (bytes).");
}
