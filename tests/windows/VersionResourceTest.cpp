// The version resource of a real Windows program (this test program, linked with TestVersion.rc),
// read by the program's own reader and by the system's GetFileVersionInfo: the same eight strings.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/project/DiskVersionInfo.h"
#include "core/registry/ServerFileVersions.h"

namespace tally {

namespace {

std::string selfPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// The eight strings as Windows reads them, from the first translation the resource lists.
VersionStrings systemStrings(const std::string& path) {
    VersionStrings strings;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return strings;
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return strings;
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation))
        return strings;
    char table[32];
    std::snprintf(table, sizeof table, "%04x%04x", translation->language, translation->codePage);
    for (std::size_t i = 0; i < strings.size(); ++i) {
        const std::string query = "\\StringFileInfo\\" + std::string(table) + "\\" + std::string(kVersionStringNames[i]);
        char* text = nullptr;
        if (VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length) && text)
            strings[i] = std::string(text);
    }
    return strings;
}

}  // namespace

TEST(WindowsVersionResource, OurReaderAndGetFileVersionInfoReadTheSameStrings) {
    const std::string self = selfPath();
    const VersionStrings expected = systemStrings(self);
    ASSERT_EQ(expected[2], "6.0.81.69") << "the system found no version resource in " << self;
    EXPECT_EQ(expected[5], "TEST_WINDOWS.EXE");
    EXPECT_EQ(expected[4], "\xA9 Quillmere");  // Windows-1252, as the ANSI call gives it
    DiskVersionInfo disk;
    EXPECT_EQ(disk.versionStrings(self), expected);
    EXPECT_EQ(disk.fileVersion(self), "6.0.81.69");
}

}  // namespace tally
