#pragma once
// The classic run-time error numbers the program reports, with the descriptions users know them by.
// Scan files, saved sources and the scan reader's messages carry these numbers.

namespace tally::error {

inline constexpr int kOverflow = 6;                // "Overflow"
inline constexpr int kTypeMismatch = 13;           // "Type mismatch"
inline constexpr int kFileNotFound = 53;           // "File not found"
inline constexpr int kDeviceIoError = 57;          // "Device I/O error"
inline constexpr int kDiskFull = 61;               // "Disk full"
inline constexpr int kInputPastEndOfFile = 62;     // "Input past end of file"
inline constexpr int kPermissionDenied = 70;       // "Permission denied"
inline constexpr int kPathFileAccessError = 75;    // "Path/File access error"
inline constexpr int kPathNotFound = 76;           // "Path not found"
inline constexpr int kInvalidFileFormat = 321;     // "Invalid file format"
inline constexpr int kElementNotFound = 35601;     // "Element not found"
inline constexpr int kKeyNotUnique = 35602;        // "Key is not unique in collection"

}  // namespace tally::error
