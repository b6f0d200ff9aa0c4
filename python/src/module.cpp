// The extension module vexalkit._vexalkit: module-level functions, and the
// parts that add the record classes.
#include "binding.hpp"

#include "vexalkit/map.hpp"
#include "vexalkit_cpp.hpp"

#include <string>

namespace vexalkit::python {

namespace {

py::bytes readFileBytes(py::handle path, const py::object& archive) {
    const std::string name = nameArgument(path);
    const std::string archiveName = archive.is_none() ? std::string() : nameArgument(archive);
    Bytes bytes;
    {
        const py::gil_scoped_release unlocked;
        bytes = readFile(archiveName, name);
    }
    return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string whatIsName(py::handle data) {
    const ByteView bytes(data);
    FileType type = FileType::Unknown;
    {
        const py::gil_scoped_release unlocked;
        type = whatIs(bytes.span());
    }
    return std::string(typeName(type));
}

MapCheck checkMapBytes(py::handle data) {
    const ByteView bytes(data);
    // Text Python printed earlier goes out now, not into the report.
    const py::object output = py::module_::import("sys").attr("stdout");
    if (!output.is_none()) {
        output.attr("flush")();
    }
    const py::gil_scoped_release unlocked;
    return checkMap(bytes.span());
}

void bindMapCheck(py::module_& module) {
    py::class_<MapCheck>(module, "MapCheck",
                         "The outcome of check_map: the status and the report the library "
                         "printed while reading the map source.")
        .def_readonly("status", &MapCheck::status,
                      "The library's status: 0 when the map reads cleanly.")
        .def_property_readonly("ok", &MapCheck::ok, "True when status is 0.")
        .def_property_readonly(
            "report", [](const MapCheck& check) { return nameResult(check.report); },
            "The report text exactly as printed, lines ending in CR LF.")
        .def("__bool__", &MapCheck::ok, "True when the map reads cleanly.")
        .def("__repr__", [](const MapCheck& check) {
            return "<vexalkit.MapCheck status=" + std::to_string(check.status) + " report of " +
                   std::to_string(check.report.size()) + " bytes>";
        });
}

} // namespace

void bindFunctions(py::module_& module) {
    module.def("read_file", &readFileBytes, py::arg("path"), py::arg("archive") = py::none(),
               "Returns the whole file `path` as bytes: from inside the PAK archive `archive`\n"
               "(\".pak\" is added to its name when missing), or from disk when `archive` is\n"
               "None. Either separator works in both names. Raises NotFoundError for a missing\n"
               "file, archive or entry, Error for other failures.");
    module.def("what_is", &whatIsName, py::arg("data"),
               "The kind of file the bytes hold: \"pak\", \"wad2\", \"model\", \"sprite\",\n"
               "\"riff\", \"picture\", \"palette\", \"colormap\", \"block4000\" or \"unknown\".\n"
               "Formats without a magic are told by their size.");
    bindMapCheck(module);
    module.def("check_map", &checkMapBytes, py::arg("data"),
               "Checks a map source and returns a MapCheck with the report the library prints.\n"
               "The report is captured from file descriptor 1, which belongs to the whole\n"
               "process: checks run one at a time, and whatever other threads write to\n"
               "descriptor 1 meanwhile lands in the report (Python's sys.stdout is not\n"
               "redirected, but its buffered text may be flushed into it).");
}

} // namespace vexalkit::python

PYBIND11_MODULE(_vexalkit, module) {
    namespace binding = vexalkit::python;
    module.doc() = "The native part of the vexalkit package; import vexalkit instead.";
    binding::bindErrors(module);
    binding::bindFunctions(module);
    binding::bindArchives(module);
    binding::bindImages(module);
    binding::bindModel(module);
}
