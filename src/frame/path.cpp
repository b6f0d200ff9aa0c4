#include "frame/path.hpp"

#include "frame/fbstring.hpp"
#include "frame/text.hpp"

#include <cstdint>
#include <vector>

namespace vexl {
namespace {

constexpr char kSeparator = '\\';

bool isSeparator(char value) {
    return value == '\\' || value == '/';
}

#if defined(_WIN32)
constexpr bool kKeepRoot = false;
#else
constexpr bool kKeepRoot = true;
#endif

// The parts finished so far, as spans of the output. Most paths have few
// parts, so the first 64 live on the stack.
class PartStack {
  public:
    struct Part {
        uint32_t outputStart;
        bool isParent;
    };
    void push(Part part) {
        if (count_ < kInline) {
            inline_[count_] = part;
        } else {
            overflow_.push_back(part);
        }
        ++count_;
    }
    Part pop() {
        --count_;
        if (count_ < kInline) {
            return inline_[count_];
        }
        Part part = overflow_.back();
        overflow_.pop_back();
        return part;
    }
    const Part& top() const { return count_ <= kInline ? inline_[count_ - 1] : overflow_.back(); }
    size_t size() const { return count_; }

  private:
    static constexpr size_t kInline = 64;
    Part inline_[kInline];
    std::vector<Part> overflow_;
    size_t count_ = 0;
};

} // namespace

namespace {

// A part that cleaning leaves as it is: not empty, not "." or "..", no
// blank at its start, no blank or zero byte at its end.
bool isPlainPart(std::string_view path, size_t start, size_t end) {
    if (end == start) {
        return false;
    }
    const char first = path[start];
    const char last = path[end - 1];
    if (first == ' ' || last == ' ' || last == '\0') {
        return false;
    }
    const size_t length = end - start;
    return !(first == '.' && (length == 1 || (length == 2 && last == '.')));
}

// Most names are clean already but for their separators (a directory entry
// such as "sound/items/r_item1.wav"): when every part is plain, cleaning
// only turns "/" into "\", which one pass does. False, with `out` partly
// written, when the path needs the walk over its parts.
bool copyPlainPath(std::string_view path, bool noTrailingSeparator, char* out, size_t& length) {
    size_t partStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        if (!isSeparator(path[i])) {
            out[i] = path[i];
            continue;
        }
        if (!isPlainPart(path, partStart, i)) {
            return false;
        }
        out[i] = kSeparator;
        partStart = i + 1;
    }
    if (!isPlainPart(path, partStart, path.size())) {
        return false;
    }
    length = path.size();
    if (!noTrailingSeparator) {
        out[length++] = kSeparator;
    }
    return true;
}

} // namespace

size_t cleanPathInto(std::string_view path, bool noTrailingSeparator, char* out) {
    size_t length = 0;
    if (copyPlainPath(path, noTrailingSeparator, out, length)) {
        return length;
    }
    return cleanPathByParts(path, noTrailingSeparator, out);
}

size_t cleanPathByParts(std::string_view path, bool noTrailingSeparator, char* out) {
    const std::string_view trimmed = trimText(path);
    if (trimmed.empty()) {
        return 0;
    }
    PartStack parts;
    size_t outLength = 0;
    size_t partStart = 0;
    // Every part ends at a separator; the end of the path ends the last one.
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !isSeparator(path[i])) {
            continue;
        }
        if (i == path.size() && i > 0 && isSeparator(path[i - 1])) {
            break;
        }
        const std::string_view part = trimText(path.substr(partStart, i - partStart));
        partStart = i + 1;
        if (part == ".") {
            continue;
        }
        const bool isParent = part == "..";
        if (isParent && parts.size() != 0 && !parts.top().isParent) {
            outLength = parts.pop().outputStart;
            continue;
        }
        parts.push({static_cast<uint32_t>(outLength), isParent});
        if (!part.empty()) {
            for (char value : part) {
                out[outLength++] = value;
            }
            out[outLength++] = kSeparator;
        }
    }
    if (outLength == 0) {
        return 0;
    }
    if (noTrailingSeparator) {
        --outLength;
    }
    if (kKeepRoot && isSeparator(trimmed.front())) {
        for (size_t i = outLength; i > 0; --i) {
            out[i] = out[i - 1];
        }
        out[0] = kSeparator;
        ++outLength;
    }
    return outLength;
}

std::string cleanPathText(std::string_view path, bool noTrailingSeparator) {
    std::string cleaned(path.size() + 2, '\0');
    cleaned.resize(cleanPathInto(path, noTrailingSeparator, cleaned.data()));
    return cleaned;
}

void forceTypeText(std::string& name, std::string_view extensionList) {
    name = cleanPathText(name, true);
    if (name.empty()) {
        return;
    }
    const size_t lastDot = name.rfind('.');
    std::string tail = name.substr(lastDot == std::string::npos ? 0 : lastDot);
    lowerInPlace(tail.data(), tail.size());
    if (lastDot != std::string::npos && extensionList.find(tail) != std::string_view::npos) {
        return;
    }
    name.append(extensionList.substr(0, extensionList.find(' ')));
}

void cleanPathString(FBSTRING& path, bool noTrailingSeparator) {
    const std::string cleaned = cleanPathText(stringView(path), noTrailingSeparator);
    stringAssign(path, cleaned);
}

void forceTypeString(FBSTRING& fileName, std::string_view extensionList) {
    std::string name(stringView(fileName));
    forceTypeText(name, extensionList);
    stringAssign(fileName, name);
}

void forceTypeStrings(FBSTRING& fileName, FBSTRING& extensionList) {
    std::string list(trimText(stringView(extensionList)));
    lowerInPlace(list.data(), list.size());
    std::string name(stringView(fileName));
    forceTypeText(name, list);
    stringAssign(extensionList, list);
    stringAssign(fileName, name);
}

} // namespace vexl
