// Changing a Wine registry file: only what changed may differ from the file as it was.

#include <gtest/gtest.h>

#include "SampleHives.h"
#include "platform/registry/WineHive.h"
#include "platform/registry/WineHiveFile.h"
#include "core/os/SafeFileWriter.h"
#include "support/TempDir.h"

#include <cerrno>
#include <vector>

namespace tally {

namespace {

WineHive sampleHive(std::string_view text = samples::kUserReg) {
    WineHive hive = WineHive::parse(text);
    hive.setClock([] { return samples::kFixedTicks; });
    return hive;
}

std::vector<std::string> linesOf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t nl = text.find('\n', at);
        if (nl == std::string_view::npos) nl = text.size() - 1;
        lines.emplace_back(text.substr(at, nl + 1 - at));
        at = nl + 1;
    }
    return lines;
}

// `text` with the first `from` replaced by `to`; fails the test when `from` is not there.
std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

constexpr std::string_view kTree = R"reg(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[A] 1
"a"="1"

[A\\B] 2
"b"="2"

[A\\B\\C] 3
"c"="3"
;; notes on A\\BB

[A\\BB] 4
"bb"="4"

[a\\b\\D] 5
"d"="5"

[Z] 6
"z"="6"
)reg";

}  // namespace

TEST(WineHiveEdit, ChangingOneValueChangesOnlyItsLine) {
    for (const std::string& original :
         {std::string(samples::kUserReg), samples::withCrLf(samples::kUserReg)}) {
        WineHive hive = sampleHive(original);
        ASSERT_TRUE(hive.setValue("software\\vendor\\tool", dwordValue("COUNT", 11)));
        const std::string changed = hive.serialize();

        const std::vector<std::string> before = linesOf(original), after = linesOf(changed);
        ASSERT_EQ(before.size(), after.size());
        std::vector<std::size_t> differing;
        for (std::size_t i = 0; i < before.size(); ++i)
            if (before[i] != after[i]) differing.push_back(i);
        ASSERT_EQ(differing.size(), 1u);
        const std::string newline = original.find('\r') == std::string::npos ? "\n" : "\r\n";
        EXPECT_EQ(after[differing[0]], "\"Count\"=dword:0000000b" + newline);
        // The value keeps its place and the spelling of its name.
        EXPECT_EQ(hive.values("Software\\Vendor\\Tool")->at(1).name, "Count");
        EXPECT_EQ(dwordOf(WineHive::parse(changed).value("Software\\Vendor\\Tool", "count")->data), 11u);
    }
}

TEST(WineHiveEdit, ChangingAContinuedValueReplacesAllItsLines) {
    WineHive hive = sampleHive();
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool", stringValue("Blob", "now text")));
    const std::string expected = replaced(
        std::string(samples::kUserReg),
        "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n  16,17,18,19\n",
        "\"Blob\"=\"now text\"\n");
    EXPECT_EQ(hive.serialize(), expected);
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "Blob")->type, regtype::kString);
}

TEST(WineHiveEdit, NewValueGoesAfterTheKeysLastValue) {
    WineHive hive = sampleHive();
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool", stringValue("New", "v")));
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool", dwordValue("Newer", 1)));
    const std::string caf = "\"Caf\\xe9\"=\"na\\xefve \\x20ac\"\n";
    EXPECT_EQ(hive.serialize(), replaced(std::string(samples::kUserReg), caf,
                                         caf + "\"New\"=\"v\"\n\"Newer\"=dword:00000001\n"));
    EXPECT_EQ(hive.values("Software\\Vendor\\Tool")->back().name, "Newer");

    // At the end of a file whose last line has no line end.
    const std::string sample(samples::kUserReg);
    WineHive last = sampleHive(sample.substr(0, sample.size() - 1));
    ASSERT_TRUE(last.setValue("Software\\Wine\\Link", stringValue("", "d")));
    EXPECT_EQ(last.serialize(), sample + "@=\"d\"\n");
}

TEST(WineHiveEdit, ValueOfAKeyWithoutSectionAddsOne) {
    WineHive hive = sampleHive();
    EXPECT_FALSE(hive.setValue("Software\\Missing", stringValue("x", "y")));
    EXPECT_FALSE(hive.setValue("", stringValue("x", "y")));
    EXPECT_EQ(hive.serialize(), samples::kUserReg);
    ASSERT_TRUE(hive.setValue("Software\\Vendor", stringValue("x", "y")));
    EXPECT_EQ(hive.serialize(), std::string(samples::kUserReg) + "\n[Software\\\\Vendor" +
                                    std::string(samples::kFixedStamp) + "\"x\"=\"y\"\n");
}

