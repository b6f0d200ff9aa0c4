#include "output/entry_names.hpp"

#include <algorithm>
#include <array>
#include <cstdint>

namespace vexl::cli {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the bytes there
// are not one (overlong forms, surrogates and values past U+10FFFF included).
size_t utf8SequenceLength(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(at);
    size_t length = 0;
    uint32_t value = 0;
    uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1FU, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0FU, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07U, smallest = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0U) != 0x80U) {
            return 0;
        }
        value = (value << 6U) | (byte(at + i) & 0x3FU);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < smallest || surrogate || value > 0x10FFFF ? 0 : length;
}

void appendHex(std::string& out, uint8_t value) {
    constexpr const char* kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[value >> 4U];
    out += kDigits[value & 0x0FU];
}

char asciiLower(char value) {
    return value >= 'A' && value <= 'Z' ? static_cast<char>(value - 'A' + 'a') : value;
}

std::string asciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& value : lowered) {
        value = asciiLower(value);
    }
    return lowered;
}

// Names Windows opens as devices whatever folder they are in, lowercase;
// the superscript digits are UTF-8, as Windows also reads COM¹ as a device.
constexpr std::array<std::string_view, 30> kWindowsDevices = {
    "con",  "prn",  "aux",  "nul",         "conin$",      "conout$",
    "com1", "com2", "com3", "com4",        "com5",        "com6",
    "com7", "com8", "com9", "com\xc2\xb9", "com\xc2\xb2", "com\xc2\xb3",
    "lpt1", "lpt2", "lpt3", "lpt4",        "lpt5",        "lpt6",
    "lpt7", "lpt8", "lpt9", "lpt\xc2\xb9", "lpt\xc2\xb2", "lpt\xc2\xb3"};

// The characters Windows refuses in a name besides the control characters,
// and what each would do there.
struct ForbiddenCharacter {
    char value;
    const char* meaning;
};
constexpr std::array<ForbiddenCharacter, 8> kWindowsForbidden = {{
    {':', "\":\" names a drive or an alternate data stream on Windows"},
    {'\\', "\"\\\" separates folders on Windows"},
    {'<', "\"<\" is a wildcard Windows forbids in names"},
    {'>', "\">\" is a wildcard Windows forbids in names"},
    {'"', "\"\"\" is a wildcard Windows forbids in names"},
    {'*', "\"*\" is a wildcard Windows forbids in names"},
    {'?', "\"?\" is a wildcard Windows forbids in names"},
    {'|', "\"|\" is a pipe Windows forbids in names"},
}};

// The part of a name Windows compares with the device names: up to the
// first dot, trailing spaces dropped ("NUL .txt" is NUL too), lowercase.
std::string deviceStem(std::string_view part) {
    std::string_view stem = part.substr(0, part.find('.'));
    while (!stem.empty() && stem.back() == ' ') {
        stem.remove_suffix(1);
    }
    return asciiLowered(stem);
}

// Names that start with two separators are network shares ("\\host\share")
// or reach devices and long paths ("\\?\", "\\.\") on Windows.
bool windowsNetworkOrDevicePath(std::string_view name) {
    const auto separator = [](char value) { return value == '/' || value == '\\'; };
    return name.size() >= 2 && separator(name[0]) && separator(name[1]);
}

} // namespace

std::string displayName(std::string_view libraryName) {
    std::string shown(libraryName);
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown;
}

NameRules nameRules(bool windowsAsked) {
#ifdef _WIN32
    (void)windowsAsked;
    return NameRules::Windows;
#else
    return windowsAsked ? NameRules::Windows : NameRules::Posix;
#endif
}

