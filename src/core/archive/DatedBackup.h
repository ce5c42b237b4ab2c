#pragma once
// The backup "Zip && Save File" makes before the edited file is saved over the stored one: the file
// as it is on disk, alone in an archive named after it and the day.

#include <functional>

#include "core/archive/Archiver.h"
#include "core/archive/ProjectArchive.h"
#include "core/codeview/SaveItPrompt.h"

namespace tally {

struct CalendarDay {
    int year = 0, month = 0, day = 0;
};

class DatedBackup final : public BackupArchiver {
public:
    // `failed` is told why a backup could not be made (the save does not go ahead then).
    DatedBackup(Archiver& archiver, std::function<CalendarDay()> today, FileExists exists,
                std::function<void(const Outcome&)> failed)
        : m_archiver(archiver), m_today(std::move(today)), m_exists(std::move(exists)), m_failed(std::move(failed)) {}

    std::optional<std::string> archiveStoredFile(std::string_view path) override;

private:
    Archiver& m_archiver;
    std::function<CalendarDay()> m_today;
    FileExists m_exists;
    std::function<void(const Outcome&)> m_failed;
};

}  // namespace tally
