#include "core/archive/CZip.h"

namespace tally {

std::string CZip::fileSpec(int index) const {
    if (index < 1 || index > fileSpecCount()) return {};
    return m_fileList[static_cast<std::size_t>(index - 1)];
}

Outcome CZip::zip(Archiver& archiver) const {
    ZipOptions run = options;
    run.deleteEntries = false;
    return archiver.run(zipFile, run, m_fileList, events);
}

Outcome CZip::deleteEntries(Archiver& archiver) const {
    // The delete flag is set for this run only; the object keeps its options as they were.
    ZipOptions run = options;
    run.deleteEntries = true;
    return archiver.run(zipFile, run, m_fileList, events);
}

}  // namespace tally
