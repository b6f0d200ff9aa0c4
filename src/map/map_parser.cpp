#include "map/map_parser.hpp"

#include "frame/cursor.hpp"
#include "frame/status.hpp"
#include "platform/platform.hpp"

#include <string_view>

namespace vexl {
namespace {

constexpr int kRootDepth = 0;
constexpr int kEntityDepth = 1;
constexpr int kBrushDepth = 2;
constexpr char kQuote = '"';
constexpr size_t kPairQuotes = 4;

enum class LineKind { Empty, Comment, Open, Close, Statement };

// Wide enough for any text: one of 4 GiB of line feeds has more lines than
// a signed 32-bit count could hold.
struct MapCounts {
    uint64_t lines = 0;
    uint64_t entities = 0;
    uint64_t brushBlocks = 0;
};

bool isBlank(char value) {
    return value == ' ' || value == '\t';
}

// The prepared line, as a view: tabs are blanks here and are written out as
// blanks by the report, so the line itself need not be copied.
std::string_view prepareLine(std::string_view line) {
    size_t first = 0;
    while (first < line.size() && isBlank(line[first])) {
        ++first;
    }
    size_t last = line.size();
    while (last > first && (isBlank(line[last - 1]) || line[last - 1] == '\0')) {
        --last;
    }
    return line.substr(first, last - first);
}

LineKind kindOf(std::string_view line) {
    if (line.empty()) {
        return LineKind::Empty;
    }
    if (line.starts_with("//")) {
        return LineKind::Comment;
    }
    if (line == "{") {
        return LineKind::Open;
    }
    if (line == "}") {
        return LineKind::Close;
    }
    return LineKind::Statement;
}

int32_t openScope(int& depth, MapCounts& counts) {
    ++depth;
    if (depth == kEntityDepth) {
        ++counts.entities;
    } else if (depth == kBrushDepth) {
        ++counts.brushBlocks;
    } else {
        return status::kScopeTooHigh;
    }
    return status::kOk;
}

// An entity line holds exactly four quotes: the key between the first two,
// the value between the last two. There is no escape character.
int32_t entityLine(std::string_view line, ConsoleReport& report) {
    size_t quotes[kPairQuotes];
    size_t found = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != kQuote) {
            continue;
        }
        if (found == kPairQuotes) {
            return status::kCorruptEntity;
        }
        quotes[found++] = i;
    }
    if (found != kPairQuotes) {
        return status::kCorruptEntity;
    }
    const std::string_view key = line.substr(quotes[0] + 1, quotes[1] - quotes[0] - 1);
    const std::string_view value = line.substr(quotes[2] + 1, quotes[3] - quotes[2] - 1);
    report.pair(key, value);
    return status::kOk;
}

int32_t handleLine(std::string_view line, int& depth, MapCounts& counts, ConsoleReport& report) {
    switch (kindOf(line)) {
    case LineKind::Empty:
    case LineKind::Comment:
        return status::kOk;
    case LineKind::Open:
        return openScope(depth, counts);
    case LineKind::Close:
        --depth;
        return depth < kRootDepth ? status::kScopeTooLow : status::kOk;
    case LineKind::Statement:
        break;
    }
    if (depth == kRootDepth) {
        return status::kRootStatement;
    }
    return depth == kEntityDepth ? entityLine(line, report) : status::kOk;
}

} // namespace

int32_t mapWalk(const uint8_t* const& buffer, const uint32_t& size, ConsoleReport& report) {
    MapCounts counts;
    int depth = kRootDepth;
    ByteCursor text(buffer, size);
    for (;;) {
        const uint32_t before = text.position();
        const std::string_view line = prepareLine(text.readLine());
        ++counts.lines;
        const int32_t result = handleLine(line, depth, counts, report);
        if (result != status::kOk) {
            return result;
        }
        // Every line but the end of the text moves the cursor, even an
        // empty one; the read that finds the end is counted as a line too.
        if (text.position() == before) {
            break;
        }
    }
    report.count(counts.lines);
    report.count(counts.entities);
    report.count(counts.brushBlocks);
    return status::kOk;
}

int32_t mapLoad(const uint8_t* const& buffer, const uint32_t& size) {
    ConsoleReport report(platform::consoleColumns());
    const int32_t result = mapWalk(buffer, size, report);
    report.flush();
    return result;
}

} // namespace vexl
