// Entry points of the WAD2 archive family.
#include "archive/wad2.hpp"
#include "exports/guard.hpp"
#include "frame/status.hpp"

extern "C" {

int32_t VEXLWADGETINFO(const uint8_t* const& buffer, const uint32_t& bufferSize,
                       VEXLWADINFO_T& info) {
    return vexl::guarded(vexl::status::kWadNoMemory,
                         [&] { return vexl::wadGetInfo(buffer, bufferSize, info); });
}

void VEXLWADKILL(VEXLWADINFO_T& info) {
    vexl::guarded([&] { vexl::wadKill(info); });
}

} // extern "C"
