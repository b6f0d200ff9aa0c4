#include "map/map_report.hpp"

#include "frame/text.hpp"
#include "platform/platform.hpp"

#include <new>

namespace vexl {

ConsoleReport::ConsoleReport(int width)
    : width_(width), chunk_(new (std::nothrow) char[kChunkSize]) {}

ConsoleReport::~ConsoleReport() {
    flush();
}

void ConsoleReport::flush() {
    if (used_ != 0) {
        platform::writeConsole(chunk_.get(), used_);
        used_ = 0;
    }
}

void ConsoleReport::put(char value) {
    if (!chunk_) {
        platform::writeConsole(&value, 1);
        return;
    }
    chunk_[used_++] = value;
    if (used_ == kChunkSize) {
        flush();
    }
}

void ConsoleReport::lineEnd() {
    put('\r');
    put('\n');
    column_ = 0;
}

void ConsoleReport::text(std::string_view value, bool lowered) {
    for (char byte : value) {
        if (byte == '\t') {
            byte = ' ';
        }
        put(lowered ? lowerChar(byte) : byte);
        if (++column_ >= width_) {
            column_ = 0;
        }
    }
}

void ConsoleReport::zoneAdvance() {
    const int next = (column_ / kZoneWidth + 1) * kZoneWidth;
    if (next >= width_ - kZoneWidth) {
        lineEnd();
        return;
    }
    while (column_ < next) {
        put(' ');
        ++column_;
    }
}

void ConsoleReport::pair(std::string_view key, std::string_view value) {
    text(key, true);
    zoneAdvance();
    zoneAdvance();
    text(value, false);
    lineEnd();
}

void ConsoleReport::count(uint64_t value) {
    char digits[20];
    size_t length = 0;
    do {
        digits[length++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    put(' ');
    while (length != 0) {
        put(digits[--length]);
    }
    lineEnd();
}

} // namespace vexl
