// The file calls on Windows, through the wide-character Win32 API so that any file name can be
// named. Paths come as UTF-8; absolute paths longer than the classic limit get the "\\?\" prefix.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cerrno>
#include <cwctype>
#include <system_error>

#include "core/os/SystemFiles.h"

namespace tally::sys {

namespace {

constexpr DWORD kLargestTransfer = DWORD{1} << 30;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The <cerrno> number nearest to a Win32 error code, so callers test one set on every system.
int errnoOf(DWORD code) {
    switch (code) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME:
            return ENOENT;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_PRIVILEGE_NOT_HELD:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_CANT_RESOLVE_FILENAME:
            return ELOOP;
        case ERROR_CRC:
        case ERROR_IO_DEVICE:
        case ERROR_NOT_READY:
        case ERROR_SECTOR_NOT_FOUND:
            return EIO;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EINVAL;
    }
}

int lastError() {
    return errnoOf(::GetLastError());
}

std::wstring wideOf(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const DWORD flags = codePage == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int length = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string utf8Of(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                              nullptr);
    return text;
}

// A path as the wide API takes it: UTF-8 (or, when it is not valid UTF-8, the ANSI code page),
// separators as backslashes, and a long absolute path prefixed so the 260-character limit does
// not cut it.
std::wstring nativePath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return {};
    std::wstring wide = wideOf(path, CP_UTF8);
    if (wide.empty()) wide = wideOf(path, CP_ACP);
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (wide.size() < MAX_PATH || wide.rfind(L"\\\\?\\", 0) == 0 || wide.rfind(L"\\\\.\\", 0) == 0) return wide;
    if (wide.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + wide.substr(2);
    if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
    return wide;
}

// Names Windows gives to devices in every folder ("CON", "nul.txt", "COM1", ...), and the device
// namespace "\\.\": they are looked at by name and never opened.
bool namesADevice(const std::wstring& path) {
    if (path.rfind(L"\\\\.\\", 0) == 0) return true;
    const std::size_t slash = path.find_last_of(L"\\:");
    std::wstring stem = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') stem.pop_back();
    for (wchar_t& c : stem) c = static_cast<wchar_t>(::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" ||
        stem == L"CONOUT$")
        return true;
    return stem.size() == 4 && (stem.rfind(L"COM", 0) == 0 || stem.rfind(L"LPT", 0) == 0) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

std::time_t timeOf(const FILETIME& time) {
    // FILETIME counts 100 ns steps from 1601; time_t counts seconds from 1970.
    const ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    constexpr ULONGLONG kFrom1601To1970 = 116444736000000000ULL;
    return ticks < kFrom1601To1970 ? 0 : static_cast<std::time_t>((ticks - kFrom1601To1970) / 10000000ULL);
}

int factsOfHandle(HANDLE handle, EntryFacts& facts, bool followLinks) {
    const DWORD type = ::GetFileType(handle);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
        facts = EntryFacts{};
        facts.kind = type == FILE_TYPE_CHAR ? EntryKind::CharacterDevice : EntryKind::Fifo;
        return 0;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) return lastError();
    facts = EntryFacts{};
    const DWORD attributes = info.dwFileAttributes;
    if (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        facts.kind = EntryKind::Link;
    else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        facts.kind = EntryKind::Directory;
    else if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0)
        facts.kind = EntryKind::Other;
    else
        facts.kind = EntryKind::Regular;
    if (facts.kind == EntryKind::Regular)
        facts.length = static_cast<std::int64_t>((static_cast<ULONGLONG>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    facts.modified = timeOf(info.ftLastWriteTime);
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    facts.mode = readOnly ? 0444 : 0666;
    facts.hardLinks = static_cast<long long>(info.nNumberOfLinks);
    facts.device = info.dwVolumeSerialNumber;
    facts.node = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return 0;
}

// A handle for looking only (no read or write access), folders included.
HANDLE openForLooking(const std::wstring& path, bool followLinks) {
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!followLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr);
}

}  // namespace

int lookAt(const std::string& path, EntryFacts& facts, bool followLinks) {
    const std::wstring native = nativePath(path);
    if (native.empty()) return ENOENT;
    if (namesADevice(native)) {
        facts = EntryFacts{};
        facts.kind = EntryKind::CharacterDevice;
        return 0;
    }
    HANDLE handle = openForLooking(native, followLinks);
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    const int error = factsOfHandle(handle, facts, followLinks);
    ::CloseHandle(handle);
    return error;
}

// The read-only flag is the one bar a look can see; the save's own open tells of any other.
bool mayWrite(const std::string&, const EntryFacts& facts) {
    return facts.kind == EntryKind::Regular && (facts.mode & 0200) != 0;
}

std::string spelledOnDisk(const std::string& path) {
    std::wstring wide = nativePath(path);
    if (wide.empty()) return path;
    // The root stays as written: a drive ("C:\\"), a share ("\\\\server\\share\\") or a prefixed path.
    const auto startsWith = [&wide](std::wstring_view head) { return wide.rfind(head, 0) == 0; };
    const auto afterShare = [&wide](std::size_t from) {
        const std::size_t server = wide.find(L'\\', from);
        return server == std::wstring::npos ? server : wide.find(L'\\', server + 1);
    };
    std::size_t at = 0;
    if (startsWith(L"\\\\?\\UNC\\"))
        at = afterShare(8);
    else if (startsWith(L"\\\\?\\"))
        at = wide.find(L'\\', 4);
    else if (startsWith(L"\\\\"))
        at = afterShare(2);
    else if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        at = 2;
    else
        return path;  // a relative path has no folder to start the lookup from
    if (at == std::wstring::npos || wide.find_first_of(L"*?", at) != std::wstring::npos) return path;
    std::wstring spelled = wide.substr(0, at);
    while (at < wide.size()) {
        const std::size_t start = at + 1;
        std::size_t end = wide.find(L'\\', start);
        if (end == std::wstring::npos) end = wide.size();
        std::wstring name = wide.substr(start, end - start);
        if (!name.empty() && name != L"." && name != L"..") {
            WIN32_FIND_DATAW found;
            HANDLE search = ::FindFirstFileW((spelled + L'\\' + name).c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) return path;
            ::FindClose(search);
            name = found.cFileName;
        }
        spelled += L'\\' + name;
        at = end;
    }
    // A long path went to the system with the "\\?\" prefix; the caller's form had none.
    const bool prefixed = path.rfind("\\\\?\\", 0) == 0;
    if (!prefixed && spelled.rfind(L"\\\\?\\UNC\\", 0) == 0) return utf8Of(L"\\\\" + spelled.substr(8));
    if (!prefixed && spelled.rfind(L"\\\\?\\", 0) == 0) return utf8Of(spelled.substr(4));
    return utf8Of(spelled);
}

int resolveLinks(const std::string& path, std::string& resolved) {
    const std::wstring native = nativePath(path);
    if (native.empty()) return ENOENT;
    HANDLE handle = openForLooking(native, true);
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    }
    const int error = length == 0 ? lastError() : 0;
    ::CloseHandle(handle);
    if (error != 0) return error;
    final.resize(length);
    // The answer always has the long-path prefix; a path short enough goes back to its plain form.
    if (final.size() < MAX_PATH + 8) {
        if (final.rfind(L"\\\\?\\UNC\\", 0) == 0)
            final = L"\\\\" + final.substr(8);
        else if (final.rfind(L"\\\\?\\", 0) == 0)
            final = final.substr(4);
    }
    resolved = utf8Of(final);
    return 0;
}

