// Borrowed bytes, names and read-only views shared by the binding's parts.
#include "binding.hpp"

namespace vexalkit::python {

ByteView::ByteView(py::handle object) {
    // PyBUF_SIMPLE asks for one contiguous run of bytes; str and other
    // objects without the buffer protocol raise TypeError here.
    if (PyObject_GetBuffer(object.ptr(), &buffer_, PyBUF_SIMPLE) != 0) {
        throw py::error_already_set();
    }
}

ByteView::~ByteView() {
    PyBuffer_Release(&buffer_);
}

std::string nameArgument(py::handle name) {
    py::object path = py::reinterpret_borrow<py::object>(name);
    if (!py::isinstance<py::str>(path) && !py::isinstance<py::bytes>(path)) {
        // os.PathLike objects give their text; other types raise TypeError.
        path = py::reinterpret_steal<py::object>(PyOS_FSPath(name.ptr()));
        if (!path) {
            throw py::error_already_set();
        }
    }
    if (py::isinstance<py::bytes>(path)) {
        return std::string(path.cast<py::bytes>());
    }
    const py::object encoded = py::reinterpret_steal<py::object>(
        PyUnicode_AsEncodedString(path.ptr(), "utf-8", "surrogateescape"));
    if (!encoded) {
        throw py::error_already_set();
    }
    std::string text(encoded.cast<py::bytes>());
    if (text.find('\0') != std::string::npos) {
        throw py::value_error("embedded null character in name");
    }
    return text;
}

py::str nameResult(std::string_view bytes) {
    PyObject* const text = PyUnicode_DecodeUTF8(
        bytes.data(), static_cast<py::ssize_t>(bytes.size()), "surrogateescape");
    if (text == nullptr) {
        throw py::error_already_set();
    }
    return py::reinterpret_steal<py::str>(text);
}

void makeReadOnly(py::array& array) {
    array.attr("setflags")(py::arg("write") = false);
}

} // namespace vexalkit::python
