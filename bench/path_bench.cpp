// Path cleaning and extension forcing, per call on names a caller would
// pass. Each call first restores the name (the calls rewrite it in place);
// the "memcpy" baseline is that restore alone.
#include "harness.hpp"

#include "vexalkit.hpp"

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

// An FBSTRING on the C heap, big enough for every name and its extension.
class Slot {
  public:
    Slot() {
        value_.data = static_cast<char*>(std::malloc(kCapacity + 1));
        value_.capacity = kCapacity;
        set("");
    }
    ~Slot() { std::free(value_.data); }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;

    void set(std::string_view text) {
        std::memcpy(value_.data, text.data(), text.size());
        value_.data[text.size()] = '\0';
        value_.length = static_cast<int32_t>(text.size());
    }
    FBSTRING& get() { return value_; }

  private:
    static constexpr int32_t kCapacity = 255;
    FBSTRING value_{};
};

template <class Call> auto perName(Call call) {
    auto slot = std::make_shared<Slot>();
    auto extensions = std::make_shared<Slot>();
    auto timed = job(namesBytes(), [slot, extensions, call] {
        for (std::string_view name : kNames) {
            slot->set(name);
            call(slot->get(), *extensions);
        }
    });
    timed.callsPerRun = kNames.size();
    return timed;
}

void registerPathCases() {
    addVariant("clean_path", "lib", [] {
        return perName([](FBSTRING& path, Slot&) {
            const int32_t flag = 1;
            vexlCleanPath(path, flag);
        });
    });
    addVariant("clean_path", "memcpy", [] { return perName([](FBSTRING&, Slot&) {}); });
    addVariant("force_type", "lib", [] {
        return perName([](FBSTRING& path, Slot& extensions) {
            extensions.set(".wav .mp3");
            vexlForceType(path, extensions.get());
        });
    });
    addVariant("force_type", "memcpy", [] {
        return perName([](FBSTRING&, Slot& extensions) { extensions.set(".wav .mp3"); });
    });
}

const Registrar registrar(registerPathCases);

} // namespace
} // namespace vexl::bench
