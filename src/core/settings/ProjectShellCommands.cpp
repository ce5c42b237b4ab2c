#include "core/settings/ProjectShellCommands.h"

#include "core/os/FileFacts.h"
#include "core/text/TextOps.h"

namespace tally {

ShellRunResult viewProjectSource(ShellRunner& runner, std::string_view projectPath) {
    return shellRun(runner, kTextEditorProgram, projectPath);
}

bool isOpenableProjectFile(std::string_view projectPath) {
    return endsWith(toLower(projectPath), ".vbp") && fileExists(projectPath);
}

ShellRunResult openProjectInDevelopmentEnvironment(ShellRunner& runner, std::string_view projectPath) {
    if (!isOpenableProjectFile(projectPath)) {
        ShellRunResult refused;
        refused.code = kShellFileNotFound;
        refused.message = std::string(shellErrorMessage(kShellFileNotFound));
        return refused;
    }
    return shellRun(runner, projectPath, {});
}

}  // namespace tally
