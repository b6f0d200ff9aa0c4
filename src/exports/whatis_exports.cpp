// Entry points of type identification.
#include "archive/file_load.hpp"
#include "exports/guard.hpp"
#include "frame/status.hpp"
#include "identify/whatis.hpp"

int32_t vexlWhatIs(const uint8_t* const& buffer, const uint32_t& bufferSize, int32_t& type) {
    return vexl::guarded(vexl::status::kIoError,
                         [&] { return vexl::whatIs(buffer, bufferSize, type); });
}

// No extension is forced: the file name is only cleaned.
int32_t vexlWhatIs(FBSTRING& archiveName, FBSTRING& fileName, int32_t& type) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, "",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::whatIs(bytes, size, type);
                                });
    });
}
