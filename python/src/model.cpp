// Models: every array a numpy view of the record, and the editing operations.
#include "binding.hpp"

#include "vexalkit_cpp.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexalkit::python {

namespace {

const Model& modelOf(const py::object& self) {
    return self.cast<const Model&>();
}

py::ssize_t frames(const Model& model) {
    return model.frameCount();
}

py::ssize_t slots(const Model& model) {
    return model.vertexSlots();
}

const float* floatsOf(const VEXLVECTOR_T* vectors) {
    static_assert(sizeof(VEXLVECTOR_T) == 3 * sizeof(float), "a vector is three packed floats");
    return vectors == nullptr ? nullptr : &vectors->x;
}

py::array vertexView(py::object self) {
    const Model& model = modelOf(self);
    return recordView(self, floatsOf(model.record().vertices), {frames(model), slots(model), 3});
}

py::array texCoordView(py::object self) {
    const Model& model = modelOf(self);
    return recordView(self, floatsOf(model.texCoords().data()), {slots(model), 3});
}

// The three vertex indices of each triangle; the record's reserved bytes
// after them are stepped over.
py::array triangleView(py::object self) {
    const Model& model = modelOf(self);
    const auto triangles = model.triangles();
    const uint16_t* const first = triangles.empty() ? nullptr : triangles.data()->vertex;
    return recordView(self, first, {static_cast<py::ssize_t>(triangles.size()), 3},
                      {sizeof(VEXLTRIANGLE_T), sizeof(uint16_t)});
}

py::array seamMapView(py::object self) {
    const Model& model = modelOf(self);
    return recordView(self, model.seamMap().data(), {slots(model)});
}

py::array groupSizeView(py::object self) {
    const Model& model = modelOf(self);
    return recordView(self, model.frameGroupSizes().data(), {frames(model)});
}

py::list skinViews(py::object self) {
    const Model& model = modelOf(self);
    py::list skins;
    for (uint32_t index = 0; index < model.skinSlots(); ++index) {
        const PictureView skin = model.skin(index);
        skins.append(recordView(self, skin.pixels().data(), pictureShape(skin)));
    }
    return skins;
}

py::list frameNames(const Model& model) {
    py::list names;
    for (uint32_t index = 0; index < model.frameCount(); ++index) {
        names.append(nameResult(model.frameName(index)));
    }
    return names;
}

Model loadModelByName(py::handle path, const py::object& archive) {
    const std::string name = nameArgument(path);
    const std::string archiveName = archive.is_none() ? std::string() : nameArgument(archive);
    const py::gil_scoped_release unlocked;
    return Model::load(archiveName, name);
}

uint32_t frameIndex(const Model& model, py::handle name) {
    const auto index = model.findFrame(nameArgument(name));
    if (!index) {
        throw py::key_error(py::repr(name).cast<std::string>());
    }
    return *index;
}

void bindArrays(py::class_<Model>& model) {
    model
        .def_property_readonly("vertices", &vertexView,
                               "(frames, vertex_slots, 3) float32 view: every frame's positions,\n"
                               "unpacked. Changed in place by scale().")
        .def_property_readonly("tex_coords", &texCoordView,
                               "(vertex_slots, 3) float32 view: s and t as fractions of the skin\n"
                               "size, then 0. Changed in place by skin_inv() and skin_no_back().")
        .def_property_readonly("triangles", &triangleView,
                               "(triangles, 3) uint16 view of the vertex indices. Changed in\n"
                               "place by swap_tris().")
        .def_property_readonly("seam_map", &seamMapView,
                               "(vertex_slots,) uint32 view: each vertex's back-side copy, 0 for\n"
                               "none.")
        .def_property_readonly("frame_group_sizes", &groupSizeView,
                               "(frames,) uint8 view: the size of the group starting at each\n"
                               "frame (low 8 bits), 0 elsewhere.")
        .def_property_readonly("skins", &skinViews,
                               "One (height, width) uint8 view per skin slot; the slot a skin\n"
                               "group leaves at the end is (0, 0).")
        .def_property_readonly("frame_names", &frameNames, "Every frame's name, in order.");
}

void bindEditing(py::class_<Model>& model) {
    model
        .def(
            "scale", [](Model& self, float factor) { self.scale(factor); }, py::arg("factor"),
            "Multiplies every position by `factor`; 0, 1 and NaN change nothing.\n"
            "Changes `vertices` in place.")
        .def(
            "skin_inv", [](Model& self) { self.skinInv(); },
            "Flips each texture coordinate's t to |t - 1|. Changes `tex_coords` in place.")
        .def(
            "skin_no_back", [](Model& self) { self.skinNoBack(); },
            "Stretches both skin halves over the whole width: s becomes 2s, or 2(s - 0.5)\n"
            "above 0.5. Changes `tex_coords` in place.")
        .def(
            "swap_tris", [](Model& self) { self.swapTris(); },
            "Reverses each triangle's winding (first and third index exchanged). Changes\n"
            "`triangles` in place.");
}

} // namespace

void bindModel(py::module_& module) {
    py::class_<Model> model(module, "Model",
                            "A model with its skin and frame groups unrolled. The arrays are\n"
                            "read-only views of the record, which lives while any of them does.");
    model
        .def(py::init(&loadUnlocked<Model>), py::arg("data"),
             "Loads a model from a bytes-like object; Error for bytes that are not one.")
        .def_static("load", &loadModelByName, py::arg("path"), py::arg("archive") = py::none(),
                    "Loads the model file `path` from inside the PAK `archive`, or from disk\n"
                    "when `archive` is None. The name is taken as given (no extension added).")
        .def_property_readonly("flags", &Model::flags, "The model's effect flags.")
        .def_property_readonly("sync_type", &Model::syncType, "0: synchronised, 1: random.")
        .def_property_readonly("frame_count", &Model::frameCount,
                               "Frames, each member of a frame group counted.")
        .def_property_readonly("vertex_slots", &Model::vertexSlots,
                               "Vertices plus the back-side copies of seam vertices.")
        .def("frame", &frameIndex, py::arg("name"),
             "The index of the first frame called `name` (blanks trimmed, case folded).\n"
             "Raises KeyError when there is none.")
        .def("__repr__", [](const Model& self) {
            return "<vexalkit.Model " + std::to_string(self.frameCount()) + " frames, " +
                   std::to_string(self.vertexSlots()) + " vertex slots, " +
                   std::to_string(self.triangles().size()) + " triangles, " +
                   std::to_string(self.skinSlots()) + " skin slots>";
        });
    bindArrays(model);
    bindEditing(model);
}

} // namespace vexalkit::python
