// The WAD2 directory reader on an archive of 4,096 entries.
#include "harness.hpp"
#include "writers/wad_writer.hpp"

#include "vexalkit.hpp"

#include <string>

namespace vexl::bench {
namespace {

constexpr uint32_t kEntries = 4096;

// Entries without data, so the input is the directory the reader reads.
const Bytes& wadInput() {
    static const Bytes bytes = [] {
        std::vector<writers::WadFile> files;
        for (uint32_t i = 0; i < kEntries; ++i) {
            files.push_back(
                {"tex_" + std::to_string(i), {}, static_cast<uint8_t>(0x40 + i % 4), 0});
        }
        return writers::buildWad(files);
    }();
    return bytes;
}

void registerWadCases() {
    const std::string name = "wad_directory_4096";
    addVariant(name, "lib", [] {
        const Bytes& bytes = wadInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const data = bytes.data();
            const auto size = static_cast<uint32_t>(bytes.size());
            VEXLWADINFO_T info{};
            benchmark::DoNotOptimize(VEXLWADGETINFO(data, size, info));
            VEXLWADKILL(info);
        });
    });
    // One block: the entries, every field computed from the directory.
    addFloor(name, wadInput, [](const Bytes&) {
        return std::vector<Block>{{kEntries * sizeof(VEXLWADENTRY_T), nullptr}};
    });
    addInputCopy(name, wadInput);
}

const Registrar registrar(registerWadCases);

} // namespace
} // namespace vexl::bench
