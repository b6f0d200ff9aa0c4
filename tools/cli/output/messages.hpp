// The one place the tool's messages go: standard error, each line after
// "vexalkit: ", with what was written to standard output flushed first so
// that the two streams read in order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vexl::cli {

// "vexalkit: LINE".
void sayProblem(std::string_view line);

// "vexalkit: warning: SUBJECT: MESSAGE", the subject escaped for a terminal.
void warn(std::string_view subject, std::string_view message);

// The problems of a command that goes on past them (an entry it cannot
// write), said as they come and counted for its exit code.
class Problems {
  public:
    void warn(std::string_view subject, std::string_view message);
    void say(std::string_view line);
    size_t count() const { return count_; }
    // Throws Failure "WHAT: N NOUN" (NOUN in the singular for one, else the
    // plural, then `after`) when there was any.
    void throwIfAny(const std::string& what, const std::string& singular, const std::string& plural,
                    const std::string& after = "") const;

  private:
    size_t count_ = 0;
};

} // namespace vexl::cli
