// What the Win32 side of the host files shares: names in UTF-16 and error
// numbers in errno's terms.
#pragma once

#if defined(_WIN32)

#include <string>
#include <string_view>

#include <windows.h>

namespace vexl::cli::host {

// The UTF-16 form of name bytes. Each part (between "/" or "\") that is
// valid UTF-8 is read as UTF-8; any other part byte for byte as the
// characters U+0000-U+00FF. "/" becomes "\".
std::wstring wideName(std::string_view name);

// UTF-16 to UTF-8 (an unpaired surrogate becomes U+FFFD).
std::string utf8Name(std::wstring_view name);

// The full path of `name`, in the "\\?\" form that takes long paths and
// no further rewriting (device paths such as "\\.\NUL" stay as they are).
// Empty when the system cannot make it full.
std::wstring extendedPath(std::string_view name);

// The errno number that says what the Win32 error `error` says.
int errnoFrom(DWORD error);

} // namespace vexl::cli::host

#endif