TEST(WineHiveEdit, CreatingKeysAddsOneSectionForTheNewKey) {
    WineHive hive = sampleHive();
    EXPECT_FALSE(hive.createKey("SOFTWARE\\vendor\\TOOL"));
    EXPECT_FALSE(hive.createKey("Software"));
    EXPECT_FALSE(hive.createKey(""));
    EXPECT_EQ(hive.serialize(), samples::kUserReg);

    ASSERT_TRUE(hive.createKey("software\\VENDOR\\Other\\Deep"));
    ASSERT_TRUE(hive.createKey("Caf\xE9\\[1]"));
    EXPECT_FALSE(hive.createKey("Software\\Vendor\\Other"));
    const std::string stamp(samples::kFixedStamp);
    EXPECT_EQ(hive.serialize(), std::string(samples::kUserReg) + "\n[Software\\\\Vendor\\\\Other\\\\Deep" +
                                    stamp + "\n[Caf\\xe9\\\\\\[1\\]" + stamp);
    EXPECT_EQ(hive.subkeys("Software\\Vendor"), (std::vector<std::string>{"Tool", "Other"}));
    EXPECT_EQ(hive.subkeys("Caf\xE9"), std::vector<std::string>{"[1]"});

    // Read back, the new keys are there with the names they were given.
    const WineHive again = WineHive::parse(hive.serialize());
    EXPECT_EQ(again.subkeys("Software\\Vendor\\Other"), std::vector<std::string>{"Deep"});
    EXPECT_EQ(again.subkeys("Caf\xE9"), std::vector<std::string>{"[1]"});
}

TEST(WineHiveEdit, DeletingAKeyDropsItsSubtreesSections) {
    WineHive hive = sampleHive(kTree);
    ASSERT_TRUE(hive.deleteKey("a\\b"));
    EXPECT_EQ(hive.serialize(), R"reg(WINE REGISTRY Version 2
;; All keys relative to \\Machine

#arch=win32

[A] 1
"a"="1"
;; notes on A\\BB

[A\\BB] 4
"bb"="4"

[Z] 6
"z"="6"
)reg");
    EXPECT_EQ(hive.subkeys("A"), std::vector<std::string>{"BB"});
    EXPECT_FALSE(hive.hasKey("A\\B\\C"));
    EXPECT_FALSE(hive.value("A\\B\\D", "d"));
    EXPECT_FALSE(hive.setValue("A\\B", stringValue("b", "again")));

    // A key made again under the old name starts empty.
    ASSERT_TRUE(hive.createKey("A\\B\\C"));
    EXPECT_TRUE(samples::noValues(hive.values("A\\B\\C")));
    EXPECT_EQ(hive.subkeys("A\\B"), std::vector<std::string>{"C"});
}

TEST(WineHiveEdit, DeletingRefusesTheRootAndMissingKeysAndTheLastKeyLeavesNoBlankLine) {
    WineHive hive = sampleHive(kTree);
    EXPECT_FALSE(hive.deleteKey(""));
    EXPECT_FALSE(hive.deleteKey("A\\Missing"));
    EXPECT_FALSE(hive.deleteKey("Missing\\A"));
    EXPECT_EQ(hive.serialize(), kTree);
    ASSERT_TRUE(hive.deleteKey("Z"));
    const std::string tree(kTree);
    EXPECT_EQ(hive.serialize(), tree.substr(0, tree.find("\n[Z]")));
}

TEST(WineHiveEdit, AParentOnlyImpliedKeepsASectionOfItsOwn) {
    WineHive hive = sampleHive("WINE REGISTRY Version 2\n\n[P\\\\Q] 1\n\"q\"=\"1\"\n\n[R] 2\n");
    ASSERT_TRUE(hive.deleteKey("P\\Q"));
    const std::string written = hive.serialize();
    EXPECT_EQ(written, "WINE REGISTRY Version 2\n\n[R] 2\n\n[P" + std::string(samples::kFixedStamp));
    EXPECT_EQ(WineHive::parse(written).subkeys("P"), std::vector<std::string>{});
}

TEST(WineHiveEdit, AFreshFileHasWinesHeader) {
    WineHive hive = WineHive::fresh("\\User\\S-1-5-21-0-0-0-1000");
    hive.setClock([] { return samples::kFixedTicks; });
    const std::string header =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win32\n";
    EXPECT_EQ(hive.serialize(), header);
    ASSERT_TRUE(hive.createKey("Software\\Vendor"));
    ASSERT_TRUE(hive.setValue("Software\\Vendor", dwordValue("n", 1)));
    EXPECT_EQ(hive.serialize(), header + "\n[Software\\\\Vendor" + std::string(samples::kFixedStamp) +
                                    "\"n\"=dword:00000001\n");
    const WineHive again = WineHive::parse(hive.serialize());
    EXPECT_TRUE(again.hasSignature());
    EXPECT_EQ(again.root(), "\\User\\S-1-5-21-0-0-0-1000");
    EXPECT_EQ(dwordOf(again.value("Software\\Vendor", "N")->data), 1u);
}

