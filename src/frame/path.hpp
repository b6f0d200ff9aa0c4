// Path cleaning and extension forcing.
//
// A cleaned path has its parts joined by "\", no empty or "." part, ".."
// resolved against the part before it where there is one, and every part
// trimmed. On POSIX hosts a path that starts with a separator keeps its root
// as one leading "\" (otherwise no absolute path could be opened); Windows
// hosts drop it, a drive letter being what keeps a path absolute there.
#pragma once

#include "vexalkit.hpp"

#include <cstddef>
#include <string>
#include <string_view>

namespace vexl {

// Writes the cleaned form of `path` to `out`, which must hold
// path.size() + 2 bytes, and returns its length (no zero is appended).
size_t cleanPathInto(std::string_view path, bool noTrailingSeparator, char* out);

// The walk over the parts that cleanPathInto falls back on when a path is
// more than a plain name with "/" separators; the same contract.
size_t cleanPathByParts(std::string_view path, bool noTrailingSeparator, char* out);

std::string cleanPathText(std::string_view path, bool noTrailingSeparator);

// Cleans `name` and appends the list's first extension unless the name
// already ends in one the list accepts. `extensionList` must already be
// trimmed and lower-cased.
void forceTypeText(std::string& name, std::string_view extensionList);

// The FBSTRING forms. On a failed allocation the strings are left unchanged.
void cleanPathString(FBSTRING& path, bool noTrailingSeparator);
void forceTypeString(FBSTRING& fileName, std::string_view extensionList);
void forceTypeStrings(FBSTRING& fileName, FBSTRING& extensionList);

} // namespace vexl
