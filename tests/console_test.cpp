#include "platform/platform.hpp"
#include "vexalkit/map.hpp"

#include <cstdio>
#include <gtest/gtest.h>

using vexalkit::StdoutCapture;

namespace {

#if defined(_WIN32)
// The caller's own output goes through the runtime's text mode.
constexpr const char* kNewline = "\r\n";
#else
constexpr const char* kNewline = "\n";
#endif

} // namespace

TEST(Console, WritesBytesExactlyInOrderWithTheCallersOutput) {
    StdoutCapture capture;
    std::printf("before\n");
    vexl::platform::writeConsole("pair\r\nlone\n", 11);
    std::printf("after\n");
    EXPECT_EQ(capture.take(),
              std::string("before") + kNewline + "pair\r\nlone\n" + "after" + kNewline);
}

TEST(Console, IsEightyColumnsWideWhenOutputIsNoConsole) {
    StdoutCapture capture;
    EXPECT_EQ(vexl::platform::consoleColumns(), 80);
}
