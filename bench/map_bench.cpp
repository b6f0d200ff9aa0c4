// The map source checker on 20 MB of text, its console report sent to the
// null device. Baselines: a plain walk that only finds the line ends (the
// least any line-by-line checker does) and a copy of the text.
#include "harness.hpp"
#include "writers/byte_writer.hpp"

#include "vexalkit.hpp"

#include <string>

namespace vexl::bench {
namespace {

constexpr size_t kTargetBytes = 20'000'000;

// Six planes of a box brush, as a level editor writes them.
void brush(std::string& out, int index) {
    const int x = index % 4096 - 2048;
    const int y = index / 4096 * 64 - 1024;
    out.append("{\r\n");
    for (int plane = 0; plane < 6; ++plane) {
        const int offset = plane * 16;
        out.append("( " + std::to_string(x + offset) + " " + std::to_string(y) + " 64 ) ( " +
                   std::to_string(x) + " " + std::to_string(y + offset) + " 64 ) ( " +
                   std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(offset) +
                   " ) city4_" + std::to_string(plane) + " 0 0 0 1.000000 1.000000\r\n");
    }
    out.append("}\r\n");
}

// One world entity holding most brushes, then point entities with a few
// key/value lines and brush entities, the mix of a real level.
const Bytes& mapInput() {
    static const Bytes bytes = [] {
        std::string out;
        out.append("// generated level\r\n{\r\n\"classname\" \"worldspawn\"\r\n"
                   "\"message\" \"The Generated Keep\"\r\n\"wad\" \"gfx/base.wad\"\r\n");
        int index = 0;
        for (; out.size() < kTargetBytes / 2; ++index) {
            brush(out, index);
        }
        out.append("}\r\n");
        for (int entity = 0; out.size() < kTargetBytes; ++entity) {
            out.append("{\r\n");
            if (entity % 4 == 0) {
                out.append("\"classname\"\t\"func_door\"\r\n\"angle\" \"-1\"\r\n");
                brush(out, index++);
            } else {
                out.append("\"classname\" \"light\"\r\n\"origin\" \"" +
                           std::to_string(entity % 997) + " 128 " + std::to_string(entity % 61) +
                           "\"\r\n\"light\" \"200\"\r\n");
            }
            out.append("}\r\n");
        }
        return writers::ByteWriter().text(out).take();
    }();
    return bytes;
}

// Counts the lines the way the checker splits them, doing nothing else.
uint64_t lineWalk(const Bytes& bytes) {
    uint64_t lines = 0;
    const uint8_t* at = bytes.data();
    const uint8_t* const end = at + bytes.size();
    while (at < end) {
        const void* feed = std::memchr(at, '\n', static_cast<size_t>(end - at));
        at = feed == nullptr ? end : static_cast<const uint8_t*>(feed) + 1;
        ++lines;
    }
    return lines;
}

void registerMapCases() {
    const std::string name = "map_check_20MB";
    addVariant(name, "lib", [] {
        const Bytes& bytes = mapInput();
        return job(bytes.size(), [&bytes] {
            const uint8_t* const data = bytes.data();
            const auto size = static_cast<uint32_t>(bytes.size());
            const StdoutToNull quiet;
            benchmark::DoNotOptimize(vexlMapLoad(data, size));
        });
    });
    addVariant(name, "plain", [] {
        const Bytes& bytes = mapInput();
        return job(bytes.size(), [&bytes] { benchmark::DoNotOptimize(lineWalk(bytes)); });
    });
    addInputCopy(name, mapInput);
}

const Registrar registrar(registerMapCases);

} // namespace
} // namespace vexl::bench
