#include "platform/archive/EntrySource.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/os/RegularFile.h"
#include "platform/archive/LibzipCalls.h"
#include "platform/archive/ZipFailure.h"

namespace tally::archive {

namespace {

class EntrySource {
public:
    EntrySource(ZipRunContext& context, StoredEntry entry) : m_context(context), m_entry(std::move(entry)) {
        libzip().zip_error_init(&m_error);
    }
    ~EntrySource() { libzip().zip_error_fini(&m_error); }

    static zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);

private:
    zip_int64_t handle(void* data, zip_uint64_t length, zip_source_cmd_t command);
    bool begin();
    bool load();
    zip_int64_t failed(int zipError, int systemError = 0) {
        libzip().zip_error_set(&m_error, zipError, systemError);
        return -1;
    }

    ZipRunContext& m_context;
    StoredEntry m_entry;
    zip_error_t m_error;
    std::string m_bytes;
    std::size_t m_position = 0;
    zip_uint64_t m_size = 0;
    bool m_begun = false;   // the Progress event was asked and the message given
    bool m_loaded = false;  // m_bytes holds the data (dropped again at the close)
    bool m_broken = false;  // the file could not be read, or the run was stopped
};

bool EntrySource::begin() {
    if (m_begun) return !m_broken;
    m_begun = true;
    if (m_context.cancelled() || (!m_entry.folder && m_context.stopBefore(m_entry.path))) {
        m_broken = true;
        libzip().zip_error_set(&m_error, ZIP_ER_CANCELLED, 0);
        return false;
    }
    m_context.tell(m_entry.verb + ": " + m_entry.entryName);
    return true;
}

bool EntrySource::load() {
    if (!begin()) return false;
    if (m_loaded) return true;
    if (m_entry.folder) {
        m_loaded = true;
        return true;
    }
    FileRead read = readRegularFile(m_entry.path, kLargestArchivedFile);
    if (!read.bytes) {
        m_broken = true;
        m_context.fail(unreadableFile(read.check, m_entry.path, kLargestArchivedFile));
        libzip().zip_error_set(&m_error, ZIP_ER_READ, read.check.error);
        return false;
    }
    m_bytes = changeLineEnds(std::move(*read.bytes), m_entry.lineEnds);
    m_size = m_bytes.size();
    m_loaded = true;
    return true;
}

zip_int64_t EntrySource::handle(void* data, zip_uint64_t length, zip_source_cmd_t command) {
    switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return libzip().zip_source_make_command_bitmap(
                ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR,
                ZIP_SOURCE_FREE, ZIP_SOURCE_SUPPORTS, static_cast<zip_source_cmd_t>(-1));
        case ZIP_SOURCE_STAT: {
            // What ZIP_SOURCE_GET_ARGS does, through the loaded library.
            if (length < sizeof(zip_stat_t)) {
                libzip().zip_error_set(&m_error, ZIP_ER_INVAL, 0);
                return -1;
            }
            auto* stat = static_cast<zip_stat_t*>(data);
            // libzip asks for the size before it opens the source; it is the converted size, so the
            // file is read here already (a stat after the close reports what was stored).
            if (!m_begun && !load()) return -1;
            if (m_broken) return -1;
            libzip().zip_stat_init(stat);
            stat->valid = ZIP_STAT_MTIME | ZIP_STAT_SIZE;
            stat->mtime = m_entry.modified;
            stat->size = m_size;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_OPEN:
            if (!load()) return -1;
            m_position = 0;
            return 0;
        case ZIP_SOURCE_READ: {
            if (!m_loaded) return failed(ZIP_ER_INTERNAL);
            const std::size_t count =
                static_cast<std::size_t>(std::min<zip_uint64_t>(length, m_bytes.size() - m_position));
            if (count) std::memcpy(data, m_bytes.data() + m_position, count);
            m_position += count;
            return static_cast<zip_int64_t>(count);
        }
        case ZIP_SOURCE_CLOSE:
            // Stored: the memory goes back at once, so the run holds one file at a time.
            std::string().swap(m_bytes);
            m_loaded = false;
            return 0;
        case ZIP_SOURCE_ERROR:
            return libzip().zip_error_to_data(&m_error, data, length);
        case ZIP_SOURCE_FREE:
            delete this;
            return 0;
        default:
            return failed(ZIP_ER_OPNOTSUPP);
    }
}

zip_int64_t EntrySource::callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
    return static_cast<EntrySource*>(state)->handle(data, length, command);
}

}  // namespace

zip_source_t* makeEntrySource(ZipRunContext& context, StoredEntry entry, zip_error_t* error) {
    auto* state = new (std::nothrow) EntrySource(context, std::move(entry));
    if (!state) {
        libzip().zip_error_set(error, ZIP_ER_MEMORY, 0);
        return nullptr;
    }
    zip_source_t* source = libzip().zip_source_function_create(&EntrySource::callback, state, error);
    if (!source) delete state;
    return source;
}

}  // namespace tally::archive
