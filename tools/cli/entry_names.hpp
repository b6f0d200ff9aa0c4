// Entry names as bytes: which may become files under an output folder, and
// how they are shown on a terminal and in JSON. Every command takes its name
// rules from here, so rules for other systems' file names join them here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexl::cli {

// The parts of a "/"-separated name, empty parts included.
std::vector<std::string> splitParts(std::string_view name);

// Why `name` ("/"-separated) may not become a file under an output folder:
// empty, absolute, with a drive, with an empty, "." or ".." part. Nothing
// when it may.
std::optional<std::string> unsafeReason(std::string_view name);

// `name` for a terminal: control characters, "\" and bytes that are not
// part of valid UTF-8 are written as \xNN, so a name can neither move the
// cursor nor hide what it holds.
std::string escapeForTerminal(std::string_view name);

// `name` for JSON, losslessly: every byte becomes the character of the same
// number (bytes 128-255 as U+0080-U+00FF, which JSON output writes as
// \u0080-\u00ff), so a script gets back the exact bytes.
std::string jsonName(std::string_view name);

// The byte names an argument may stand for: itself, and when it is UTF-8
// holding only characters up to U+00FF (a name copied from JSON output),
// also the bytes of those characters.
std::vector<std::string> namesFromArgument(const std::string& argument);

} // namespace vexl::cli