OpenFile::~OpenFile() {
    close();
}

int OpenFile::openToRead(const std::string& path) {
    close();
    const std::wstring native = nativePath(path);
    if (native.empty()) return ENOENT;
    if (namesADevice(native)) return EACCES;
    HANDLE handle = ::CreateFileW(native.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return 0;
}

int OpenFile::createNew(const std::string& path) {
    close();
    const std::wstring native = nativePath(path);
    if (native.empty()) return ENOENT;
    HANDLE handle = ::CreateFileW(native.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return lastError();
    m_handle = reinterpret_cast<std::intptr_t>(handle);
    return 0;
}

int OpenFile::lookAt(EntryFacts& facts) const {
    return factsOfHandle(reinterpret_cast<HANDLE>(m_handle), facts, true);
}

long long OpenFile::readSome(char* into, std::size_t most) {
    DWORD got = 0;
    const DWORD wanted = most < kLargestTransfer ? static_cast<DWORD>(most) : kLargestTransfer;
    if (::ReadFile(reinterpret_cast<HANDLE>(m_handle), into, wanted, &got, nullptr)) return got;
    const DWORD code = ::GetLastError();
    return code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF ? 0 : -errnoOf(code);
}

int OpenFile::writeAll(std::string_view bytes) {
    const char* at = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = left < kLargestTransfer ? static_cast<DWORD>(left) : kLargestTransfer;
        if (!::WriteFile(reinterpret_cast<HANDLE>(m_handle), at, chunk, &written, nullptr)) return lastError();
        if (written == 0) return EIO;
        at += written;
        left -= written;
    }
    return 0;
}

void OpenFile::takeOverAccess(const EntryFacts&) {
    // Nothing to do on the handle: replaceFile lets Windows carry the old file's attributes and
    // access rights over to the new one.
}

int OpenFile::flushToDisk() {
    return ::FlushFileBuffers(reinterpret_cast<HANDLE>(m_handle)) ? 0 : lastError();
}

int OpenFile::close() {
    if (m_handle == kClosed) return 0;
    const BOOL closed = ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = kClosed;
    return closed ? 0 : lastError();
}

int replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = nativePath(from);
    const std::wstring target = nativePath(to);
    if (source.empty() || target.empty()) return ENOENT;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // A new file: a plain move, written through to the disk.
        return ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : lastError();
    }
    // ReplaceFileW keeps the old file's attributes, access rights and creation time; it refuses a
    // read-only file, so the flag comes off for the step and goes back on after it (the user agreed
    // to save over it).
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) ::SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    BOOL replaced = ::ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                                   nullptr);
    int error = replaced ? 0 : lastError();
    if (!replaced && ::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = 0;
    if (readOnly) ::SetFileAttributesW(target.c_str(), attributes);
    return error;
}

void removeFile(const std::string& path) {
    const std::wstring native = nativePath(path);
    if (!native.empty()) ::DeleteFileW(native.c_str());
}

void flushFolder(const std::string&) {
    // NTFS journals its folder entries; a folder cannot be flushed without backup rights.
}

bool standardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

long long processId() {
    return static_cast<long long>(::GetCurrentProcessId());
}

void adviseLargePages(void*, std::size_t) {
    // Large pages on Windows need a privilege users do not have; the tables use normal pages.
}

namespace {
template <class Call>
std::string folderFrom(Call call) {
    wchar_t buffer[MAX_PATH + 1];
    const UINT length = call(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    std::string folder = utf8Of(std::wstring_view(buffer, length));
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}
}  // namespace

std::string windowsFolder() {
    return folderFrom([](wchar_t* buffer, UINT size) { return ::GetWindowsDirectoryW(buffer, size); });
}

std::string systemFolder() {
    return folderFrom([](wchar_t* buffer, UINT size) { return ::GetSystemDirectoryW(buffer, size); });
}

std::string errorText(int error) {
    return std::generic_category().message(error);
}

}  // namespace tally::sys
