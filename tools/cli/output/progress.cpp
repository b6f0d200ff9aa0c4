#include "output/progress.hpp"

#include "host/console.hpp"

#include <cstdio>

namespace vexl::cli {
namespace {

constexpr size_t kBarWidth = 30;

} // namespace

Progress::Progress(std::string label, size_t total, size_t threshold)
    : label_(std::move(label)), total_(total),
      shown_(total > threshold && host::isTerminal(stderr)) {}

Progress::~Progress() {
    clear();
}

void Progress::step() {
    ++done_;
    if (shown_) {
        draw();
    }
}

void Progress::clear() {
    if (onScreen_) {
        onScreen_ = false;
        std::fprintf(stderr, "\r%*s\r", static_cast<int>(label_.size() + kBarWidth + 30), "");
        std::fflush(stderr);
    }
}

void Progress::draw() {
    onScreen_ = true;
    const size_t filled = total_ == 0 ? kBarWidth : done_ * kBarWidth / total_;
    std::string bar(filled, '#');
    bar.append(kBarWidth - filled, '-');
    std::fprintf(stderr, "\r%s [%s] %zu/%zu", label_.c_str(), bar.c_str(), done_, total_);
    std::fflush(stderr);
}

} // namespace vexl::cli
