#include "core/engine/ScanProject.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(ScanProject, PassOneTakesWhatWasReadAheadWhileTheFileStillFitsIt) {
    TempDir dir;
    const std::string m = "Attribute VB_Name = \"m\"\r\nSub Main()\r\n    Helper\r\nEnd Sub\r\nSub Helper()\r\nEnd Sub\r\n";
    const std::string n = "Attribute VB_Name = \"n\"\r\nSub Other()\r\nEnd Sub\r\n";
    dir.write("m.bas", m);
    dir.write("n.bas", n);
    const std::string vbp = dir.write("P.vbp", "Module=m; m.bas\r\nModule=n; n.bas\r\n");
    NoFileVersions versions;
    NullParseProgress quiet;
    CancelFlag cancel{false};
    SourceTextCache readAhead;
    ProjectModel model;
    ScanRequest request{vbp, versions, quiet, cancel};
    request.readAhead = &readAhead;
    request.codePage = [&](const ProjectModel& opened) {
        // The text of m as long as the file, with other names: the routines show which was read.
        std::string renamed = m;
        for (std::size_t at; (at = renamed.find("Helper")) != std::string::npos;) renamed.replace(at, 6, "Worker");
        readAhead.keep(opened.files.at(1).path, renamed);
        // n has changed since it was read ahead (its length differs): the disk is read.
        readAhead.keep(opened.files.at(2).path, "Attribute VB_Name = \"n\"\r\nSub Stale()\r\nEnd Sub\r\n\r\n");
        return kCodePageWestern;
    };
    ASSERT_TRUE(scanProject(model, request));
    std::vector<std::string> names;
    for (const SubRec& routine : model.subs.at(0)) names.push_back(routine.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Main", "Worker", "Other"}));
    // Nothing read ahead outlives the scan.
    EXPECT_FALSE(readAhead.take(model.files[1].path));
    EXPECT_FALSE(readAhead.take(model.files[2].path));
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
