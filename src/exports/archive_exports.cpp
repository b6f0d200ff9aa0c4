// Entry points of the PAK archive family.
#include "archive/file_load.hpp"
#include "archive/pak.hpp"
#include "exports/guard.hpp"
#include "frame/status.hpp"

extern "C" {

int32_t vexlPackInfoRead(FBSTRING& archiveName, VEXLPACKINFO_T& info) {
    return vexl::guarded(vexl::status::kPakNoMemory,
                         [&] { return vexl::packInfoRead(archiveName, info); });
}

void vexlPackInfoKill(VEXLPACKINFO_T& info) {
    vexl::guarded([&] { vexl::packInfoKill(info); });
}

int32_t vexlPackFileLoad(FBSTRING& archiveName, FBSTRING& fileName, uint8_t*& buffer,
                         uint32_t& bufferSize) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::packFileLoad(archiveName, fileName, buffer, bufferSize);
    });
}

} // extern "C"
