// Scan files that are not what they seem: a FIFO or device in the file's place, a byte order mark,
// a tree far deeper than any project's. None may hang, crash or overflow the stack.

#include "core/scanfile/ScanFileReader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/scanfile/ScanFileWriter.h"
#include "core/scanfile/ScanTestSupport.h"
#include "support/TempDir.h"

namespace tally {

namespace {

namespace fs = std::filesystem;
using testing::invoiceModel;
using testing::isEmptyModel;

class HostileScanFileTest : public ::testing::Test {
protected:
#ifndef _WIN32
    void SetUp() override { ::alarm(60); }
    void TearDown() override { ::alarm(0); }
#endif
    std::string path(const std::string& name) const { return m_dir / name; }
    TempDir m_dir;
};

// A model whose tree is one chain of `depth` nodes below the project node.
ProjectModel chainModel(int depth) {
    ProjectModel m = invoiceModel();
    std::string parent = "project";
    for (int i = 0; i < depth; ++i) {
        std::string key = "n" + std::to_string(i);
        m.tree.add(parent, key, key);
        parent = key;
    }
    return m;
}

#ifndef _WIN32  // FIFOs are a POSIX file kind
TEST_F(HostileScanFileTest, FifoDeviceAndLinkToFifoAreRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo(path("pipe.psf").c_str(), 0644), 0);
    fs::create_symlink(path("pipe.psf"), path("link.psf"));
    for (const std::string& name : {path("pipe.psf"), path("link.psf")}) {
        ProjectModel m = invoiceModel();
        Outcome result = openScanFile(name, m);
        EXPECT_EQ(result.errorNumber, 75);
        EXPECT_EQ(result.description, "Path/File access error: " + name + " is not a regular file (a FIFO)");
        EXPECT_TRUE(isEmptyModel(m));
    }
    ProjectModel m;
    EXPECT_EQ(openScanFile("/dev/zero", m).description,
              "Path/File access error: /dev/zero is not a regular file (a character device)");
}
#endif

TEST_F(HostileScanFileTest, ByteOrderMarkIsPassedOver) {
    std::string text = scanFileText(invoiceModel());
    m_dir.write("bom.psf", "\xEF\xBB\xBF" + text);
    ProjectModel m;
    Outcome result = openScanFile(path("bom.psf"), m);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(m.projectPath, "/home/dev/Invoice/Invoice.vbp");
}

// The project node is the first level: a chain of 255 nodes below it makes 256 levels.
TEST_F(HostileScanFileTest, TreesUpToTheDepthLimitOpenAndDeeperOnesAreRefused) {
    const int below = kLargestScanTreeDepth - 1;
    ASSERT_TRUE(saveScanFile(chainModel(below), path("deepest.psf")));
    ProjectModel m;
    Outcome deepest = openScanFile(path("deepest.psf"), m);
    ASSERT_TRUE(deepest.ok) << deepest.message;
    EXPECT_EQ(m.tree.depthOf("n" + std::to_string(below - 1)), kLargestScanTreeDepth - 1);

    ASSERT_TRUE(saveScanFile(chainModel(below + 1), path("deeper.psf")));
    Outcome deeper = openScanFile(path("deeper.psf"), m);
    EXPECT_FALSE(deeper.ok);
    EXPECT_EQ(deeper.errorNumber, 321);
    EXPECT_NE(deeper.description.find("deeper than 256 levels"), std::string::npos) << deeper.description;
    EXPECT_TRUE(isEmptyModel(m));
}

TEST_F(HostileScanFileTest, ATreeThreeHundredThousandDeepIsRefusedWithoutOverflowingTheStack) {
    ProjectModel deep = chainModel(300000);
    // Writing walks the whole tree; removing it walks it again.
    ASSERT_TRUE(saveScanFile(deep, path("abyss.psf")));
    EXPECT_TRUE(deep.tree.remove("n0"));
    EXPECT_EQ(deep.tree.size(), invoiceModel().tree.size());
    ProjectModel m;
    Outcome result = openScanFile(path("abyss.psf"), m);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.description.find("deeper than 256 levels"), std::string::npos) << result.description;
}

}  // namespace

}  // namespace tally