TEST(WineHiveEdit, AChangedValueKeepsTheNameAsTheFileSpellsIt) {
    // Other tools write names as UTF-8; Wine writes \x escapes. Either way the line keeps its name.
    const std::string text =
        "WINE REGISTRY Version 2\n\n[K] 1\n\"Caf\xC3\xA9\"=\"1\"\n  \"Na\\x00efve\" = \"2\"\n@=\"3\"\n";
    WineHive hive = WineHive::parse(text);
    ASSERT_TRUE(hive.setValue("K", stringValue("CAF\xE9", "one")));
    ASSERT_TRUE(hive.setValue("K", stringValue("na\xEFve", "two")));
    ASSERT_TRUE(hive.setValue("K", dwordValue("", 3)));
    EXPECT_EQ(hive.serialize(),
              "WINE REGISTRY Version 2\n\n[K] "
              "1\n\"Caf\xC3\xA9\"=\"one\"\n\"Na\\x00efve\"=\"two\"\n@=dword:00000003\n");
    EXPECT_EQ(WineHive::parse(hive.serialize()).value("K", "caf\xE9")->data, std::string("one\0", 4));
}

TEST(WineHiveEdit, StringDataWithoutTheirNulGetOneAsTheRegistryAddsIt) {
    // The NT registry adds the NUL a string value was given without, so such data keep the quoted form.
    WineHive hive = sampleHive();
    ASSERT_TRUE(hive.setValue("Control Panel\\Desktop", RegValue{"DragFullWindows", regtype::kString, "1"}));
    ASSERT_TRUE(hive.setValue("Environment", RegValue{"TEMP", regtype::kExpandString, "%TMP%"}));
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool",
                              RegValue{"Lines", regtype::kMultiString, std::string("a\0b\0", 4)}));
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool",
                              RegValue{"New", regtype::kMultiString, std::string("x\0y", 3)}));
    ASSERT_TRUE(hive.setValue("Software\\Vendor\\Tool", RegValue{"Bytes", regtype::kBinary, "ab"}));
    std::string expected =
        replaced(std::string(samples::kUserReg), "\"DragFullWindows\"=\"0\"", "\"DragFullWindows\"=\"1\"");
    expected = replaced(expected, "\"TEMP\"=str(2):\"%USERPROFILE%\\\\Temp\"", "\"TEMP\"=str(2):\"%TMP%\"");
    expected = replaced(expected, "\"Lines\"=str(7):\"one\\0two\\0\"", "\"Lines\"=str(7):\"a\\0b\"");
    const std::string caf = "\"Caf\\xe9\"=\"na\\xefve \\x20ac\"\n";
    expected = replaced(expected, caf, caf + "\"New\"=str(7):\"x\\0y\"\n\"Bytes\"=hex:61,62\n");
    EXPECT_EQ(hive.serialize(), expected);
    EXPECT_EQ(hive.value("Control Panel\\Desktop", "DragFullWindows")->data, std::string("1\0", 2));
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "New")->data, std::string("x\0y\0", 4));
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "Bytes")->data, "ab");
}

TEST(WineHiveEdit, HeaderLinesStayWhateverKeyIsDeleted) {
    // A file without an #arch line: the blank line and the root comment before the first key are
    // still the header's.
    const std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-1-2-3-1001\n\n[First] 1\n"
        "\"f\"=\"1\"\n\n[Second] 2\n\"s\"=\"2\"\n";
    WineHive hive = sampleHive(text);
    ASSERT_TRUE(hive.deleteKey("First"));
    const std::string written = hive.serialize();
    EXPECT_EQ(
        written,
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-1-2-3-1001\n\n[Second] 2\n"
        "\"s\"=\"2\"\n");
    EXPECT_EQ(WineHive::parse(written).root(), "\\User\\S-1-5-21-1-2-3-1001");

    WineHive again = sampleHive(text);
    ASSERT_TRUE(again.deleteKey("First"));
    ASSERT_TRUE(again.deleteKey("Second"));
    EXPECT_EQ(again.serialize(),
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-1-2-3-1001\n");
}

// A registry change whose write fails at any step leaves the hive file as it was, and the change
// is forgotten: the next read gives what the file holds.
TEST(WineHiveFileSave, AFailedWriteKeepsTheFileAndForgetsTheChange) {
    for (SafeWriteStep step : {SafeWriteStep::CreateTemporary, SafeWriteStep::Write, SafeWriteStep::Flush,
                               SafeWriteStep::Close, SafeWriteStep::Replace}) {
        TempDir dir;
        const std::string path = dir.write("user.reg", std::string(samples::kUserReg));
        WineHiveFile file(path, "\\User\\S-1-5-21-0-0-0-1000");
        WineHive* hive = file.forChange();
        ASSERT_NE(hive, nullptr);
        ASSERT_TRUE(hive->setValue("Control Panel\\Desktop", RegValue{"v", regtype::kString, std::string("new\0", 4)}));
        failNextSafeWrite(step, ENOSPC);
        EXPECT_FALSE(file.save());
        EXPECT_EQ(dir.read("user.reg"), samples::kUserReg);
        EXPECT_EQ(dir.names(), std::vector<std::string>{"user.reg"});
        EXPECT_FALSE(file.current().value("Control Panel\\Desktop", "v"));
    }
}

}  // namespace tally
