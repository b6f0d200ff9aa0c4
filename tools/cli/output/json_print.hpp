// JSON output for scripts: indented, ASCII only (other characters as \uXXXX),
// with bytes that are not UTF-8 replaced (names come through jsonName() and
// are always UTF-8).
#pragma once

#include <nlohmann/json.hpp>

#include <iostream>

namespace vexl::cli {

inline void printJson(const nlohmann::json& value) {
    std::cout << value.dump(2, ' ', true, nlohmann::json::error_handler_t::replace) << '\n';
}

} // namespace vexl::cli
