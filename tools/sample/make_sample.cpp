// Writes the project's own sample PAK archive, every byte generated here.
#include "sample/sample.hpp"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pak\n", argv[0]);
        return 2;
    }
    const vexl::writers::Bytes archive = vexl::writers::buildPak(vexl::sample::archiveFiles());
    const std::string partial = std::string(argv[1]) + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(archive.data()),
                  static_cast<std::streamsize>(archive.size()));
        out.close();
        if (!out) {
            std::remove(partial.c_str());
            std::fprintf(stderr, "cannot write %s\n", argv[1]);
            return 1;
        }
    }
    if (std::rename(partial.c_str(), argv[1]) != 0) {
        std::remove(partial.c_str());
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("wrote %s (%zu bytes)\n", argv[1], archive.size());
    return 0;
}
