#include "archive/open_file.hpp"

#include "frame/status.hpp"

namespace vexl {

int32_t openNamedFile(const platform::HandleLease& handle, std::string_view name,
                      uint64_t& length) {
    if (name.empty()) {
        return status::kNoFileName;
    }
    if (!platform::isPlainFilePresent(name)) {
        return status::kFileNotFound;
    }
    if (!platform::openForReading(handle.slot(), name) ||
        !platform::fileLength(handle.slot(), length)) {
        return status::kIoError;
    }
    return length == 0 ? status::kFileEmpty : status::kOk;
}

} // namespace vexl
