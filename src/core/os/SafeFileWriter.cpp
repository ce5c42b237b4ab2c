#include "core/os/SafeFileWriter.h"

#include <atomic>
#include <cerrno>

#include "core/os/SaveTarget.h"
#include "core/os/SystemFiles.h"

namespace tally {

namespace {

// The classic error number and text that best tell the user what an operating-system error means.
Outcome failure(int err, std::string_view path) {
    Outcome result;
    std::string_view what;
    switch (err) {
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            result.errorNumber = error::kPathNotFound;
            what = "Path not found";
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            result.errorNumber = error::kPermissionDenied;
            what = "Permission denied";
            break;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            result.errorNumber = error::kDiskFull;
            what = "Disk full";
            break;
        case EIO:
            result.errorNumber = error::kDeviceIoError;
            what = "Device I/O error";
            break;
        default:
            result.errorNumber = error::kPathFileAccessError;
            what = "Path/File access error";
            break;
    }
    result.description = std::string(what);
    result.detail = std::string(what) + ": " + std::string(path) + " (" + sys::errorText(err) + ")";
    return result;
}

std::string temporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".tmp-" + std::to_string(sys::processId()) + "-" +
           std::to_string(counter.fetch_add(1));
}

std::string folderOf(const std::string& target) {
    std::size_t slash = target.find_last_of(sys::kPathSeparators);
    return slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
}

// A refusal decided before anything was written: the path, what is there and why it stays.
Outcome refusedTarget(int err, std::string_view path, const std::string& why) {
    Outcome result = failure(err, path);
    result.detail = result.description + ": " + std::string(path) + " " + why;
    return result;
}

struct InjectedFault {
    bool armed = false;
    SafeWriteStep step = SafeWriteStep::CreateTemporary;
    int err = 0;
};
thread_local InjectedFault injectedFault;

// The error a test asked this step to fail with, or what the system call gave.
int atStep(SafeWriteStep step, int systemResult) {
    if (!injectedFault.armed || injectedFault.step != step) return systemResult;
    injectedFault.armed = false;
    return injectedFault.err;
}

// Gathers small pieces into blocks of about a megabyte before they go to the file; a piece that
// large on its own goes straight through.
class BlockedFileStream final : public SafeWriteStream {
public:
    explicit BlockedFileStream(sys::OpenFile& file) : m_file(file) {}

    void add(std::string_view bytes) override {
        if (m_error != 0) return;
        if (m_buffer.empty() && bytes.size() >= kBlock) {
            writeNow(bytes);
            return;
        }
        m_buffer.append(bytes);
        if (m_buffer.size() >= kBlock) flush();
    }
    bool failed() const override { return m_error != 0; }

    // Writes what is gathered; 0 or the error number of the first failed write. The last write
    // happens even when nothing is left, so that a fault a test asked for is met by an empty file too.
    int finish() {
        if (m_error == 0) flush();
        return m_error;
    }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;

    void flush() {
        writeNow(m_buffer);
        m_buffer.clear();
    }
    void writeNow(std::string_view bytes) {
        m_error = atStep(SafeWriteStep::Write, m_file.writeAll(bytes));
    }

    sys::OpenFile& m_file;
    std::string m_buffer;
    int m_error = 0;
};

}  // namespace

void failNextSafeWrite(SafeWriteStep step, int err) { injectedFault = {true, step, err}; }

SafeFileWriter::SafeFileWriter(std::string targetPath) : m_targetPath(std::move(targetPath)) {}

Outcome SafeFileWriter::write(std::string_view bytes, bool cautionsAgreed) const {
    return writeStreamed([bytes](SafeWriteStream& out) { out.add(bytes); }, cautionsAgreed);
}

Outcome SafeFileWriter::writeStreamed(const std::function<void(SafeWriteStream&)>& produce,
                                      bool cautionsAgreed) const {
    const SaveTarget found = inspectSaveTarget(m_targetPath);
    if (!found.refusal.empty()) return refusedTarget(found.refusalError, m_targetPath, found.refusal);
    if (!cautionsAgreed) {
        std::vector<std::string> cautions = saveCautions(m_targetPath, found);
        if (!cautions.empty()) {
            // Read-only is a permission; hard links and ownership are what the file would lose.
            Outcome result = failure(found.readOnly ? EACCES : EBUSY, m_targetPath);
            result.detail = result.description + ": ";
            for (const std::string& caution : cautions) result.detail += caution + " ";
            result.detail += "Nothing was written.";
            return result;
        }
    }
    const std::string& target = found.writePath;

    std::string temp;
    sys::OpenFile file;
    for (int attempt = 0; attempt < 100 && !file.isOpen(); ++attempt) {
        temp = temporaryName(target);
        int err = atStep(SafeWriteStep::CreateTemporary, 0);
        if (err == 0) err = file.createNew(temp);
        if (err != 0 && err != EEXIST) {
            Outcome result = failure(err, m_targetPath);
            if (err == EACCES || err == EPERM || err == EROFS)
                result.detail = result.description + ": " + m_targetPath + " (the folder " + folderOf(target) +
                                " must be writable for the temporary file the save goes through: " +
                                sys::errorText(err) + ")";
            return result;
        }
    }
    if (!file.isOpen()) return failure(EEXIST, m_targetPath);

    auto abandon = [&](int err) {
        file.close();
        sys::removeFile(temp);
        return failure(err, m_targetPath);
    };
    if (found.exists) file.takeOverAccess(found.facts);
    BlockedFileStream stream(file);
    try {
        produce(stream);
    } catch (...) {
        file.close();
        sys::removeFile(temp);
        throw;
    }
    if (const int err = stream.finish(); err != 0) return abandon(err);
    if (const int err = atStep(SafeWriteStep::Flush, file.flushToDisk()); err != 0) return abandon(err);
    if (const int err = atStep(SafeWriteStep::Close, file.close()); err != 0) return abandon(err);

    // Whatever took the target's place since the look above must not be renamed over either.
    const SaveTarget now = inspectSaveTarget(m_targetPath);
    if (!now.refusal.empty() || now.writePath != target) {
        sys::removeFile(temp);
        return refusedTarget(now.refusal.empty() ? EINVAL : now.refusalError, m_targetPath,
                             now.refusal.empty() ? "changed while it was being saved; nothing was written" : now.refusal);
    }
    const int replaced = atStep(SafeWriteStep::Replace, 0);
    if (const int err = replaced != 0 ? replaced : sys::replaceFile(temp, target); err != 0) return abandon(err);
    sys::flushFolder(folderOf(target));
    return Outcome::success();
}

}  // namespace tally
