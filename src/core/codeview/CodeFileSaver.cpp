#include "core/codeview/CodeFileSaver.h"

#include <sys/stat.h>

#include <string>

#include "core/text/TextOps.h"

namespace tally {

FileWriteResult saveBytesAtomically(std::string_view path, std::string_view bytes) {
    if (path.empty()) return FileWriteResult{false, 76, "Path not found", "Path not found"};
    // A file nobody may write (read-only) is refused rather than replaced behind the user's back;
    // `stat` follows a link, so a link to a read-only file is refused as well.
    struct stat original {};
    std::string target(path);
    if (::stat(target.c_str(), &original) == 0) {
        if (!S_ISREG(original.st_mode) || (original.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return FileWriteResult{false, 75, "Path/File access error", "Path/File access error: " + target};
    }
    return SafeFileWriter(target).write(bytes);
}

FileWriteResult saveCodeText(std::string_view path, std::string_view text, LineEnd lineEnd) {
    if (lineEnd == LineEnd::CrLf) return saveBytesAtomically(path, text);
    return saveBytesAtomically(path, fromCrLfText(text, lineEnd));
}

std::string saveFailedMessage(std::string_view path, const FileWriteResult& result) {
    return "The following error occured while trying to save " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description;
}

std::string writeFailedMessage(std::string_view path, const FileWriteResult& result) {
    return "An error was encountered writing to " + std::string(path) + "\r\n\r\n" +
           toDecimal(result.errorNumber) + " - " + result.description;
}

}  // namespace tally
