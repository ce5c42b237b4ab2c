// The value list, the tree's look-ahead, and reading and saving single values.

#include <gtest/gtest.h>

#include <map>

#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryFormat.h"
#include "core/registry/RegistryValues.h"
#include "core/registry/SubkeyFill.h"

namespace tally {

namespace {

constexpr std::string_view kTool = "Software\\Vendor\\Tool";

// A tree that refuses a second node with the same key, as the tree widget does.
struct RecordingTree final : RegistryTreeSink {
    void addKeyNode(std::string_view parentKey, const std::string& key, const std::string& text) override {
        if (!nodes.emplace(key, std::string(parentKey)).second) {
            ++refused;
            return;
        }
        order.push_back(key + "=" + text);
    }
    std::map<std::string, std::string> nodes;  // key -> parent key
    std::vector<std::string> order;
    int refused = 0;
};

// Small and -1 DWORDs, cut binary data and names in proper case reach the value list, the value
// editor and the installed objects below.
TEST(RegistryFormat, DwordsBinaryAndStringsOfTheListEdges) {
    EXPECT_EQ(formatDword(0x80000000u), "0x80000000 (-2147483648)");
    EXPECT_EQ(formatBinary("\x01\xAB", 2, false), "01 ab ");
    EXPECT_EQ(formatListString(std::string("abc\0def", 7)), "\"abc\"");
    EXPECT_EQ(lowerHex(0), "0");
}

TEST(RegistryValues, RowsCarryTypeIndexKeysIconsAndCutData) {
    MemoryRegistryStore store;
    store.put(Hive::CurrentUser, kTool, stringValue("", "default text"));
    store.put(Hive::CurrentUser, kTool, stringValue("Long", std::string(100, 'x')));
    store.put(Hive::CurrentUser, kTool, RegValue{"Path", regtype::kExpandString, "%TEMP%"});
    store.put(Hive::CurrentUser, kTool, binaryValue("Thirty", std::string(30, '\x0F')));
    store.put(Hive::CurrentUser, kTool, binaryValue("ThirtyOne", std::string(31, '\x0F')));
    store.put(Hive::CurrentUser, kTool, dwordValue("Minus", 0xFFFFFFFFu));

    std::string thirtyPairs;
    for (int i = 0; i < 30; ++i) thirtyPairs += "0f ";
    std::vector<std::string> shown;
    for (const ValueRow& r : listValues(store, Hive::CurrentUser, kTool))
        shown.push_back(r.key + "|" + r.text + "|" + r.icon + "|" + r.data);
    // The expandable string is not listed; the index is the value's place in the key, counting it.
    EXPECT_EQ(shown, (std::vector<std::string>{"a10|(Default)|strdata|\"default text\"",
                                               "a11|Long|strdata|\"" + std::string(60, 'x') + " ...\"",
                                               "a33|Thirty|bindata|" + thirtyPairs,
                                               "a34|ThirtyOne|bindata|" + thirtyPairs + " ...",
                                               "a45|Minus|bindata|0xffffffff (-1)"}));
    EXPECT_TRUE(listValues(store, Hive::CurrentUser, "Software\\Vendor").empty());
    EXPECT_TRUE(listValues(store, Hive::CurrentUser, "Software\\Missing").empty());
}

TEST(RegistryValues, ReadValueFallsBackForMissingEmptyAndOtherTypes) {
    MemoryRegistryStore store;
    store.put(Hive::CurrentUser, kTool, stringValue("Face", "Courier New"));
    store.put(Hive::CurrentUser, kTool, stringValue("Empty", ""));
    store.put(Hive::CurrentUser, kTool, dwordValue("Height", 12));
    store.put(Hive::CurrentUser, kTool, binaryValue("Blob", "\x01"));
    const RegSetting fallback = std::string("Arial");
    EXPECT_EQ(readValue(store, Hive::CurrentUser, kTool, "face", fallback), RegSetting(std::string("Courier New")));
    EXPECT_EQ(readValue(store, Hive::CurrentUser, kTool, "Height", fallback), RegSetting(12u));
    EXPECT_EQ(readValue(store, Hive::CurrentUser, kTool, "Empty", fallback), fallback);
    EXPECT_EQ(readValue(store, Hive::CurrentUser, kTool, "Blob", fallback), fallback);
    EXPECT_EQ(readValue(store, Hive::CurrentUser, kTool, "Missing", fallback), fallback);
    EXPECT_EQ(readValueText(store, Hive::CurrentUser, kTool, "Height", "10"), "12");
    EXPECT_EQ(readValueText(store, Hive::CurrentUser, "Software\\Nowhere", "Height", "10"), "10");
}

TEST(RegistryValues, SaveValueWritesStringsAndDwordsIntoExistingKeysOnly) {
    MemoryRegistryStore store;
    store.createKey(Hive::CurrentUser, kTool);
    EXPECT_TRUE(saveValue(store, Hive::CurrentUser, kTool, regtype::kString, "Face", "Verdana"));
    EXPECT_EQ(store.value(Hive::CurrentUser, kTool, "Face")->data, "Verdana");
    EXPECT_TRUE(saveValue(store, Hive::CurrentUser, kTool, regtype::kDword, "Width", "-1"));
    EXPECT_EQ(dwordOf(store.value(Hive::CurrentUser, kTool, "Width")->data), 0xFFFFFFFFu);
    EXPECT_FALSE(saveValue(store, Hive::CurrentUser, kTool, regtype::kDword, "Width", "twelve"));
    EXPECT_FALSE(saveValue(store, Hive::CurrentUser, kTool, regtype::kDword, "Width", "4294967296"));
    EXPECT_FALSE(saveValue(store, Hive::CurrentUser, kTool, regtype::kBinary, "Blob", "00"));
    EXPECT_FALSE(saveValue(store, Hive::CurrentUser, "Software\\Missing", regtype::kString, "Face", "x"));
    store.denyWrites(Hive::CurrentUser, "Software\\Locked");
    EXPECT_FALSE(saveValue(store, Hive::CurrentUser, "Software\\Locked", regtype::kString, "Face", "x"));
}

TEST(SubkeyFill, EveryChildGetsOneLookAheadChainAndASecondFillAddsNothing) {
    MemoryRegistryStore store;
    for (const char* path : {"Software\\A\\A1\\A11\\A111", "Software\\A\\A1\\A12", "Software\\A\\A2",
                             "Software\\B", "Software\\C\\C1"})
        store.createKey(Hive::CurrentUser, path);
    RecordingTree tree;
    fillSubkeys(store, Hive::CurrentUser, "Software", tree);
    EXPECT_EQ(tree.order, (std::vector<std::string>{
                              "Software\\A=A", "Software\\A\\A1=A1", "Software\\A\\A1\\A11=A11",
                              "Software\\A\\A1\\A11\\A111=A111", "Software\\B=B", "Software\\C=C",
                              "Software\\C\\C1=C1"}));
    EXPECT_EQ(tree.nodes["Software\\A\\A1"], "Software\\A");

    // Expanding A: its children, each with their chain; what exists already is not added again.
    tree.order.clear();
    fillSubkeys(store, Hive::CurrentUser, "Software\\A", tree);
    EXPECT_EQ(tree.order, (std::vector<std::string>{"Software\\A\\A2=A2"}));
    tree.order.clear();
    fillSubkeys(store, Hive::CurrentUser, "Software\\A\\A1", tree);
    EXPECT_EQ(tree.order, (std::vector<std::string>{"Software\\A\\A1\\A12=A12"}));
    const std::size_t nodes = tree.nodes.size();
    fillSubkeys(store, Hive::CurrentUser, "Software\\A", tree);
    EXPECT_EQ(tree.nodes.size(), nodes);

    RecordingTree none;
    fillSubkeys(store, Hive::CurrentUser, "Software\\Missing", none);
    EXPECT_TRUE(none.nodes.empty());
}

TEST(SubkeyFill, AVeryDeepChainDoesNotExhaustTheStack) {
    MemoryRegistryStore store;
    std::string path = "Software";
    for (int i = 0; i < 3000; ++i) path += "\\k";
    store.createKey(Hive::CurrentUser, path);
    RecordingTree tree;
    fillSubkeys(store, Hive::CurrentUser, "Software", tree);
    EXPECT_EQ(tree.nodes.size(), 3000u);
}

TEST(MemoryRegistryStore, DeletingAKeyTakesItsWholeSubtree) {
    MemoryRegistryStore store;
    store.createKey(Hive::CurrentUser, "Software\\Vendor\\Tool\\Recent");
    store.createKey(Hive::CurrentUser, "Software\\Vendor\\Other");
    EXPECT_TRUE(store.deleteKey(Hive::CurrentUser, "software\\VENDOR\\tool"));
    EXPECT_FALSE(store.subkeys(Hive::CurrentUser, "Software\\Vendor\\Tool\\Recent"));
    EXPECT_EQ(*store.subkeys(Hive::CurrentUser, "Software\\Vendor"), std::vector<std::string>{"Other"});
    EXPECT_FALSE(store.deleteKey(Hive::CurrentUser, "Software\\Vendor\\Tool"));
}

}  // namespace

}  // namespace tally
