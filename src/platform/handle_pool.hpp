// The slot bookkeeping shared by the POSIX and Win32 layers. Slots are taken
// and given back with atomics, so concurrent callers never share a slot.
#pragma once

#include "platform/platform.hpp"

#include <atomic>

namespace vexl::platform {

class HandlePool {
  public:
    static HandlePool& instance();
    int take();
    void giveBack(int slot);

  private:
    std::atomic<bool> taken_[kHandlePoolSize] = {};
};

} // namespace vexl::platform
