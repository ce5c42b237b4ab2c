#pragma once
// One source file's bytes at a time, read into storage kept from file to file: a pass that reads every
// file of a project once then allocates, grows and copies no string per file.

#include <string>
#include <string_view>

#include "core/os/FileFacts.h"

namespace tally {

class RegularFile;

class FileBuffer {
public:
    // Reads the whole file, replacing the bytes of the last one; false (and no bytes) when it is not a
    // regular file, is larger than kLargestReadableFile or cannot be read, as readFileBytes decides.
    bool read(const std::string& path);
    // The same after a look at the path (see the RegularFile constructor that takes one).
    bool read(const std::string& path, const PathStatus& look);
    // The bytes read last; valid until the next read.
    std::string_view bytes() const { return std::string_view(m_storage.data(), m_size); }
    // Hands over the bytes read last as a string of their own; the next read starts with new storage.
    std::string take() {
        m_storage.resize(m_size);
        m_size = 0;
        return std::move(m_storage);
    }
    // Takes `storage` to read into when it has more room than the storage kept (a text taken earlier
    // and done with, say), so that the next read need not allocate.
    void recycle(std::string storage) {
        if (storage.capacity() > m_storage.capacity()) m_storage = std::move(storage);
    }

private:
    bool readFrom(RegularFile& file);

    std::string m_storage;  // never shrinks; only the first m_size bytes are the file's
    std::size_t m_size = 0;
};

}  // namespace tally
