// The Edit Value dialog's logic: what it opens with, the view conversions, the key filter, and
// what OK writes and says.

#include <gtest/gtest.h>

#include "core/registry/MemoryRegistryStore.h"
#include "core/registry/RegistryMessages.h"
#include "core/registry/ValueEditor.h"

namespace tally {

namespace {

constexpr std::string_view kKey = "Software\\Vendor\\Tool";

struct EditorFixture : ::testing::Test {
    EditorFixture() {
        store.put(Hive::CurrentUser, kKey, dwordValue("Count", 255));
        store.put(Hive::CurrentUser, kKey, stringValue("", "old text"));
        store.put(Hive::CurrentUser, kKey, binaryValue("Blob", std::string("AB\x01 z", 5)));
    }
    ValueEditor open(std::string name, std::string rowKey) {
        std::optional<ValueEditor> editor =
            ValueEditor::open(store, ValueEditTarget{Hive::CurrentUser, std::string(kKey), std::move(name), std::move(rowKey)});
        EXPECT_TRUE(editor);
        return *editor;
    }
    MemoryRegistryStore store;
};

TEST_F(EditorFixture, ADwordOpensInHexSwitchesToDecimalAndBack) {
    ValueEditor editor = open("Count", "a40");
    EXPECT_EQ(editor.initialText(), "ff");
    EXPECT_TRUE(editor.showsViews());
    EXPECT_EQ(editor.secondViewCaption(), "Decimal");
    EXPECT_EQ(editor.keyLabel(), "4|-2147483647|Software\\Vendor\\Tool");
    EXPECT_EQ(editor.switchView(ValueView::Second, "ff"), "255");
    EXPECT_EQ(editor.switchView(ValueView::Hexadecimal, "4294967295"), "4294967295");  // too large: kept
    editor.switchView(ValueView::Second, "ffffffff");
    EXPECT_EQ(editor.switchView(ValueView::Hexadecimal, "-1"), "ffffffff");
    EXPECT_EQ(editor.switchView(ValueView::Second, "ffffffff"), "-1");
}

TEST_F(EditorFixture, TheKeyFilterFollowsTypeAndView) {
    ValueEditor dword = open("Count", "a40");
    EXPECT_TRUE(dword.acceptsCharacter('7'));
    EXPECT_TRUE(dword.acceptsCharacter('F'));
    EXPECT_TRUE(dword.acceptsCharacter('a'));
    EXPECT_FALSE(dword.acceptsCharacter('g'));
    EXPECT_FALSE(dword.acceptsCharacter('\b'));
    dword.switchView(ValueView::Second, "ff");
    EXPECT_FALSE(dword.acceptsCharacter('a'));
    EXPECT_TRUE(dword.acceptsCharacter('0'));
    EXPECT_TRUE(open("(Default)", "a11").acceptsCharacter('#'));
    EXPECT_FALSE(open("Blob", "a32").acceptsCharacter('0'));
}

TEST_F(EditorFixture, OkWritesTheDwordFromEitherView) {
    ValueEditor editor = open("Count", "a40");
    ValueEditResult result = editor.accept(store, "1a");
    EXPECT_TRUE(result.closed);
    EXPECT_EQ(result.rowData, "0x0000001a (26)");
    EXPECT_EQ(dwordOf(store.value(Hive::CurrentUser, kKey, "Count")->data), 26u);
    editor.switchView(ValueView::Second, "1a");
    result = editor.accept(store, "2147483648");
    EXPECT_FALSE(result.closed);
    EXPECT_EQ(result.message, kValueTooLarge);
    result = editor.accept(store, "");
    EXPECT_EQ(result.message, kValueInvalid);
    result = editor.accept(store, "100");
    EXPECT_EQ(result.rowData, "0x00000064 (100)");
    editor.switchView(ValueView::Hexadecimal, "100");
    EXPECT_EQ(editor.accept(store, "123456789").message, kValueTooLarge);
}

TEST_F(EditorFixture, OkWritesTheDefaultStringAndSaysWhenItCannot) {
    ValueEditor editor = open("(Default)", "a11");
    EXPECT_EQ(editor.initialText(), "old text");
    EXPECT_FALSE(editor.showsViews());
    ValueEditResult result = editor.accept(store, "new text");
    EXPECT_TRUE(result.closed);
    EXPECT_EQ(result.rowData, "\"new text\"");
    EXPECT_EQ(cutAtNul(store.value(Hive::CurrentUser, kKey, "")->data), "new text");

    store.refuseAllWrites("busy");
    result = editor.accept(store, "newer");
    EXPECT_FALSE(result.closed);
    EXPECT_EQ(result.message, kUnableToSave);
}

TEST_F(EditorFixture, BinaryDataIsShownInHexAndAsciiAndNeverWritten) {
    ValueEditor editor = open("Blob", "a32");
    EXPECT_EQ(editor.initialText(), "41 42 01 20 7a ");
    EXPECT_EQ(editor.secondViewCaption(), "Ascii");
    EXPECT_FALSE(editor.editable());
    EXPECT_EQ(editor.switchView(ValueView::Second, editor.initialText()), "AB..z");
    EXPECT_EQ(editor.switchView(ValueView::Hexadecimal, "AB..z"), "41 42 01 20 7a ");
    ValueEditResult result = editor.accept(store, "00");
    EXPECT_FALSE(result.closed);
    EXPECT_TRUE(result.message.empty());
    EXPECT_EQ(store.value(Hive::CurrentUser, kKey, "Blob")->data, std::string("AB\x01 z", 5));
}

TEST_F(EditorFixture, NothingOpensForMissingKeysValuesOrTypes) {
    EXPECT_FALSE(ValueEditor::open(store, ValueEditTarget{Hive::CurrentUser, "Software\\Gone", "Count", "a40"}));
    EXPECT_FALSE(ValueEditor::open(store, ValueEditTarget{Hive::CurrentUser, std::string(kKey), "Gone", "a40"}));
    EXPECT_FALSE(ValueEditor::open(store, ValueEditTarget{Hive::CurrentUser, std::string(kKey), "Count", "a70"}));
    EXPECT_FALSE(ValueEditor::open(store, ValueEditTarget{Hive::CurrentUser, std::string(kKey), "Count", ""}));
}

TEST(ValueEditorNumbers, DecimalAndHexReadingFollowTheLanguage) {
    EXPECT_EQ(parseDecimalLong(" 42 ").value, 42);
    EXPECT_EQ(parseDecimalLong("2.5").value, 2);  // halves round to even
    EXPECT_EQ(parseDecimalLong("3.5").value, 4);
    EXPECT_EQ(parseDecimalLong("-2147483648").value, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parseDecimalLong("2147483648").error, NumberError::Overflow);
    EXPECT_EQ(parseDecimalLong("12a").error, NumberError::Mismatch);
    EXPECT_EQ(parseDecimalLong("-").error, NumberError::Mismatch);
    EXPECT_EQ(parseHexLong("ffffffff").value, -1);
    EXPECT_EQ(parseHexLong("000000001a").value, 26);
    EXPECT_EQ(parseHexLong("ffff").value, 65535);  // a DWORD editor: four digits are not a 16-bit -1
    EXPECT_EQ(parseHexLong("1ffffffff").error, NumberError::Overflow);
    EXPECT_EQ(parseHexLong("xyz").error, NumberError::Mismatch);
}

}  // namespace

}  // namespace tally
