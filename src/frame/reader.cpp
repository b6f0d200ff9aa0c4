#include "frame/reader.hpp"

namespace vexl {

void vexlReadString(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                    FBSTRING& destination, uint32_t length) {
    const uint32_t width = length != 0 ? length : stringLength(destination);
    bool taken = false;
    const std::string_view text = vexlReadField(buffer, size, cursor, width, taken);
    if (taken) {
        stringAssign(destination, text);
    }
}

void vexlReadLine(const uint8_t* const& buffer, const uint32_t& size, uint32_t& cursor,
                  FBSTRING& destination) {
    stringAssign(destination, {});
    stringAssign(destination, vexlReadLineView(buffer, size, cursor));
}

} // namespace vexl
