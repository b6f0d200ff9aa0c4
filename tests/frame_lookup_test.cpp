#include "support/model_record.hpp"
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/model_writer.hpp"

#include <gtest/gtest.h>
#include <string>

using vexalkit::HeapString;
using vexl::testing::ModelRecord;
using vexl::writers::ModelWriter;
using vexl::writers::PackedVertex;
using vexl::writers::SimpleFrame;

namespace {

constexpr char kFullName[] = "abcdefghijklmnop"; // all 16 bytes of the field

// Ten vertices, two on the seam (V = 12); nine frames once the group of
// "pain" and "death" (frames 3 and 4) is unrolled.
struct FrameLookup : ::testing::Test {
    ModelRecord record;
    void SetUp() override {
        ModelWriter writer(8, 8);
        writer.skin(vexl::writers::Bytes(64, 0)).triangle(0, 1, 2);
        for (uint32_t v = 0; v < 10; ++v) {
            writer.texCoord(v, 0, v == 2 || v == 7);
        }
        auto frame = [](const char* name) {
            return SimpleFrame{name, std::vector<PackedVertex>(10, {1, 2, 3})};
        };
        writer.frame(frame("base")).frame(frame("run1")).frame(frame("  walk  "));
        writer.frameGroup({frame("pain"), frame("death")}).frame(frame("pain"));
        writer.frame(frame("   ")).frame(frame(kFullName)).frame(frame("after"));
        ASSERT_EQ(record.load(writer.build()), 0);
    }
    int32_t number(const std::string& name) {
        HeapString text(name);
        return vexlFrameNumber(record.model, text.get());
    }
    uint32_t offset(const std::string& name) {
        HeapString text(name);
        return vexlFrameOffset(record.model, text.get());
    }
};

} // namespace

TEST_F(FrameLookup, NamesCompareTrimmedWithoutCaseAndTheFirstMatchWins) {
    EXPECT_EQ(number("RUN1 "), 1);
    EXPECT_EQ(number(" WALK"), 2);
    EXPECT_EQ(number("death"), 4) << "group members go by their own names";
    EXPECT_EQ(number("pain"), 3);
    EXPECT_EQ(number(""), 6) << "an empty name matches the first blank frame";
    EXPECT_EQ(number("missing"), 0);
    // A name filling all 16 bytes of its field stays inside it.
    EXPECT_EQ(record.frameName(7), kFullName);
    EXPECT_EQ(number(kFullName), 7);
    EXPECT_EQ(number("abcdefghijklmnopafter"), 0);
    EXPECT_EQ(number("after"), 8);
}

TEST_F(FrameLookup, OffsetIsTheFrameTimesTheVertexSlots) {
    ASSERT_EQ(record.vertexSlots(), 12u);
    EXPECT_EQ((std::vector<uint32_t>{offset("pain"), offset("death"), offset("missing")}),
              (std::vector<uint32_t>{36, 48, 0}));
}

TEST(FrameLookupEmpty, AnEmptyRecordGivesZero) {
    const VEXLMODEL_T model{};
    HeapString name("");
    EXPECT_EQ(vexlFrameNumber(model, name.get()), 0);
    EXPECT_EQ(vexlFrameOffset(model, name.get()), 0u);
}
