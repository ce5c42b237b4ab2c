#include "core/archive/DatedBackup.h"

#include "core/archive/CZip.h"
#include "core/project/PathOps.h"

namespace tally {

std::optional<std::string> DatedBackup::archiveStoredFile(std::string_view path) {
    const CalendarDay day = m_today();
    CZip zip;
    zip.zipFile = backupZipName(path, day.year, day.month, day.day, m_exists);
    zip.options.storeFolderNames = false;
    zip.options.recurseSubDirs = false;
    zip.addFileSpec(std::string(path));
    const Outcome made = zip.zip(m_archiver);
    if (!made.ok) {
        if (m_failed) m_failed(made);
        return std::nullopt;
    }
    return fileNameOf(zip.zipFile);
}

}  // namespace tally
