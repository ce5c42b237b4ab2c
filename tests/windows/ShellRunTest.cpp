// ShellExecute's codes for what cannot be started, and the messages the user sees for them.
#include <gtest/gtest.h>

#include "core/settings/ShellRunner.h"
#include "platform/ShellRunnerChoice.h"
#include "support/TempDir.h"

namespace tally {

TEST(WindowsShellRun, AMissingProgramOrDocumentIsFileNotFound) {
    std::unique_ptr<ShellRunner> runner = makeSystemShellRunner();
    TempDir dir;
    const int missingProgram = runner->start({dir / "no-such-program.exe", "/x"});
    EXPECT_EQ(missingProgram, kShellFileNotFound);
    EXPECT_EQ(runner->start({dir / "no-such-document.txt", ""}), kShellFileNotFound);
    const int missingFolder = runner->start({dir / "no/such/folder/tool.exe", ""});
    EXPECT_TRUE(missingFolder == kShellPathNotFound || missingFolder == kShellFileNotFound) << missingFolder;

    Outcome said = shellRun(*runner, dir / "no-such-program.exe", "");
    EXPECT_FALSE(said.ok);
    EXPECT_EQ(said.errorNumber, kShellFileNotFound);
    EXPECT_EQ(said.description, "File not found.");
}

}  // namespace tally
