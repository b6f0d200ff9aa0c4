// Library failures as Python exceptions. The classes themselves live in the
// package's pure-Python part (vexalkit/_errors.py): NotFoundError derives
// from both Error and FileNotFoundError, which is plain to write there.
#include "binding.hpp"

#include "vexalkit_cpp.hpp"

#include <exception>

namespace vexalkit::python {

namespace {

void raise(const Error& error) {
    const py::module_ classes = py::module_::import("vexalkit._errors");
    const py::object type = classes.attr(error.isNotFound() ? "NotFoundError" : "Error");
    const py::object instance = type(error.code(), error.what(), error.context());
    PyErr_SetObject(type.ptr(), instance.ptr());
}

} // namespace

void bindErrors(py::module_& module) {
    // Imported now so that a broken package fails at import, not at the
    // first failure.
    const py::module_ classes = py::module_::import("vexalkit._errors");
    module.attr("Error") = classes.attr("Error");
    module.attr("NotFoundError") = classes.attr("NotFoundError");
    py::register_exception_translator([](std::exception_ptr pending) {
        try {
            if (pending) {
                std::rethrow_exception(pending);
            }
        } catch (const Error& error) {
            try {
                raise(error);
            } catch (py::error_already_set& failure) {
                failure.restore();
            }
        }
    });
}

} // namespace vexalkit::python
