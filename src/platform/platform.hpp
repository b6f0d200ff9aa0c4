// Everything the library asks of the operating system, behind one interface.
// Names given here are cleaned library paths ("\" separators); the platform
// translates them for the host.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vexl::platform {

// The process-wide pool of file handles. A call takes the first free slot and
// gives it back before it returns.
constexpr int kHandlePoolSize = 255;
constexpr int kNoHandle = -1;

inline bool isPoolSlot(int slot) {
    return slot >= 0 && slot < kHandlePoolSize;
}

// Taking and giving back live with the pool (handle_pool.cpp); opening,
// reading and closing with each host's layer.
int takeHandle();
// Gives the slot back, closing its file if it is still open.
void giveBackHandle(int slot);

// True when the name is a plain file that can be read: a regular file, after
// following links on POSIX; directories and devices never count.
bool isPlainFilePresent(std::string_view libraryPath);

bool openForReading(int slot, std::string_view libraryPath);
bool fileLength(int slot, uint64_t& length);
// Reads exactly `count` bytes at `offset`; false on an error or a short file.
bool readAt(int slot, uint64_t offset, void* destination, uint32_t count);
void closeFile(int slot);
// Closes every file the pool still holds; run when the library is unloaded.
void closeAllFiles();

// The console's width in columns, 80 when standard output is no console.
int consoleColumns();

// Writes bytes to standard output exactly as given (no newline translation),
// after flushing what the C runtime's stdout already holds.
void writeConsole(const char* bytes, size_t count);

// The host's form of a library path.
std::string hostPath(std::string_view libraryPath);

// A slot of the pool, given back when it goes out of scope.
class HandleLease {
  public:
    HandleLease() : slot_(takeHandle()) {}
    ~HandleLease() {
        if (slot_ != kNoHandle) {
            giveBackHandle(slot_);
        }
    }
    HandleLease(const HandleLease&) = delete;
    HandleLease& operator=(const HandleLease&) = delete;

    bool taken() const { return slot_ != kNoHandle; }
    int slot() const { return slot_; }

  private:
    int slot_;
};

} // namespace vexl::platform
