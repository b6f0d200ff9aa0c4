// Lists the directory of a PAK archive: a small example of the public API.
#include "vexalkit.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

FBSTRING heapString(const char* text) {
    const size_t length = std::strlen(text);
    FBSTRING value{static_cast<char*>(std::malloc(length + 1)), static_cast<int32_t>(length),
                   static_cast<int32_t>(length)};
    if (value.data != nullptr) {
        std::memcpy(value.data, text, length + 1);
    } else {
        value = FBSTRING{};
    }
    return value;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ARCHIVE.pak\n", argv[0]);
        return 2;
    }
    FBSTRING archiveName = heapString(argv[1]);
    VEXLPACKINFO_T info{};
    const int32_t status = vexlPackInfoRead(archiveName, info);
    if (status != 0) {
        FBSTRING message{};
        vexlErrorString(status, message);
        std::fprintf(stderr, "%s: %s\n", argv[1], message.data != nullptr ? message.data : "error");
        std::free(message.data);
        std::free(archiveName.data);
        return 1;
    }
    std::printf("%s: %u entries, directory at %u\n", archiveName.data, info.entryCount,
                info.dirOffset);
    std::printf("%-40s %10s %10s  %s\n", "name", "position", "length", "valid");
    for (uint32_t i = 0; i < info.entryCount; ++i) {
        const VEXLPACKENTRY_T& entry = info.entries[i];
        std::printf("%-40s %10u %10u  %s\n", entry.name, entry.filePos, entry.fileLen,
                    entry.valid != 0 ? "yes" : "no");
    }
    vexlPackInfoKill(info);
    std::free(archiveName.data);
    return 0;
}
