#include "support/temp_dir.hpp"
#include "vexalkit.hpp"
#include "vexalkit/heap_string.hpp"
#include "writers/byte_writer.hpp"

#include <filesystem>
#include <gtest/gtest.h>

using vexalkit::HeapString;
using vexl::testing::TempDir;
using vexl::testing::WorkingDirectory;
using vexl::writers::Bytes;
using vexl::writers::ByteWriter;

namespace {

struct FileLoadTest : ::testing::Test {
    TempDir dir;
    WorkingDirectory inside{dir.path()};
    uint8_t* buffer = nullptr;
    uint32_t bufferSize = 0;
    ~FileLoadTest() override { std::free(buffer); }

    int32_t load(const std::string& archive, const std::string& file) {
        HeapString archiveName(archive);
        HeapString fileName(file);
        return vexlPackFileLoad(archiveName.get(), fileName.get(), buffer, bufferSize);
    }
    Bytes loaded() const { return Bytes(buffer, buffer + bufferSize); }
};

const Bytes kSpark = {1, 2, 3, 4, 5};

} // namespace

// A relative name is cleaned; a POSIX path keeps its root, a Windows one its drive.
TEST_F(FileLoadTest, ReadsADiskFileWholeByRelativeOrAbsolutePath) {
    const std::string path = dir.write("effects/spark.spr", kSpark);
    for (const std::string& name : {std::string("effects//spark.spr"), path}) {
        EXPECT_EQ(load("", name), 0) << name;
        EXPECT_EQ(loaded(), kSpark) << name;
    }
}

// A failure also frees the block an earlier call gave.
TEST_F(FileLoadTest, ReportsDiskFailuresFreeingAnEarlierBlock) {
    dir.write("empty.lmp", {});
    dir.write("a.lmp", kSpark);
    std::filesystem::create_directory(dir.path() / "folder");
    EXPECT_EQ(load("", ""), 3);
    ASSERT_EQ(load("", "a.lmp"), 0);
    EXPECT_EQ(load("", "absent.lmp"), 4);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(load("", "folder"), 4);
    EXPECT_EQ(load("", "empty.lmp"), 5);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(bufferSize, 0u);
}

TEST_F(FileLoadTest, FindsTheFirstValidEntryOfANormalisedName) {
    ByteWriter archive;
    archive.text("PACK").u32(12 + 7).u32(4 * 64);
    archive.u8(10).u8(20).u8(30).u8(40).u8(50).u8(60).u8(70);
    archive.field("effects/spark.spr", 56).u32(12).u32(0);  // invalid: empty
    archive.field("effects/spark.spr", 56).u32(13).u32(3);  // the one
    archive.field("effects\\spark.spr", 56).u32(16).u32(3); // a later duplicate
    archive.field("EFFECTS/SPARK2.SPR", 56).u32(12).u32(1);
    dir.write("base.pak", archive.take());

    HeapString archiveName("base");
    HeapString fileName("effects/./spark.spr");
    ASSERT_EQ(vexlPackFileLoad(archiveName.get(), fileName.get(), buffer, bufferSize), 0);
    EXPECT_EQ(loaded(), (Bytes{20, 30, 40}));
    EXPECT_EQ(archiveName.text(), "base.pak");
    EXPECT_EQ(fileName.text(), "effects\\spark.spr");
    EXPECT_EQ(load("base", "effects/spark2.spr"), 4) << "names compare case-sensitively";
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(load("base", ""), 4);
}

TEST_F(FileLoadTest, PassesArchiveFailuresOn) {
    dir.write("short.pak", {'P', 'A', 'C', 'K'});
    dir.write("other.pak", {'W', 'A', 'D', '2'});
    EXPECT_EQ(load("missing", "a"), 4);
    EXPECT_EQ(load("short", "a"), 11);
    EXPECT_EQ(load("other", "a"), 10);
}
