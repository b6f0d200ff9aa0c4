#if defined(_WIN32)

#include "platform/platform.hpp"

#include <atomic>
#include <cassert>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace vexl::platform {
namespace {

// The file each slot holds, null when none (CreateFileA never returns null).
// Constant-initialised and without a destructor: DllMain closes what is left
// when the library is unloaded.
constinit std::atomic<HANDLE> openFiles[kHandlePoolSize] = {};

HANDLE heldFile(int slot) {
    assert(isPoolSlot(slot));
    return openFiles[slot].load();
}

// A plain file is neither a directory nor hidden nor a system file; read-only
// files count, since reading is all the library does with them.
bool isPlainFile(const WIN32_FIND_DATAA& found) {
    constexpr DWORD kNotPlain =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return (found.dwFileAttributes & kNotPlain) == 0;
}

} // namespace

// Windows takes library paths as they are, "\" separators and drives included.
std::string hostPath(std::string_view libraryPath) {
    return std::string(libraryPath);
}

// The name is a search pattern: the first plain file among its matches makes
// it present, even when the name holds wildcards (which then fail to open).
bool isPlainFilePresent(std::string_view libraryPath) {
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(hostPath(libraryPath).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool present = false;
    do {
        present = isPlainFile(found);
    } while (!present && ::FindNextFileA(search, &found) != FALSE);
    ::FindClose(search);
    return present;
}

bool openForReading(int slot, std::string_view libraryPath) {
    assert(isPoolSlot(slot));
    const HANDLE file = ::CreateFileA(hostPath(libraryPath).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    // Devices (CON, NUL, pipes) open too; only disk files are read.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        return false;
    }
    closeFile(slot);
    openFiles[slot].store(file);
    return true;
}

bool fileLength(int slot, uint64_t& length) {
    const HANDLE file = heldFile(slot);
    LARGE_INTEGER size{};
    if (file == nullptr || ::GetFileSizeEx(file, &size) == FALSE) {
        return false;
    }
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

bool readAt(int slot, uint64_t offset, void* destination, uint32_t count) {
    const HANDLE file = heldFile(slot);
    if (file == nullptr) {
        return false;
    }
    auto* bytes = static_cast<char*>(destination);
    uint32_t done = 0;
    while (done < count) {
        const uint64_t position = offset + done;
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        DWORD got = 0;
        if (::ReadFile(file, bytes + done, count - done, &got, &at) == FALSE || got == 0) {
            return false;
        }
        done += got;
    }
    return true;
}

void closeFile(int slot) {
    assert(isPoolSlot(slot));
    const HANDLE open = openFiles[slot].exchange(nullptr);
    if (open != nullptr) {
        ::CloseHandle(open);
    }
}

// The width of the console window, not of its scroll-back buffer.
int consoleColumns() {
    constexpr int kDefaultColumns = 80;
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    CONSOLE_SCREEN_BUFFER_INFO screen{};
    if (output == nullptr || output == INVALID_HANDLE_VALUE ||
        ::GetConsoleScreenBufferInfo(output, &screen) == FALSE) {
        return kDefaultColumns;
    }
    const int columns = screen.srWindow.Right - screen.srWindow.Left + 1;
    return columns > 0 ? columns : kDefaultColumns;
}

// Standard output is usually in text mode, which would turn the report's
// CR LF into CR CR LF. What the runtime already buffered is flushed in the
// mode it was written for; the report goes out in binary mode.
void writeConsole(const char* bytes, size_t count) {
    std::fflush(stdout);
    const int descriptor = _fileno(stdout);
    const int previousMode = descriptor >= 0 ? _setmode(descriptor, _O_BINARY) : -1;
    std::fwrite(bytes, 1, count, stdout);
    std::fflush(stdout);
    if (previousMode != -1) {
        _setmode(descriptor, previousMode);
    }
}

} // namespace vexl::platform

#endif
