// Deleting entries: by name and wildcard as adding would have named them, and what a run that
// deletes nothing, or everything, leaves.

#include <gtest/gtest.h>

#include "ZipReading.h"
#include "support/TempDir.h"

namespace tally {
namespace {

using testing::entryNames;
using testing::fileBytes;
using testing::RecordedEvents;
using testing::zipRun;
using Names = std::vector<std::string>;

class ArchiverDelete : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.path().empty());
        dir.write("proj/Main.frm", "main");
        dir.write("proj/Util.bas", "util");
        dir.write("proj/Forms/A.frm", "a");
        dir.write("proj/Forms/B.frm", "b");
        dir.write("proj/Forms/Sub/C.frm", "c");
        dir.write("shared/Lib.bas", "lib");
        ZipOptions options = folders();
        options.recurseSubDirs = true;
        ASSERT_TRUE(zipRun(zip(), options, {"*", "../shared/Lib.bas"}));
        ASSERT_EQ(entryNames(zip()), (Names{"proj/Main.frm", "proj/Util.bas", "proj/Forms/A.frm", "proj/Forms/B.frm",
                                            "proj/Forms/Sub/C.frm", "shared/Lib.bas"}));
    }
    std::string zip() const { return dir / "out.zip"; }
    ZipOptions folders() const {
        ZipOptions options;
        options.basePath = dir / "proj";
        options.storeFolderNames = true;
        return options;
    }
    ZipOptions deleting() const {
        ZipOptions options = folders();
        options.deleteEntries = true;
        return options;
    }
    TempDir dir;
};

TEST_F(ArchiverDelete, ByNameAndByWildcard) {
    RecordedEvents recorded;
    ASSERT_TRUE(zipRun(zip(), deleting(), {"Util.bas", "Forms\\*.frm", "..\\shared\\Lib.bas"}, recorded));
    EXPECT_EQ(entryNames(zip()), (Names{"proj/Main.frm", "proj/Forms/Sub/C.frm"}));
    EXPECT_EQ(recorded.messages, (Names{"deleting: proj/Util.bas", "deleting: proj/Forms/A.frm",
                                        "deleting: proj/Forms/B.frm", "deleting: shared/Lib.bas"}));
    EXPECT_TRUE(testing::archiveTestsGood(zip()));
    // The files themselves are not touched.
    EXPECT_EQ(dir.read("proj/Util.bas"), "util");
}

TEST_F(ArchiverDelete, WildcardsWithRecursionAndPlainFolderNames) {
    ZipOptions options = deleting();
    options.recurseSubDirs = true;
    ASSERT_TRUE(zipRun(zip(), options, {"Forms/*.frm"}));
    EXPECT_EQ(entryNames(zip()), (Names{"proj/Main.frm", "proj/Util.bas", "shared/Lib.bas"}));

    // Without folder names a pattern names an entry by its file name alone.
    ZipOptions bare;
    bare.basePath = dir / "proj";
    ASSERT_TRUE(zipRun(dir / "bare.zip", bare, {"Main.frm", "Util.bas"}));
    bare.deleteEntries = true;
    ASSERT_TRUE(zipRun(dir / "bare.zip", bare, {"Forms/Main.frm"}));
    EXPECT_EQ(entryNames(dir / "bare.zip"), (Names{"Util.bas"}));
}

TEST_F(ArchiverDelete, AFolderNamedOnItsOwnTakesItsEntries) {
    ASSERT_TRUE(zipRun(zip(), deleting(), {"Forms"}));
    EXPECT_EQ(entryNames(zip()), (Names{"proj/Main.frm", "proj/Util.bas", "proj/Forms/Sub/C.frm", "shared/Lib.bas"}));
}

TEST_F(ArchiverDelete, NothingMatchedFailsAndLeavesTheArchive) {
    const std::string before = fileBytes(zip());
    RecordedEvents recorded;
    const Outcome result = zipRun(zip(), deleting(), {"*.cls", "Missing.bas"}, recorded);
    EXPECT_EQ(result.errorNumber, error::kFileNotFound);
    EXPECT_EQ(fileBytes(zip()), before);
    EXPECT_TRUE(recorded.saw("warning: no entry matches *.cls"));
    EXPECT_TRUE(recorded.saw("warning: no entry matches Missing.bas"));

    // Some matched: the others are reported and the run goes on.
    RecordedEvents partly;
    ASSERT_TRUE(zipRun(zip(), deleting(), {"Missing.bas", "Main.frm"}, partly));
    EXPECT_EQ(partly.messages, (Names{"warning: no entry matches Missing.bas", "deleting: proj/Main.frm"}));
}

TEST_F(ArchiverDelete, AMissingArchiveFails) {
    const Outcome result = zipRun(dir / "none.zip", deleting(), {"Main.frm"});
    EXPECT_EQ(result.errorNumber, error::kFileNotFound);
    EXPECT_NE(result.detail.find("none.zip"), std::string::npos);
    EXPECT_FALSE(std::ifstream(dir / "none.zip").good());
}

TEST_F(ArchiverDelete, DeletingEveryEntryLeavesAnEmptyArchive) {
    ZipOptions options = deleting();
    options.recurseSubDirs = true;
    ASSERT_TRUE(zipRun(zip(), options, {"*", "../shared/*"}));
    EXPECT_EQ(fileBytes(zip()).size(), 22u);
    EXPECT_TRUE(entryNames(zip()).empty());
    EXPECT_EQ(testing::python("import sys, zipfile\nzipfile.ZipFile(sys.argv[1])", zip()).status, 0);
}

}  // namespace
}  // namespace tally
