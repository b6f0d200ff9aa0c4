// The console report of the map checker: one line per key/value pair as it
// is read, and after a clean walk the three counts.
//
// A pair prints as the lower-cased key, two print-zone advances, the value
// and CR LF. A print-zone advance writes blanks up to the next multiple of 14
// above the current column; when that column would be `width` − 14 or more it
// ends the console line instead (CR LF). Text is written byte for byte, tabs
// as blanks. The column wraps to 0 when a line fills the console's width, as
// the console itself moves to its next line there.
//
// Output is gathered in a 64 KiB chunk and handed to standard output whole,
// so a large map costs a few writes rather than one per key. Whatever is
// gathered is written out at the latest when the report goes away.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace vexl {

class ConsoleReport {
  public:
    // `width`: the console's width in columns.
    explicit ConsoleReport(int width);
    ~ConsoleReport();
    ConsoleReport(const ConsoleReport&) = delete;
    ConsoleReport& operator=(const ConsoleReport&) = delete;

    void pair(std::string_view key, std::string_view value);
    // A count: one blank where a minus sign would stand, the digits, CR LF.
    void count(uint64_t value);
    // Writes out what has been gathered; the console column is kept.
    void flush();

  private:
    void put(char value);
    void text(std::string_view value, bool lowered);
    void zoneAdvance();
    void lineEnd();

    static constexpr size_t kChunkSize = 64 * 1024;
    static constexpr int kZoneWidth = 14;

    int width_;
    int column_ = 0;
    // Null when the chunk could not be had: bytes then go out one by one.
    std::unique_ptr<char[]> chunk_;
    size_t used_ = 0;
};

} // namespace vexl
