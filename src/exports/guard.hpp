// No exception may cross an entry point. Internal code signals nothing by
// exception except a failed allocation inside the standard library; the
// entry point then returns `fallback`.
#pragma once

#include <utility>

namespace vexl {

template <class Result, class Body> Result guarded(Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        return fallback;
    }
}

template <class Body> void guarded(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
    }
}

} // namespace vexl
