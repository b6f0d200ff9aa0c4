// The command line and the standard streams.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace vexl::cli::host {

// The program's arguments as UTF-8 bytes (on Windows read from the wide
// command line, so that any name can be given), in argv's shape.
class Arguments {
  public:
    Arguments(int argc, char** argv);
    int count() const { return static_cast<int>(pointers_.size()) - 1; }
    char** values() { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_; // null-terminated, as argv
};

// Makes the standard streams carry the tool's bytes unchanged: on Windows
// no "\n" to "\r\n" rewriting (output is the same bytes as on Linux) and a
// console shows UTF-8 (its code page is given back at exit).
void prepareStandardStreams();

bool isTerminal(std::FILE* stream);

} // namespace vexl::cli::host
