// Entry points of the map source family.
#include "archive/file_load.hpp"
#include "exports/guard.hpp"
#include "frame/status.hpp"
#include "map/map_parser.hpp"

int32_t vexlMapLoad(const uint8_t* const& buffer, const uint32_t& bufferSize) {
    return vexl::guarded(vexl::status::kIoError, [&] { return vexl::mapLoad(buffer, bufferSize); });
}

int32_t vexlMapLoad(FBSTRING& archiveName, FBSTRING& fileName) {
    return vexl::guarded(vexl::status::kFileNoMemory, [&] {
        return vexl::loadByName(archiveName, fileName, ".map",
                                [&](const uint8_t* const& bytes, const uint32_t& size) {
                                    return vexl::mapLoad(bytes, size);
                                });
    });
}
