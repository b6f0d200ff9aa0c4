// Path cleaning and extension forcing, per call on names a caller would
// pass. Each call first restores the name (the calls rewrite it in place);
// the "memcpy" baseline is that restore alone.
#include "harness.hpp"

#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"

#include <array>
#include <memory>
#include <string_view>

namespace vexl::bench {
namespace {

constexpr std::array<std::string_view, 6> kNames = {
    "progs/player.mdl",
    "maps\\e1m1.bsp",
    "sound/items/../weapons/rocket1i.wav",
    "  gfx/palette.lmp ",
    "C:\\games\\vexal\\base\\pak0.pak",
    "textures/./base/wall/brick01",
};

uint64_t namesBytes() {
    uint64_t total = 0;
    for (std::string_view name : kNames) {
        total += name.size();
    }
    return total;
}

// Room for every name and its extension, so restoring a name allocates nothing.
constexpr std::size_t kNameRoom = 255;

template <class Call> auto perName(Call call) {
    auto slot = std::make_shared<vexalkit::HeapString>();
    auto extensions = std::make_shared<vexalkit::HeapString>();
    slot->reserve(kNameRoom);
    extensions->reserve(kNameRoom);
    auto timed = job(namesBytes(), [slot, extensions, call] {
        for (std::string_view name : kNames) {
            slot->assign(name);
            call(slot->get(), *extensions);
        }
    });
    timed.callsPerRun = kNames.size();
    return timed;
}

void registerPathCases() {
    addVariant("clean_path", "lib", [] {
        return perName([](FBSTRING& path, vexalkit::HeapString&) {
            const int32_t flag = 1;
            vexlCleanPath(path, flag);
        });
    });
    addVariant("clean_path", "memcpy",
               [] { return perName([](FBSTRING&, vexalkit::HeapString&) {}); });
    addVariant("force_type", "lib", [] {
        return perName([](FBSTRING& path, vexalkit::HeapString& extensions) {
            extensions.assign(".wav .mp3");
            vexlForceType(path, extensions.get());
        });
    });
    addVariant("force_type", "memcpy", [] {
        return perName(
            [](FBSTRING&, vexalkit::HeapString& extensions) { extensions.assign(".wav .mp3"); });
    });
}

const Registrar registrar(registerPathCases);

} // namespace
} // namespace vexl::bench
