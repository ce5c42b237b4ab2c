#include "core/engine/ScanProject.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace tally {
namespace {

TEST(ScanProject, OpensARelativePathOnceAndParsesAfterTheOpenedHook) {
    TempDir dir;
    dir.write("m.bas", "Attribute VB_Name = \"m\"\r\nSub Main()\r\n    Helper\r\nEnd Sub\r\nSub Helper()\r\nEnd Sub\r\n");
    const std::string vbp = dir.write("P.vbp", "Module=m; m.bas\r\n");
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    std::size_t routinesWhenOpened = 99;
    ProjectModel model;
    ScanRequest request{vbp, versions, quiet, cancel};
    request.opened = [&](const ProjectModel& opened) { routinesWhenOpened = opened.subs.empty() ? 0 : opened.subs[0].size(); };
    ScanOutcome outcome = scanProject(model, request);
    ASSERT_TRUE(outcome) << outcome.open.message;
    EXPECT_EQ(routinesWhenOpened, 0u);
    EXPECT_EQ(model.projectPath, vbp);
    ASSERT_EQ(model.subs.at(0).size(), 2u);
    EXPECT_EQ(model.subs[0][1].timesCalled, 1);
}

TEST(ScanProject, AProjectThatCannotBeReadOrACancelSaysSo) {
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    ProjectModel model;
    ScanOutcome missing = scanProject(model, ScanRequest{"/no/such/folder/P.vbp", versions, quiet, cancel});
    EXPECT_FALSE(missing.opened());
    // The message names the full path: on Windows with the drive of the folder the test runs in.
    const std::string message = missing.open.message;
    EXPECT_EQ(message.substr(message.find(nativePath("/no/"))), nativePath("/no/such/folder/P.vbp") + " does not exist.");

    TempDir dir;
    dir.write("m.bas", "Sub Main()\r\nEnd Sub\r\n");
    CancelFlag cancelled{true};
    ScanOutcome stopped = scanProject(model, ScanRequest{dir.write("P.vbp", "Module=m; m.bas\r\n"), versions, quiet, cancelled});
    EXPECT_TRUE(stopped.opened());
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_FALSE(stopped);
}

}  // namespace
}  // namespace tally
