// PAK directories and file loading, from files in the bench directory,
// against a plain open and read of the same bytes.
#include "harness.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/byte_writer.hpp"

#include "vexalkit.hpp"

#include <fcntl.h>
#include <map>
#include <memory>
#include <unistd.h>

namespace vexl::bench {
namespace {

using vexalkit::HeapString;
using writers::buildPak;
using writers::PakFile;

constexpr uint32_t kHeaderSize = 12;
constexpr uint32_t kEntrySize = 64;
constexpr uint32_t kBigEntryBytes = 16u << 20;

// Names shaped like a game's: a folder or two, a stem, an extension.
std::string entryName(uint32_t index) {
    static const char* const kFolders[] = {"progs",          "sound/weapons", "sound/items",
                                           "maps",           "gfx",           "textures/base/wall",
                                           "sound/ambience", "gfx/env"};
    static const char* const kExtensions[] = {".mdl", ".wav", ".wav", ".bsp",
                                              ".lmp", ".wal", ".wav", ".lmp"};
    const uint32_t kind = index % 8;
    return std::string(kFolders[kind]) + "/item" + std::to_string(index) + kExtensions[kind];
}

Bytes smallData(uint32_t index) {
    return Bytes(32, static_cast<uint8_t>(index));
}

// An archive of `count` small entries, written once per run.
const std::string& directoryArchive(uint32_t count) {
    static std::map<uint32_t, std::string> paths;
    std::string& path = paths[count];
    if (path.empty()) {
        std::vector<PakFile> files;
        for (uint32_t i = 0; i < count; ++i) {
            files.push_back({entryName(i), smallData(i)});
        }
        path = writeBenchFile("dir" + std::to_string(count) + ".pak", buildPak(files));
    }
    return path;
}

const Bytes& bigData() {
    static const Bytes data = [] {
        Bytes bytes(kBigEntryBytes);
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<uint8_t>(i * 131 + (i >> 12));
        }
        return bytes;
    }();
    return data;
}

const std::string& bigDiskFile() {
    static const std::string path = writeBenchFile("big.bin", bigData());
    return path;
}

// 64 entries with the 16 MiB one in the middle; its offset in the archive.
constexpr uint32_t kBigArchiveEntries = 64;
constexpr uint32_t kBigEntryIndex = 32;
const std::string kBigEntryName = "progs/big.bin";

const std::string& bigArchive() {
    static const std::string path = [] {
        std::vector<PakFile> files;
        for (uint32_t i = 0; i < kBigArchiveEntries; ++i) {
            files.push_back(i == kBigEntryIndex ? PakFile{kBigEntryName, bigData()}
                                                : PakFile{entryName(i), smallData(i)});
        }
        return writeBenchFile("big.pak", buildPak(files));
    }();
    return path;
}

uint64_t bigEntryOffset() {
    return kHeaderSize + static_cast<uint64_t>(kBigEntryIndex) * 32;
}

// Open, read the header and the whole directory, close.
void plainDirectoryRead(const std::string& path) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    uint8_t header[kHeaderSize] = {};
    if (::pread(descriptor, header, kHeaderSize, 0) != kHeaderSize) {
        ::close(descriptor);
        return;
    }
    uint32_t offset = 0;
    uint32_t length = 0;
    std::memcpy(&offset, header + 4, 4);
    std::memcpy(&length, header + 8, 4);
    auto* directory = static_cast<uint8_t*>(std::malloc(length));
    benchmark::DoNotOptimize(::pread(descriptor, directory, length, offset));
    ::close(descriptor);
    std::free(directory);
}

void addPackInfoCase(uint32_t count) {
    const std::string caseName = "pak_directory_" + std::to_string(count);
    const uint64_t directoryBytes = kHeaderSize + static_cast<uint64_t>(count) * kEntrySize;
    addVariant(caseName, "lib", [count, directoryBytes] {
        auto name = std::make_shared<HeapString>(directoryArchive(count));
        auto timed = job(directoryBytes, [name] {
            VEXLPACKINFO_T info{};
            benchmark::DoNotOptimize(vexlPackInfoRead(name->get(), info));
            vexlPackInfoKill(info);
        });
        timed.callsPerRun = 1;
        return timed;
    });
    addVariant(caseName, "plain", [count, directoryBytes] {
        const std::string path = directoryArchive(count);
        return job(directoryBytes, [path] { plainDirectoryRead(path); });
    });
}

// One load through vexlPackFileLoad; the caller frees the block.
void libraryLoad(HeapString& archive, HeapString& file) {
    uint8_t* buffer = nullptr;
    uint32_t size = 0;
    benchmark::DoNotOptimize(vexlPackFileLoad(archive.get(), file.get(), buffer, size));
    std::free(buffer);
}

// Each paired with its plain read (see addPairedVariants): the goal is a
// ratio near 1, and a read of 16 MiB is at the mercy of the machine's
// other work.
void addPackFileCases() {
    addPairedVariants(
        "pak_file_disk_16MiB", "plain",
        [] {
            auto archive = std::make_shared<HeapString>();
            auto file = std::make_shared<HeapString>(bigDiskFile());
            return job(kBigEntryBytes, [archive, file] { libraryLoad(*archive, *file); });
        },
        [] {
            const std::string path = bigDiskFile();
            return job(kBigEntryBytes, [path] { std::free(plainRead(path, 0, 0)); });
        });
    addPairedVariants(
        "pak_file_archive_16MiB", "plain",
        [] {
            auto archive = std::make_shared<HeapString>(bigArchive());
            auto file = std::make_shared<HeapString>(kBigEntryName);
            return job(kBigEntryBytes, [archive, file] { libraryLoad(*archive, *file); });
        },
        [] {
            const std::string path = bigArchive();
            return job(kBigEntryBytes,
                       [path] { std::free(plainRead(path, bigEntryOffset(), kBigEntryBytes)); });
        });
}

void registerPakCases() {
    addPackInfoCase(2048);
    addPackInfoCase(20000);
    addPackFileCases();
}

const Registrar registrar(registerPakCases);

} // namespace
} // namespace vexl::bench
