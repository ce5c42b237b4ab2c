#include "platform/archive/ZipFailure.h"

#include <cerrno>

#include "core/archive/Archiver.h"
#include "core/os/SystemFiles.h"
#include "platform/archive/LibzipCalls.h"

namespace tally::archive {

namespace {

int numberForSystemError(int err, int missing) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return missing;
        case EACCES:
        case EPERM:
        case EROFS:
            return error::kPermissionDenied;
        case ENOSPC:
        case EFBIG:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return error::kDiskFull;
        case EIO:
            return error::kDeviceIoError;
        default:
            return error::kPathFileAccessError;
    }
}

}  // namespace

std::string errorDescription(int number) {
    switch (number) {
        case error::kFileNotFound:
            return "File not found";
        case error::kDeviceIoError:
            return "Device I/O error";
        case error::kDiskFull:
            return "Disk full";
        case error::kPermissionDenied:
            return "Permission denied";
        case error::kPathNotFound:
            return "Path not found";
        case error::kInvalidFileFormat:
            return "Invalid file format";
        case kZipCancelled:
            return "User interrupt occurred";
        default:
            return "Path/File access error";
    }
}

Outcome classicFailure(int number, const std::string& path, const std::string& why) {
    const std::string description = errorDescription(number);
    return Outcome::failure(number, description, description + ": " + path + " " + why);
}

Outcome systemFailure(int err, const std::string& path, int missing) {
    return classicFailure(numberForSystemError(err, missing), path, "(" + sys::errorText(err) + ")");
}

Outcome libzipFailure(zip_error_t* error, const std::string& path) {
    int number = error::kPathFileAccessError;
    switch (libzip().zip_error_code_zip(error)) {
        case ZIP_ER_NOZIP:
        case ZIP_ER_INCONS:
        case ZIP_ER_CRC:
        case ZIP_ER_EOF:
        case ZIP_ER_MULTIDISK:
        case ZIP_ER_COMPNOTSUPP:
        case ZIP_ER_ENCRNOTSUPP:
        case ZIP_ER_COMPRESSED_DATA:
            number = error::kInvalidFileFormat;
            break;
        case ZIP_ER_NOENT:
            number = error::kFileNotFound;
            break;
        case ZIP_ER_CANCELLED:
            number = kZipCancelled;
            break;
        case ZIP_ER_RDONLY:
            number = error::kPermissionDenied;
            break;
        default:
            if (libzip().zip_error_system_type(error) == ZIP_ET_SYS &&
                libzip().zip_error_code_system(error) != 0)
                number = numberForSystemError(libzip().zip_error_code_system(error), error::kPathNotFound);
            break;
    }
    return classicFailure(number, path, std::string("(") + libzip().zip_error_strerror(error) + ")");
}

Outcome unreadableFile(const FileCheck& check, const std::string& path, std::int64_t limit) {
    switch (check.refusal) {
        case FileRefusal::Missing:
            return classicFailure(error::kFileNotFound, path, "does not exist; nothing was written");
        case FileRefusal::Unreadable:
            if (check.error != 0) return systemFailure(check.error, path, error::kFileNotFound);
            break;
        default:
            break;
    }
    return classicFailure(error::kPathFileAccessError, path,
                          refusalPhrase(check, limit) + "; nothing was written");
}

Outcome cancelledRun() {
    return Outcome::failure(
        kZipCancelled, errorDescription(kZipCancelled),
        errorDescription(kZipCancelled) + ": the zip run was stopped; nothing was written");
}

}  // namespace tally::archive
