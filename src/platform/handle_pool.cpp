#include "platform/handle_pool.hpp"

#include <cassert>

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
    assert(isPoolSlot(slot) && "only a slot taken from the pool is given back");
    closeFile(slot);
    taken_[slot].store(false, std::memory_order_release);
}

int takeHandle() {
    return HandlePool::instance().take();
}

void giveBackHandle(int slot) {
    HandlePool::instance().giveBack(slot);
}

void closeAllFiles() {
    for (int slot = 0; slot < kHandlePoolSize; ++slot) {
        closeFile(slot);
    }
}

} // namespace vexl::platform
