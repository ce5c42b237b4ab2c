#include "core/settings/ShellRunner.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/TempDir.h"
#include "core/settings/ProjectShellCommands.h"

namespace tally {

namespace {

// Records what it was asked to start and answers with a fixed code.
class RecordingRunner final : public ShellRunner {
public:
    explicit RecordingRunner(int code = kShellStarted) : m_code(code) {}
    int start(const ShellRequest& request) override {
        requests.push_back(request);
        return m_code;
    }
    std::vector<ShellRequest> requests;

private:
    int m_code;
};

}  // namespace

// The messages of the named codes are the table itself (31 and 2 reach the user below); codes the
// table does not name, 0 included, are unknown errors; 32 and above are successes.
TEST(ShellErrorMessage, UnnamedCodesAreUnknownErrorsAndSuccessesHaveNoMessage) {
    EXPECT_EQ(shellErrorMessage(0), "Unknown error");
    EXPECT_EQ(shellErrorMessage(1), "Unknown error");
    EXPECT_EQ(shellErrorMessage(-1), "Unknown error");
    EXPECT_EQ(shellErrorMessage(32), "");
    EXPECT_EQ(shellErrorMessage(kShellStarted), "");
}

TEST(ShellRun, PassesTheRequestAndReportsTheCode) {
    RecordingRunner ok;
    Outcome started = shellRun(ok, "notepad.exe", "/p/a.vbp");
    EXPECT_TRUE(started.ok);
    EXPECT_EQ(started.message, "");
    ASSERT_EQ(ok.requests.size(), 1u);
    EXPECT_EQ(ok.requests[0].file, "notepad.exe");
    EXPECT_EQ(ok.requests[0].parameters, "/p/a.vbp");

    RecordingRunner failing(kShellNoAssociation);
    Outcome failed = shellRun(failing, "/p/a.xyz", "");
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.errorNumber, 31);
    EXPECT_EQ(failed.message, "No association for file extension.");
}

TEST(ProjectShellCommands, ViewSourceHandsThePathToTheTextEditor) {
    RecordingRunner runner;
    EXPECT_TRUE(viewProjectSource(runner, "/p/Hourglass.vbp").ok);
    ASSERT_EQ(runner.requests.size(), 1u);
    EXPECT_EQ(runner.requests[0].file, kTextEditorProgram);
    EXPECT_EQ(runner.requests[0].parameters, "/p/Hourglass.vbp");
}

TEST(ProjectShellCommands, OpenInDevelopmentEnvironmentOnlyStartsAnExistingProjectFile) {
    TempDir dir;
    std::string project = dir.write("App.vbp", "Type=Exe\r\n");
    std::string upper = dir.write("Old.VBP", "Type=Exe\r\n");
    std::string program = dir.write("evil.sh", "#!/bin/sh\n");
    std::string disguised = dir.write("evil.vbp.sh", "#!/bin/sh\n");
    dir.write("Trap.vbp/inner.txt", "x");  // a folder named like a project

    RecordingRunner runner;
    EXPECT_TRUE(openProjectInDevelopmentEnvironment(runner, project).ok);
    EXPECT_TRUE(openProjectInDevelopmentEnvironment(runner, upper).ok);
    ASSERT_EQ(runner.requests.size(), 2u);
    EXPECT_EQ(runner.requests[0].file, project);
    EXPECT_EQ(runner.requests[0].parameters, "");
    EXPECT_EQ(runner.requests[1].file, upper);

    // A path from a scan file written elsewhere must never start whatever it names.
    for (const std::string& path :
         {program, disguised, dir / "Trap.vbp", dir / "Missing.vbp", dir.path(), std::string()}) {
        Outcome refused = openProjectInDevelopmentEnvironment(runner, path);
        EXPECT_FALSE(refused.ok) << path;
        EXPECT_EQ(refused.errorNumber, kShellFileNotFound) << path;
        EXPECT_EQ(refused.message, "File not found.") << path;
    }
    EXPECT_EQ(runner.requests.size(), 2u);
}

}  // namespace tally
