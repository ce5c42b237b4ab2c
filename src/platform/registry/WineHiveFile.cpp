#include "platform/registry/WineHiveFile.h"

#include <sys/stat.h>

#include <filesystem>

#include "core/os/FileFacts.h"
#include "core/os/SafeFileWriter.h"

namespace tally {

WineHiveFile::WineHiveFile(std::string path, std::string root)
    : m_path(std::move(path)), m_root(std::move(root)) {}

WineHiveFile::Stamp WineHiveFile::look() const {
    Stamp stamp;
    struct stat st {};
    if (m_path.empty() || ::stat(m_path.c_str(), &st) != 0) return stamp;
    stamp.present = true;
    stamp.size = static_cast<long long>(st.st_size);
#ifdef _WIN32
    stamp.seconds = st.st_mtime;
#else
    stamp.seconds = st.st_mtim.tv_sec;
    stamp.nanoseconds = st.st_mtim.tv_nsec;
#endif
    stamp.device = static_cast<unsigned long long>(st.st_dev);
    stamp.inode = static_cast<unsigned long long>(st.st_ino);
    return stamp;
}

void WineHiveFile::load() {
    // The stamp is taken before reading: a change made while reading shows up next time.
    m_stamp = look();
    m_loaded = true;
    m_writable = true;
    if (!m_stamp.present) {
        m_hive = WineHive::fresh(m_root);
        return;
    }
    std::optional<std::string> bytes = readFileBytes(m_path);
    if (!bytes) {
        m_hive = WineHive();
        m_writable = false;
        return;
    }
    if (bytes->empty()) {
        m_hive = WineHive::fresh(m_root);
        return;
    }
    m_hive = WineHive::parse(*bytes);
    m_writable = m_hive.hasSignature();
}

const WineHive& WineHiveFile::current() {
    if (!m_loaded || look() != m_stamp) load();
    return m_hive;
}

WineHive* WineHiveFile::forChange() {
    current();
    return m_writable ? &m_hive : nullptr;
}

bool WineHiveFile::save() {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(m_path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);
    const bool ok = m_writable && SafeFileWriter(m_path).write(m_hive.serialize()).ok;
    if (ok)
        m_stamp = look();
    else
        m_loaded = false;
    return ok;
}

}  // namespace tally
