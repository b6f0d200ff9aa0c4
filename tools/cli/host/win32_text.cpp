// Names, messages, arguments and standard streams on Windows.
#if defined(_WIN32)

#include "console.hpp"
#include "paths.hpp"
#include "win32.hpp"

#include "failure.hpp"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <optional>
#include <shellapi.h>
#include <system_error>

namespace vexl::cli::host {
namespace {

// Appends one part, as UTF-8 when it is valid UTF-8, else as bytes.
void appendPart(std::wstring& wide, std::string_view part) {
    if (part.empty()) {
        return;
    }
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, part.data(),
                                             static_cast<int>(part.size()), nullptr, 0);
    if (length <= 0) {
        for (const char byte : part) {
            wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
        }
        return;
    }
    const size_t at = wide.size();
    wide.resize(at + static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, part.data(), static_cast<int>(part.size()),
                          wide.data() + at, length);
}

// `wide` in the code page `codePage`; nothing when a character has no
// exact form there.
std::optional<std::string> inCodePage(const std::wstring& wide, UINT codePage) {
    BOOL defaulted = FALSE;
    const int length =
        ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                              static_cast<int>(wide.size()), nullptr, 0, nullptr, &defaulted);
    if (length <= 0 || defaulted) {
        return std::nullopt;
    }
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                          static_cast<int>(wide.size()), text.data(), length, nullptr, &defaulted);
    return defaulted ? std::nullopt : std::optional<std::string>(text);
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return {};
    }
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(written < length ? written : 0);
    return full;
}

std::wstring shortPath(const std::wstring& path) {
    const DWORD length = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring shortened(length, L'\0');
    const DWORD written = ::GetShortPathNameW(path.c_str(), shortened.data(), length);
    shortened.resize(written < length ? written : 0);
    return shortened;
}

UINT savedConsoleCodePage = 0;

void restoreConsoleCodePage() {
    ::SetConsoleOutputCP(savedConsoleCodePage);
}

} // namespace

std::wstring wideName(std::string_view name) {
    std::wstring wide;
    size_t start = 0;
    while (true) {
        const size_t end = name.find_first_of("/\\", start);
        appendPart(wide, name.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return wide;
        }
        wide.push_back(L'\\');
        start = end + 1;
    }
}

std::string utf8Name(std::wstring_view name) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), text.data(),
                          length, nullptr, nullptr);
    return text;
}

std::wstring extendedPath(std::string_view name) {
    const std::wstring full = fullPath(wideName(name));
    if (full.empty() || full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
        return full;
    }
    if (full.starts_with(L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    return L"\\\\?\\" + full;
}

int errnoFrom(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_DIR_NOT_EMPTY:
        return ENOTEMPTY;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    default:
        return EIO;
    }
}

std::filesystem::path toPath(std::string_view name) {
    return std::filesystem::path(wideName(name));
}

std::string fromPath(const std::filesystem::path& path, bool generic) {
    return utf8Name(generic ? path.generic_wstring() : path.native());
}

std::string libraryPath(const std::string& name) {
    const std::wstring full = fullPath(wideName(name));
    if (full.empty() || full.starts_with(L"\\\\")) {
        throw Failure(name + ": the library opens files on a drive only, not by network or "
                             "device paths; copy it to a drive");
    }
    if (std::optional<std::string> ansi = inCodePage(full, CP_ACP)) {
        return *ansi;
    }
    if (std::optional<std::string> ansi = inCodePage(shortPath(full), CP_ACP)) {
        return *ansi;
    }
    throw Failure(name + ": the library opens files by names in the system's code page, which "
                         "cannot spell this one (and it has no short name); rename it");
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

Arguments::Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide == nullptr) {
        texts_.assign(argv, argv + argc);
    } else {
        for (int i = 0; i < count; ++i) {
            texts_.push_back(utf8Name(wide[i]));
        }
        ::LocalFree(wide);
    }
    for (std::string& text : texts_) {
        pointers_.push_back(text.data());
    }
    pointers_.push_back(nullptr);
}

void prepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    DWORD mode = 0;
    const bool console = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != FALSE ||
                         ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
    if (console && ::GetConsoleOutputCP() != CP_UTF8) {
        savedConsoleCodePage = ::GetConsoleOutputCP();
        ::SetConsoleOutputCP(CP_UTF8);
        std::atexit(restoreConsoleCodePage);
    }
}

bool isTerminal(std::FILE* stream) {
    return _isatty(_fileno(stream)) != 0;
}

} // namespace vexl::cli::host

#endif
