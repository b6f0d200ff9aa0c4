// PAK directory reading and entry loading on arbitrary archive bytes. The
// bytes are written to a file in a private temporary folder; the directory is
// read, then every valid entry (up to a few) is loaded by name.
#include "fuzz_support.hpp"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string gFolder;
std::string gArchivePath;

void removeArchive() {
    std::remove(gArchivePath.c_str());
    rmdir(gFolder.c_str());
}

constexpr uint32_t kEntriesLoaded = 8;

bool writeArchive(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(gArchivePath.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void loadEntry(std::string_view name, size_t archiveSize) {
    vexalkit::HeapString archiveName(gArchivePath);
    vexalkit::HeapString fileName(name);
    uint8_t* bytes = nullptr;
    uint32_t byteCount = 0;
    {
        fuzzing::AllocationBudget budget(archiveSize);
        vexlPackFileLoad(archiveName.get(), fileName.get(), bytes, byteCount);
    }
    std::free(bytes);
}

// Every so often a known-good archive must still read: file handles that a
// failed read kept would run the shared pool dry.
void checkHandlesReturned() {
    static uint32_t calls = 0;
    if (++calls % 256 != 0) {
        return;
    }
    const uint8_t archive[] = {'P', 'A', 'C', 'K', 12, 0, 0, 0, 64, 0, 0, 0};
    uint8_t good[sizeof archive + 64] = {};
    std::memcpy(good, archive, sizeof archive);
    std::memcpy(good + sizeof archive, "a.lmp", 5);
    good[sizeof archive + 56] = 12;
    good[sizeof archive + 60] = 1;
    VEXLPACKINFO_T info{};
    vexalkit::HeapString archiveName(gArchivePath);
    if (!writeArchive(good, sizeof good) || vexlPackInfoRead(archiveName.get(), info) != 0) {
        std::fprintf(stderr, "a good archive no longer reads\n");
        std::abort();
    }
    vexlPackInfoKill(info);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/vexl-fuzz-pack-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    gFolder = folder;
    gArchivePath = gFolder + "/archive.pak";
    std::atexit(removeArchive);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!writeArchive(data, size)) {
        std::abort();
    }
    VEXLPACKINFO_T info{};
    vexalkit::HeapString archiveName(gArchivePath);
    int32_t status = 0;
    {
        fuzzing::AllocationBudget budget(size);
        status = vexlPackInfoRead(archiveName.get(), info);
    }
    if (status == 0) {
        uint32_t loaded = 0;
        for (uint32_t i = 0; i < info.entryCount && loaded < kEntriesLoaded; ++i) {
            if (info.entries[i].valid != 0) {
                const char* name = info.entries[i].name;
                loadEntry(std::string_view(name, strnlen(name, sizeof info.entries[i].name)), size);
                ++loaded;
            }
        }
        loadEntry("absent\\entry.lmp", size);
    }
    vexlPackInfoKill(info);
    vexlPackInfoKill(info);
    checkHandlesReturned();
    return 0;
}
