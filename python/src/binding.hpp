// Pieces every part of the Python binding shares: borrowing the bytes of a
// Python object, converting names, and numpy views of record memory.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "vexalkit/images.hpp"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vexalkit::python {

namespace py = pybind11;

// The bytes of a bytes-like object (bytes, bytearray, memoryview, a
// contiguous numpy array), borrowed for as long as this view lives. While
// it does, the exporter cannot resize or free them, so they stay valid with
// the GIL released. Anything else raises TypeError (BufferError for a
// non-contiguous buffer), as Python's own functions do.
class ByteView {
  public:
    explicit ByteView(py::handle object);
    ~ByteView();
    ByteView(const ByteView&) = delete;
    ByteView& operator=(const ByteView&) = delete;

    std::span<const uint8_t> span() const noexcept {
        return {static_cast<const uint8_t*>(buffer_.buf), static_cast<std::size_t>(buffer_.len)};
    }

  private:
    Py_buffer buffer_{};
};

// An owner (Palette, Picture, Sprite, Model) loaded from the bytes of
// `data` with the GIL released; the borrowed buffer holds them meanwhile.
template <typename Owner> Owner loadUnlocked(py::handle data) {
    const ByteView bytes(data);
    const py::gil_scoped_release unlocked;
    return Owner::load(bytes.span());
}

// A file or entry name as the library takes it: str (UTF-8, with lone
// surrogates mapped back to the bytes they escape), bytes, or os.PathLike.
std::string nameArgument(py::handle name);

// Text from the library's bytes; bytes that are not UTF-8 become lone
// surrogates, so nameArgument() gives back exactly the same bytes.
py::str nameResult(std::string_view bytes);

// A read-only numpy array over `data`, which `owner` keeps alive: the array
// holds a reference to `owner` for as long as it lives. Shape and strides
// are in elements of T and bytes respectively, as numpy takes them.
template <typename T>
py::array recordView(py::handle owner, const T* data, std::vector<py::ssize_t> shape,
                     std::vector<py::ssize_t> strides);

// The common case: a C-contiguous view of `shape`.
template <typename T>
py::array recordView(py::handle owner, const T* data, std::vector<py::ssize_t> shape) {
    std::vector<py::ssize_t> strides(shape.size());
    py::ssize_t step = sizeof(T);
    for (std::size_t axis = shape.size(); axis-- > 0;) {
        strides[axis] = step;
        step *= shape[axis];
    }
    return recordView(owner, data, std::move(shape), std::move(strides));
}

// Clears the array's WRITEABLE flag: records change only through the
// library's own operations.
void makeReadOnly(py::array& array);

template <typename T>
py::array recordView(py::handle owner, const T* data, std::vector<py::ssize_t> shape,
                     std::vector<py::ssize_t> strides) {
    py::ssize_t count = 1;
    for (const py::ssize_t extent : shape) {
        count *= extent;
    }
    // An empty array needs no memory, and numpy wants none given for it.
    if (data == nullptr || count == 0) {
        py::array empty(py::dtype::of<T>(), std::move(shape), std::move(strides));
        makeReadOnly(empty);
        return empty;
    }
    py::array view(py::dtype::of<T>(), std::move(shape), std::move(strides), data, owner);
    makeReadOnly(view);
    return view;
}

// A picture's (height, width) as its pixel array has it: a picture without
// pixels (a sprite's or a model's empty slot) is (0, 0).
inline std::vector<py::ssize_t> pictureShape(const PictureView& picture) {
    const std::size_t area = std::size_t{picture.width()} * picture.height();
    if (area != 0 && picture.empty()) {
        return {0, 0};
    }
    return {static_cast<py::ssize_t>(picture.height()), static_cast<py::ssize_t>(picture.width())};
}

// The module's parts, each adding its classes and functions.
void bindErrors(py::module_& module);
void bindFunctions(py::module_& module);
void bindArchives(py::module_& module);
void bindImages(py::module_& module);
void bindModel(py::module_& module);

} // namespace vexalkit::python
