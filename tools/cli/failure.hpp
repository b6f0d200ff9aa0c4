// The one kind of failure the tool reports: a line on standard error and a
// non-zero exit code. The library's own errors (vexalkit::Error) are among
// them. Every room of the tool stands on this header alone.
#pragma once

#include <stdexcept>

namespace vexl::cli {

using Failure = std::runtime_error;

} // namespace vexl::cli
