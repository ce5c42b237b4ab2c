// The store over the Windows registry, against the registry API itself: what the store writes the
// API reads back, what the API writes the store lists, and an export of the key is the .reg text
// the same key gives from the memory store.
#include <gtest/gtest.h>

#include <algorithm>

#include "ScratchKey.h"
#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryExport.h"
#include "platform/registry/RegistryStoreChoice.h"

namespace tally {

namespace {

using Names = std::vector<std::string>;

Names sorted(std::optional<Names> names) {
    if (!names) return {"<no key>"};
    std::sort(names->begin(), names->end());
    return *names;
}

}  // namespace

TEST(Win32RegistryStore, CreatesListsReadsWritesAndDeletesAKey) {
    test::ScratchKey scratch;
    std::unique_ptr<RegistryStore> store = makeWin32RegistryStore();
    const std::string tool = scratch / "Tool";

    EXPECT_FALSE(store->subkeys(Hive::CurrentUser, tool).has_value());
    EXPECT_FALSE(store->setValue(Hive::CurrentUser, tool, stringValue("Where", "x"))) << "no key yet";
    ASSERT_TRUE(store->createKey(Hive::CurrentUser, tool + "\\Recent\\Empty"));
    ASSERT_TRUE(store->createKey(Hive::CurrentUser, tool + "\\Window"));
    EXPECT_TRUE(store->createKey(Hive::CurrentUser, tool + "\\Window")) << "a key that is there is no failure";
    EXPECT_EQ(sorted(store->subkeys(Hive::CurrentUser, tool)), (Names{"Recent", "Window"}));

    // Written in the order of their names: Windows lists values in the order they were made, Wine
    // in the order of their names, and the export follows the listing.
    ASSERT_TRUE(store->setValue(Hive::CurrentUser, tool, stringValue("", "C:\\Temp")));
    ASSERT_TRUE(store->setValue(Hive::CurrentUser, tool, dwordValue("Count", 255)));
    ASSERT_TRUE(store->setValue(Hive::CurrentUser, tool, stringValue("Title", "Say \"hi\"")));
    ASSERT_TRUE(store->setValue(Hive::CurrentUser, tool + "\\Window", binaryValue("Pos", "\x01\xFF")));

    // The API answers what the store wrote, with the store's types and bytes.
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(test::queryValue(HKEY_CURRENT_USER, tool, "Title", type, data));
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(data, std::string("Say \"hi\"\0", 9));
    ASSERT_TRUE(test::queryValue(HKEY_CURRENT_USER, tool, "Count", type, data));
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(data, std::string("\xFF\0\0\0", 4));

    // And the store reads what the API wrote.
    HKEY key = nullptr;
    const DWORD recent = 0xFFFFFFFF;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (tool + "\\Recent").c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&recent), sizeof recent),
              ERROR_SUCCESS);
    RegCloseKey(key);
    std::optional<RegValue> read = store->value(Hive::CurrentUser, tool + "\\Recent", "");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->type, regtype::kDword);
    EXPECT_EQ(dwordOf(read->data), 0xFFFFFFFFu);
    std::optional<std::vector<RegValue>> values = store->values(Hive::CurrentUser, tool);
    ASSERT_TRUE(values.has_value());
    EXPECT_EQ(values->size(), 3u);
    EXPECT_FALSE(store->value(Hive::CurrentUser, tool, "Missing").has_value());

    // The export is the text the same key gives from the memory store, byte for byte.
    MemoryRegistryStore memory;
    memory.put(Hive::CurrentUser, tool, stringValue("", "C:\\Temp"));
    memory.put(Hive::CurrentUser, tool, dwordValue("Count", 255));
    memory.put(Hive::CurrentUser, tool, stringValue("Title", "Say \"hi\""));
    memory.put(Hive::CurrentUser, tool + "\\Recent", dwordValue("", 0xFFFFFFFFu));
    memory.createKey(Hive::CurrentUser, tool + "\\Recent\\Empty");
    memory.put(Hive::CurrentUser, tool + "\\Window", binaryValue("Pos", "\x01\xFF"));
    const std::string section = "[HKEY_CURRENT_USER\\" + tool;
    EXPECT_EQ(exportKeyText(*store, Hive::CurrentUser, tool),
              "REGEDIT4\r\n"
              "\r\n" +
                  section + "]\r\n" +
                  "@=\"C:\\\\Temp\"\r\n"
                  "\"Count\"=dword:000000ff\r\n"
                  "\"Title\"=\"Say \\\"hi\\\"\"\r\n"
                  " \r\n" +
                  section + "\\Recent]\r\n" +
                  "@=dword:ffffffff\r\n"
                  " \r\n" +
                  section + "\\Recent\\Empty]\r\n" +
                  " \r\n" +
                  section + "\\Window]\r\n" +
                  "\"Pos\"=hex:01,ff\r\n"
                  " \r\n");
    EXPECT_EQ(exportKeyText(*store, Hive::CurrentUser, tool), exportKeyText(memory, Hive::CurrentUser, tool));

    // Deleting takes the subkeys and values with the key; a missing key or the hive is refused.
    EXPECT_TRUE(store->deleteKey(Hive::CurrentUser, tool));
    EXPECT_FALSE(store->subkeys(Hive::CurrentUser, tool).has_value());
    EXPECT_FALSE(test::queryValue(HKEY_CURRENT_USER, tool, "Title", type, data));
    EXPECT_FALSE(store->deleteKey(Hive::CurrentUser, tool));
    EXPECT_FALSE(store->deleteKey(Hive::CurrentUser, ""));
    EXPECT_EQ(sorted(store->subkeys(Hive::CurrentUser, scratch.path())), Names{});
}

}  // namespace tally
