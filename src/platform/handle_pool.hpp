// The slot bookkeeping, one for every host: takeHandle, giveBackHandle and
// closeAllFiles are written once, here, over each host's closeFile. Slots are
// taken and given back with atomics, so concurrent callers never share a slot.
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
