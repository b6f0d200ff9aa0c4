#include "output/messages.hpp"

#include "failure.hpp"
#include "output/entry_names.hpp"

#include <cstdio>
#include <string>

namespace vexl::cli {

void sayProblem(std::string_view line) {
    std::fflush(stdout);
    std::fprintf(stderr, "vexalkit: %.*s\n", static_cast<int>(line.size()), line.data());
}

void warn(std::string_view subject, std::string_view message) {
    sayProblem("warning: " + escapeForTerminal(subject) + ": " + std::string(message));
}

void Problems::warn(std::string_view subject, std::string_view message) {
    ++count_;
    vexl::cli::warn(subject, message);
}

void Problems::say(std::string_view line) {
    ++count_;
    sayProblem(line);
}

void Problems::throwIfAny(const std::string& what, const std::string& singular,
                          const std::string& plural, const std::string& after) const {
    if (count_ != 0) {
        throw Failure(what + ": " + std::to_string(count_) + " " +
                      (count_ == 1 ? singular : plural) + after);
    }
}

} // namespace vexl::cli
