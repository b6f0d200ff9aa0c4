// Names as the tool holds them, and as the system takes them. The tool
// holds every name as bytes: arguments, entry names, names read from
// folders. On POSIX systems those bytes are the file names. On Windows the
// tool speaks the system's wide (UTF-16) interface: arguments arrive as
// UTF-8, and a name that is not valid UTF-8 (an old archive's entry) is
// taken byte for byte as the characters U+0000-U+00FF, the same reading
// `ls --json` gives it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vexl::cli::host {

// The system's path for the name bytes `name`.
std::filesystem::path toPath(std::string_view name);

// The bytes the tool holds for `path` (UTF-8 on Windows), with "/" between
// its parts when `generic`.
std::string fromPath(const std::filesystem::path& path, bool generic = false);

// The name under which the library, which opens files through the system's
// byte interface, finds the file `name`: the name itself on POSIX systems;
// on Windows its full path in the ANSI code page, or its short (8.3) form
// when the code page cannot spell it. Throws Failure when neither exists.
std::string libraryPath(const std::string& name);

// The text of an error number (errno's numbers on every system, so the
// messages read alike everywhere).
std::string errorText(int error);

} // namespace vexl::cli::host
