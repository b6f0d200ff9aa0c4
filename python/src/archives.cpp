// PAK archives on disk and WAD2 archives in memory.
#include "binding.hpp"

#include "vexalkit_cpp.hpp"

#include <cstdint>
#include <string>
#include <utility>

namespace vexalkit::python {

namespace {

struct PakEntry {
    std::string name;
    uint32_t offset = 0;
    uint32_t size = 0;
    bool valid = false;
};

struct WadEntry {
    std::string name;
    uint32_t offset = 0;
    uint32_t diskSize = 0;
    uint32_t size = 0;
    uint8_t type = 0;
    uint8_t compression = 0;
};

struct Pak {
    PakDirectory directory;
};

struct Wad {
    WadDirectory directory;
    py::bytes data; // a copy: the caller's buffer may change after loading
};

py::bytes bytesOf(std::span<const uint8_t> bytes) {
    return py::bytes(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

PakEntry entryRecord(const VEXLPACKENTRY_T& entry) {
    return {std::string(entryName(entry)), entry.filePos, entry.fileLen, entry.valid == 1};
}

WadEntry entryRecord(const VEXLWADENTRY_T& entry) {
    return WadEntry{std::string(entryName(entry)),
                    entry.filePos,
                    entry.diskLen,
                    entry.fileLen,
                    entry.entryType,
                    entry.compression};
}

template <typename Archive> py::list entryRecords(const Archive& archive) {
    py::list entries;
    for (const auto& entry : archive.directory) {
        entries.append(entryRecord(entry));
    }
    return entries;
}

template <typename Archive> py::list entryNames(const Archive& archive) {
    py::list names;
    for (const auto& entry : archive.directory) {
        names.append(nameResult(entryName(entry)));
    }
    return names;
}

Pak openPak(py::handle path) {
    const std::string name = nameArgument(path);
    const py::gil_scoped_release unlocked;
    return Pak{PakDirectory::read(name)};
}

py::bytes readEntry(const Pak& pak, py::handle entry) {
    const std::string name = nameArgument(entry);
    Bytes bytes;
    {
        const py::gil_scoped_release unlocked;
        bytes = pak.directory.readFile(name);
    }
    return bytesOf(bytes.span());
}

Wad openWad(py::handle data) {
    Wad wad{WadDirectory(), py::bytes()};
    {
        const ByteView bytes(data);
        wad.data = bytesOf(bytes.span());
    }
    const std::string_view held = wad.data;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(held.data()),
                                         held.size());
    {
        // Only the directory read runs unlocked: `wad` holds a Python object,
        // which must not be released (on a failure) without the GIL.
        const py::gil_scoped_release unlocked;
        wad.directory = WadDirectory::read(bytes);
    }
    return wad;
}

py::bytes readEntry(const Wad& wad, py::handle entry) {
    const std::string name = nameArgument(entry);
    const VEXLWADENTRY_T* const found = wad.directory.find(name);
    if (found == nullptr) {
        throw Error(static_cast<int32_t>(Status::FileNotFound), name);
    }
    const std::string_view held = wad.data;
    const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(held.data()),
                                         held.size());
    return bytesOf(WadDirectory::entryBytes(bytes, *found));
}

void bindEntries(py::module_& module) {
    py::class_<PakEntry>(module, "PakEntry", "One entry of a PAK directory.")
        .def_property_readonly(
            "name", [](const PakEntry& entry) { return nameResult(entry.name); },
            "The cleaned path inside the archive, parts separated by \"\\\".")
        .def_readonly("offset", &PakEntry::offset, "Where the entry's bytes start.")
        .def_readonly("size", &PakEntry::size, "How many bytes the entry holds.")
        .def_readonly("valid", &PakEntry::valid, "True when the bytes lie inside the archive.")
        .def("__repr__", [](const PakEntry& entry) {
            return py::str("<vexalkit.PakEntry {!r} offset={} size={}{}>")
                .format(nameResult(entry.name), entry.offset, entry.size,
                        entry.valid ? "" : " invalid");
        });
    py::class_<WadEntry>(module, "WadEntry", "One entry of a WAD2 directory.")
        .def_property_readonly(
            "name", [](const WadEntry& entry) { return nameResult(entry.name); },
            "The entry's name, at most 16 characters.")
        .def_readonly("offset", &WadEntry::offset, "Where the stored bytes start.")
        .def_readonly("disk_size", &WadEntry::diskSize, "How many bytes are stored.")
        .def_readonly("size", &WadEntry::size, "The size once uncompressed.")
        .def_readonly("type", &WadEntry::type, "The entry's type byte.")
        .def_readonly("compression", &WadEntry::compression, "0 for bytes stored as they are.")
        .def("__repr__", [](const WadEntry& entry) {
            return py::str("<vexalkit.WadEntry {!r} type={} size={}>")
                .format(nameResult(entry.name), entry.type, entry.size);
        });
}

// What both archive classes offer: the entries, and reading one by name.
template <typename Archive>
void bindDirectory(py::class_<Archive>& archive, const char* entriesDoc, const char* readDoc) {
    archive.def_property_readonly("entries", &entryRecords<Archive>, entriesDoc)
        .def("names", &entryNames<Archive>, "The names of all entries, in directory order.")
        .def(
            "read", [](const Archive& self, py::handle name) { return readEntry(self, name); },
            py::arg("name"), readDoc)
        .def("__len__", [](const Archive& self) { return self.directory.size(); })
        .def("__iter__", [](const Archive& self) { return py::iter(entryRecords(self)); })
        .def("__contains__", [](const Archive& self, py::handle name) {
            return self.directory.find(nameArgument(name)) != nullptr;
        });
}

void bindPak(py::module_& module) {
    py::class_<Pak> pak(module, "Pak",
                        "The directory of a PAK archive on disk. Entries are read from the file\n"
                        "again on each read(); nothing is held open.");
    pak.def(py::init(&openPak), py::arg("path"),
            "Reads the directory of the archive `path` (\".pak\" is added when missing).\n"
            "Raises NotFoundError when there is no such file, Error when it is no PAK.")
        .def_property_readonly(
            "path", [](const Pak& self) { return nameResult(self.directory.archive()); },
            "The archive's name as given.")
        .def("__repr__", [](const Pak& self) {
            return py::str("<vexalkit.Pak {!r} with {} entries>")
                .format(nameResult(self.directory.archive()), self.directory.size());
        });
    bindDirectory(pak, "Every entry in directory order, invalid ones included.",
                  "The bytes of the first valid entry `name` (either separator). Raises\n"
                  "NotFoundError when there is none.");
}

void bindWad(py::module_& module) {
    py::class_<Wad> wad(module, "Wad",
                        "The directory of a WAD2 archive in memory; it keeps its own copy of the\n"
                        "bytes.");
    wad.def(py::init(&openWad), py::arg("data"),
            "Reads the directory of the WAD2 archive in `data` (a bytes-like object).\n"
            "Raises Error for bytes that are not one.")
        .def("__repr__", [](const Wad& self) {
            return py::str("<vexalkit.Wad with {} entries>").format(self.directory.size());
        });
    bindDirectory(wad, "Every entry in directory order.",
                  "The stored bytes of the first entry `name` (A-Z compared without case);\n"
                  "compressed entries stay compressed. Raises NotFoundError when there is none.");
}

} // namespace

void bindArchives(py::module_& module) {
    bindEntries(module);
    bindPak(module);
    bindWad(module);
}

} // namespace vexalkit::python
