// JSON output for scripts: indented, with bytes that are not UTF-8 replaced.
#pragma once

#include <nlohmann/json.hpp>

#include <iostream>

namespace vexl::cli {

inline void printJson(const nlohmann::json& value) {
    std::cout << value.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

} // namespace vexl::cli
