// Path cleaning on arbitrary text. The first byte picks the flag; the rest is
// the path. The result must be in canonical form: "\" separators only, no
// empty or "." parts, no blanks around a part, and a final "\" exactly when
// the flag is zero (a leading "\" marks an absolute path on POSIX hosts).
#include "fuzz_support.hpp"

namespace {

[[noreturn]] void fail(const char* what, std::string_view cleaned) {
    std::fprintf(stderr, "cleaned path [%.*s]: %s\n", static_cast<int>(cleaned.size()),
                 cleaned.data(), what);
    std::abort();
}

void checkCanonical(std::string_view cleaned, bool finalSeparator) {
    if (cleaned.empty()) {
        return;
    }
    if (cleaned.find('/') != std::string_view::npos) {
        fail("forward slash left", cleaned);
    }
    if ((cleaned.back() == '\\') != finalSeparator) {
        fail("wrong final separator", cleaned);
    }
    std::string_view rest = cleaned.substr(cleaned.front() == '\\' ? 1 : 0);
    if (finalSeparator) {
        rest.remove_suffix(1);
    }
    while (true) {
        const size_t end = rest.find('\\');
        const std::string_view part = rest.substr(0, end);
        if (part.empty() || part == ".") {
            fail("empty or '.' part", cleaned);
        }
        if (part.front() == ' ' || part.back() == ' ' || part.back() == '\0') {
            fail("part not trimmed", cleaned);
        }
        if (end == std::string_view::npos) {
            return;
        }
        rest.remove_prefix(end + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int32_t flag = data[0] & 1;
    vexalkit::HeapString path(fuzzing::asText(data + 1, size - 1));
    {
        fuzzing::AllocationBudget budget(size);
        vexlCleanPath(path.get(), flag);
    }
    checkCanonical(path.text(), flag == 0);
    return 0;
}
