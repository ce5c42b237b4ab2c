#include "core/settings/ProjectShellCommands.h"

#include "core/os/FileFacts.h"
#include "core/text/TextOps.h"

namespace tally {

Outcome viewProjectSource(ShellRunner& runner, std::string_view projectPath) {
    return shellRun(runner, kTextEditorProgram, projectPath);
}

bool isOpenableProjectFile(std::string_view projectPath) {
    return endsWith(toLower(projectPath), ".vbp") && fileExists(projectPath);
}

Outcome openProjectInDevelopmentEnvironment(ShellRunner& runner, std::string_view projectPath) {
    if (!isOpenableProjectFile(projectPath)) {
        std::string text(shellErrorMessage(kShellFileNotFound));
        return Outcome::failure(kShellFileNotFound, text, {}, text);
    }
    return shellRun(runner, projectPath, {});
}

}  // namespace tally
