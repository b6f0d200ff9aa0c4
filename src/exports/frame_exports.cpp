// Entry points of the frame: status messages, paths.
#include "exports/guard.hpp"
#include "frame/fbstring.hpp"
#include "frame/path.hpp"
#include "frame/status.hpp"

extern "C" {

void vexlErrorString(const int32_t& code, FBSTRING& message) {
    vexl::guarded([&] {
        const std::string_view text = vexl::status::message(code);
        if (!text.empty()) {
            vexl::stringAssign(message, text);
        }
    });
}

void vexlCleanPath(FBSTRING& path, const int32_t& flag) {
    vexl::guarded([&] { vexl::cleanPathString(path, flag != 0); });
}

void vexlForceType(FBSTRING& fileName, FBSTRING& extensions) {
    vexl::guarded([&] { vexl::forceTypeStrings(fileName, extensions); });
}

} // extern "C"
