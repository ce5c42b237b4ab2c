#include "core/parser/DeclarationState.h"

#include "core/project/PathOps.h"

namespace tally {

void DeclarationState::startFile(int row, std::string_view filePath) {
    fileRow = row;
    path = std::string(filePath);
    fileName = fileNameOf(filePath);
    current = FileStatistics{};
    current.path = path;
    beginLines = 0;
    routinesStarted = false;
    inTypeBlock = false;
    typeName.clear();
    firstRowOfFile = true;
    firstRowOfRoutine = true;
    frxRead = false;
    designerDepth = 0;
}

}  // namespace tally
