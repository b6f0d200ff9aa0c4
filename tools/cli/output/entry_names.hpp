// Entry names as bytes: which may become files under an output folder, and
// how they are shown on a terminal and in JSON. Every command takes its name
// rules from here, so rules for other systems' file names join them here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexl::cli {

// The library's names use "\" between parts; the tool shows and matches "/".
std::string displayName(std::string_view libraryName);

// The parts of a "/"-separated name, empty parts included.
std::vector<std::string> splitParts(std::string_view name);

// Which system's file-name rules an output name must keep. The POSIX rules
// keep a name inside the output folder; the Windows rules add what Windows
// forbids or reads otherwise (devices, streams, reserved characters,
// trailing dots and spaces) and treat names differing in letter case alike.
enum class NameRules { Posix, Windows };

// The rules to write by: Windows' on Windows, and when `windowsAsked` (so
// that what is written on Linux can be copied to Windows).
NameRules nameRules(bool windowsAsked);

// Why `name` ("/"-separated) may not become a file under an output folder:
// empty, absolute, with a drive, with an empty, "." or ".." part, and under
// the Windows rules also a part Windows cannot hold (see windowsPartReason).
// Nothing when it may.
std::optional<std::string> unsafeReason(std::string_view name, NameRules rules);

// Why Windows cannot hold `part` (one part of a name) as a file or folder
// name: a control character, one of < > : " \ | ? *, a trailing dot or
// space, or a device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also with an
// extension). Nothing when it can.
std::optional<std::string> windowsPartReason(std::string_view part);

// The key under which two names are the same file: the name itself, or
// under the Windows rules its ASCII lowercase form (Windows folders match
// names without regard to letter case; only ASCII letters are folded here).
std::string sameFileKey(std::string_view name, NameRules rules);

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
