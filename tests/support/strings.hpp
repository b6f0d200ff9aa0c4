// The name older tests use for the layer's caller-built FBSTRING.
#pragma once

#include "vexalkit/heap_string.hpp"

namespace vexl::testing {

using OwnedString = vexalkit::HeapString;

} // namespace vexl::testing
