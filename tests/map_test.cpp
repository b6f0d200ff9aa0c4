#include "vexalkit.hpp"
#include "vexalkit/map.hpp"
#include "writers/byte_writer.hpp"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using vexl::writers::Bytes;

namespace {

using vexalkit::MapCheck;

MapCheck runMap(const std::string& text) {
    return vexalkit::checkMap({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

// A pair whose key is short enough for the value to start at column 28.
std::string pair(const std::string& key, const std::string& value) {
    return key + std::string(28 - key.size(), ' ') + value + "\r\n";
}

std::string counts(int lines, int entities, int brushBlocks) {
    return " " + std::to_string(lines) + "\r\n " + std::to_string(entities) + "\r\n " +
           std::to_string(brushBlocks) + "\r\n";
}

const std::string kSampleMap = "// start area\r\n"
                               "{\r\n"
                               "\"ClassName\" \"WorldSpawn\"\r\n"
                               "\t\"message\"\t\"Two\tTabs\"  \r\n"
                               "{\r\n"
                               "( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) floor 0 0 0 1 1\r\n"
                               "\"inside\" \"a\" \"brush\"\r\n"
                               "\r\n"
                               "}\r\n"
                               "}\r\n";

} // namespace

TEST(MapLoad, ReportsPairsAsReadAndTheCountsAfter) {
    const MapCheck run = runMap(kSampleMap);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, "classname                   WorldSpawn\r\n"
                          "message                     Two Tabs\r\n"
                          " 11\r\n 1\r\n 1\r\n");
}

TEST(MapLoad, EndsLinesAtLineFeedsAndCountsTheReadThatFindsTheEnd) {
    std::string lineFeedsOnly = kSampleMap;
    std::erase(lineFeedsOnly, '\r');
    EXPECT_EQ(runMap(lineFeedsOnly).report, runMap(kSampleMap).report);
    EXPECT_EQ(runMap("{\n\"a\" \"b\"\n}\n").report, pair("a", "b") + counts(4, 1, 0));
    EXPECT_EQ(runMap("{\r\n}").report, counts(3, 1, 0));
    EXPECT_EQ(runMap("{\r\n\r\n\n}\r\n").report, counts(5, 1, 0));
    EXPECT_EQ(runMap("{\r\n\"Key\" \"Last\"").report, pair("key", "Last") + counts(3, 1, 0));
    EXPECT_EQ(runMap("").report, counts(1, 0, 0));
    vexalkit::StdoutCapture capture;
    vexlMapLoad(nullptr, 16);
    EXPECT_EQ(capture.take(), counts(1, 0, 0)) << "no bytes read as an empty map";
}

TEST(MapLoad, PreparesLinesBeforeJudgingThem) {
    using namespace std::string_literals;
    const MapCheck run = runMap("  \t// indented comment\r\n"
                                "\t{\t\r\n"
                                "\"K\" \"v\"\0\0\r\n"
                                "x\"\" y \"\"z\r\n"
                                "}  \0\r\n"s);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.report, pair("k", "v") + pair("", "") + counts(6, 1, 0));
    EXPECT_EQ(runMap("{ // a brace sharing its line\r\n").status, 42);
    EXPECT_EQ(runMap("/ not a comment\r\n").status, 42);
}

TEST(MapLoad, RejectsBadScopesAndEntityLines) {
    EXPECT_EQ(runMap("{\r\n{\r\n{\r\n").status, 40);
    EXPECT_EQ(runMap("}").status, 41);
    EXPECT_EQ(runMap("{\r\n}\r\n}\r\n").status, 41);
    EXPECT_EQ(runMap("\"a\" \"b\"\r\n").status, 42);
    EXPECT_EQ(runMap("{\r\n\"a\" \"b\r\n").status, 43);
    EXPECT_EQ(runMap("{\r\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) floor\r\n").status, 43);
    // Pairs read before the failure stay printed; the counts are not.
    const MapCheck sixQuotes = runMap("{\r\n\"a\" \"b\"\r\n\"a\" \"b\" \"c\"\r\n");
    EXPECT_EQ(sixQuotes.status, 43);
    EXPECT_EQ(sixQuotes.report, pair("a", "b"));
}

TEST(MapLoad, EndsZonesAtTheConsoleEdge) {
    // Standard output is no console under the tests, so the width is 80 and
    // a zone that would start at column 66 or later ends the line instead.
    const auto run = [](size_t keyLength) {
        return runMap("{\r\n\"" + std::string(keyLength, 'k') + "\" \"v\"\r\n").report;
    };
    const auto key = [](size_t length) { return std::string(length, 'k'); };
    const std::string tail = "v\r\n" + counts(3, 1, 0);
    EXPECT_EQ(run(41), key(41) + std::string(15, ' ') + tail);
    EXPECT_EQ(run(42), key(42) + std::string(14, ' ') + "\r\n" + tail);
    EXPECT_EQ(run(55), key(55) + " \r\n" + tail);
    EXPECT_EQ(run(56), key(56) + "\r\n" + std::string(14, ' ') + tail);
    // A key wider than the console wraps to column 100 - 80 = 20.
    EXPECT_EQ(run(100), key(100) + std::string(22, ' ') + tail);
}

TEST(MapLoad, WritesALargeReportWholeAndInOrderWithTheCallersOutput) {
    constexpr int kEntities = 5000; // well past one 64 KiB chunk of output
    std::string text;
    std::string expected = "before|";
    for (int i = 0; i < kEntities; ++i) {
        text += "{\n\"origin\" \"" + std::to_string(i) + "\"\n}\n";
        expected += pair("origin", std::to_string(i));
    }
    vexalkit::StdoutCapture capture;
    std::printf("before|");
    EXPECT_EQ(vexlMapLoad(reinterpret_cast<const uint8_t*>(text.data()),
                          static_cast<uint32_t>(text.size())),
              0);
    std::printf("|after");
    EXPECT_EQ(capture.take(), expected + counts(3 * kEntities + 1, kEntities, 0) + "|after");
}
