#include "platform/handle_pool.hpp"

namespace vexl::platform {

HandlePool& HandlePool::instance() {
    static HandlePool pool;
    return pool;
}

int HandlePool::take() {
    for (int slot = 0; slot < kHandlePoolSize; ++slot) {
        bool expected = false;
        if (taken_[slot].compare_exchange_strong(expected, true, std::memory_order_acquire)) {
            return slot;
        }
    }
    return kNoHandle;
}

void HandlePool::giveBack(int slot) {
    if (slot < 0 || slot >= kHandlePoolSize) {
        return;
    }
    closeFile(slot);
    taken_[slot].store(false, std::memory_order_release);
}

} // namespace vexl::platform
