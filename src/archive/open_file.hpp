// The steps every read of a named file starts with, in their fixed order.
#pragma once

#include "platform/platform.hpp"

#include <cstdint>
#include <string_view>

namespace vexl {

// Opens `name` on the leased slot and measures it. Returns 0, or the first
// failure: 3 (empty name), 4 (no plain file of that name), 6 (cannot be
// opened or measured), 5 (empty file). The lease closes the file.
int32_t openNamedFile(const platform::HandleLease& handle, std::string_view name, uint64_t& length);

} // namespace vexl
