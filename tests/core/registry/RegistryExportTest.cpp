// Export files byte for byte: sections depth first, value lines of every kind, binary wrapping,
// escaping, empty keys and keys that cannot be read.

#include <gtest/gtest.h>

#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryExport.h"

namespace tally {

namespace {

std::string bytesCounting(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes.push_back(static_cast<char>(i));
    return bytes;
}

std::string hexPairs(int from, int to) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (int i = from; i < to; ++i) {
        text.push_back(digits[i >> 4]);
        text.push_back(digits[i & 15]);
        if (i + 1 < to) text.push_back(',');
    }
    return text;
}

TEST(RegistryExport, TheWholeFileOfAKeyWithSubkeys) {
    MemoryRegistryStore store;
    const std::string tool = "Software\\Vendor\\Tool";
    store.put(Hive::CurrentUser, tool, stringValue("", "C:\\Temp"));
    store.put(Hive::CurrentUser, tool, stringValue("Title", "Say \"hi\""));
    store.put(Hive::CurrentUser, tool, dwordValue("Count", 255));
    store.put(Hive::CurrentUser, tool, RegValue{"Expand", regtype::kExpandString, "%PATH%"});
    store.put(Hive::CurrentUser, tool + "\\Recent", dwordValue("", 0xFFFFFFFFu));
    store.createKey(Hive::CurrentUser, tool + "\\Recent\\Empty");
    store.put(Hive::CurrentUser, tool + "\\Window", binaryValue("Pos", "\x01\xFF"));

    EXPECT_EQ(exportKeyText(store, Hive::CurrentUser, tool),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Tool]\r\n"
              "@=\"C:\\\\Temp\"\r\n"
              "\"Title\"=\"Say \\\"hi\\\"\"\r\n"
              "\"Count\"=dword:000000ff\r\n"
              " \r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Tool\\Recent]\r\n"
              "@=dword:ffffffff\r\n"
              " \r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Tool\\Recent\\Empty]\r\n"
              " \r\n"
              "[HKEY_CURRENT_USER\\Software\\Vendor\\Tool\\Window]\r\n"
              "\"Pos\"=hex:01,ff\r\n"
              " \r\n");
    EXPECT_EQ(exportKeyText(store, Hive::CurrentUser, "Software\\Missing"), "REGEDIT4\r\n\r\n");
    EXPECT_EQ(exportKeyText(store, Hive::ClassesRoot, "CLSID"), "REGEDIT4\r\n\r\n");
}

TEST(RegistryExport, BinaryLinesWrapOnceTheyReachSeventySevenCharacters) {
    // "ab": a 9-character prefix; the 23rd byte takes the first line to 78 characters.
    std::string line = wrappedHexLine("\"ab\"=hex:", bytesCounting(40));
    EXPECT_EQ(line, "\"ab\"=hex:" + hexPairs(0, 23) + ",\\\r\n  " + hexPairs(23, 40));
    // A continuation line holds 25 bytes before its ",\".
    line = wrappedHexLine("@=hex:", bytesCounting(24 + 25 + 3));
    const std::string first = "@=hex:" + hexPairs(0, 24) + ",\\\r\n";
    ASSERT_EQ(line.substr(0, first.size()), first);
    EXPECT_EQ(first.size() - 3, 78u);
    EXPECT_EQ(line.substr(first.size()), "  " + hexPairs(24, 49) + ",\\\r\n  " + hexPairs(49, 52));
    EXPECT_EQ(("  " + hexPairs(24, 49) + ",").size(), 77u);
    // When the wrap falls on the last byte no empty continuation is left behind.
    EXPECT_EQ(wrappedHexLine("\"ab\"=hex:", bytesCounting(23)), "\"ab\"=hex:" + hexPairs(0, 23));
    EXPECT_EQ(wrappedHexLine("\"ab\"=hex:", ""), "\"ab\"=hex:");
}

TEST(RegistryExport, ValueLinesForEachKindAndNoneForOthers) {
    std::vector<std::string> lines = buildValueLines({stringValue("Back\\slash", std::string("a\\b\0junk", 8)),
                                                      RegValue{"Multi", regtype::kMultiString, "a\0b\0"},
                                                      dwordValue("Zero", 0), binaryValue("", "")});
    EXPECT_EQ(lines, (std::vector<std::string>{"\"Back\\\\slash\"=\"a\\\\b\"", "\"Zero\"=dword:00000000", "@=hex:"}));
}

}  // namespace

}  // namespace tally
