// A one-line progress bar on standard error, shown only on a terminal.
#pragma once

#include <cstddef>
#include <string>

namespace vexl::cli {

class Progress {
  public:
    // Shown when standard error is a terminal and more than `threshold`
    // steps are to come.
    Progress(std::string label, size_t total, size_t threshold = 8);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void step();
    // Clears the bar so a message can be printed on a line of its own.
    void clear();

  private:
    void draw();

    std::string label_;
    size_t total_;
    size_t done_ = 0;
    bool shown_;
    bool onScreen_ = false;
};

} // namespace vexl::cli
