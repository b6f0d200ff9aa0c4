// Captures what the process writes to standard output, byte for byte.
// While capturing, standard output goes to a file and, on Windows, is in
// text mode as a console's is, so newline translation shows in the bytes.
#pragma once

#include <filesystem>
#include <string>

namespace vexl::testing {

class StdoutCapture {
  public:
    StdoutCapture();
    ~StdoutCapture();
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Ends the capture and returns the bytes written during it.
    std::string take();

  private:
    void restore();
    std::filesystem::path file_;
    int savedDescriptor_ = -1;
};

} // namespace vexl::testing