std::optional<std::string> windowsPartReason(std::string_view part) {
    for (const char value : part) {
        if (static_cast<uint8_t>(value) < 0x20) {
            return "control character, which Windows forbids in names";
        }
        for (const ForbiddenCharacter& forbidden : kWindowsForbidden) {
            if (value == forbidden.value) {
                return forbidden.meaning;
            }
        }
    }
    if (!part.empty() && (part.back() == '.' || part.back() == ' ')) {
        return "ends in a dot or space, which Windows drops from names";
    }
    const std::string stem = deviceStem(part);
    for (const std::string_view device : kWindowsDevices) {
        if (stem == device) {
            // Built up in steps: "literal" + std::string&& trips a false
            // -Wrestrict in g++ 12 at -O3.
            std::string reason = "\"";
            reason += escapeForTerminal(part);
            reason += "\" is a device on Windows, not a file";
            return reason;
        }
    }
    return std::nullopt;
}

std::string sameFileKey(std::string_view name, NameRules rules) {
    return rules == NameRules::Windows ? asciiLowered(name) : std::string(name);
}

std::vector<std::string> splitParts(std::string_view name) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            parts.emplace_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

std::optional<std::string> unsafeReason(std::string_view name, NameRules rules) {
    if (name.empty()) {
        return "empty name";
    }
    if (rules == NameRules::Windows && windowsNetworkOrDevicePath(name)) {
        return "network or device path on Windows";
    }
    if (name.front() == '/') {
        return "absolute path";
    }
    const auto letter = static_cast<unsigned char>(name[0]);
    if (name.size() >= 2 && ((letter | 0x20U) >= 'a' && (letter | 0x20U) <= 'z') &&
        name[1] == ':') {
        return "path with a drive";
    }
    for (const std::string& part : splitParts(name)) {
        if (part == "..") {
            return "path leaves the output directory";
        }
        if (part.empty() || part == ".") {
            return "empty path part";
        }
        if (rules == NameRules::Windows) {
            if (std::optional<std::string> reason = windowsPartReason(part)) {
                return reason;
            }
        }
    }
    return std::nullopt;
}

std::string escapeForTerminal(std::string_view name) {
    std::string shown;
    shown.reserve(name.size());
    for (size_t i = 0; i < name.size();) {
        const auto value = static_cast<uint8_t>(name[i]);
        if (value >= 0x80) {
            const size_t length = utf8SequenceLength(name, i);
            // C1 control characters (U+0080-U+009F) act on terminals too.
            const bool control =
                length == 2 && value == 0xC2 && static_cast<uint8_t>(name[i + 1]) < 0xA0;
            if (length != 0 && !control) {
                shown.append(name.substr(i, length));
                i += length;
                continue;
            }
        }
        if (value < 0x20 || value == 0x7F || value >= 0x80 || value == '\\') {
            appendHex(shown, value);
        } else {
            shown += static_cast<char>(value);
        }
        ++i;
    }
    return shown;
}

std::string jsonName(std::string_view name) {
    std::string text;
    text.reserve(name.size());
    for (const char value : name) {
        const auto byte = static_cast<uint8_t>(value);
        if (byte < 0x80) {
            text += value;
        } else {
            text += static_cast<char>(0xC0U | (byte >> 6U));
            text += static_cast<char>(0x80U | (byte & 0x3FU));
        }
    }
    return text;
}

std::vector<std::string> namesFromArgument(const std::string& argument) {
    std::vector<std::string> names{argument};
    std::string bytes;
    for (size_t i = 0; i < argument.size();) {
        const auto lead = static_cast<uint8_t>(argument[i]);
        if (lead < 0x80) {
            bytes += argument[i++];
        } else if ((lead == 0xC2 || lead == 0xC3) && utf8SequenceLength(argument, i) == 2) {
            const auto next = static_cast<uint8_t>(argument[i + 1]);
            bytes += static_cast<char>(((lead & 0x03U) << 6U) | (next & 0x3FU));
            i += 2;
        } else {
            return names;
        }
    }
    if (bytes != argument) {
        names.push_back(bytes);
    }
    return names;
}

} // namespace vexl::cli
