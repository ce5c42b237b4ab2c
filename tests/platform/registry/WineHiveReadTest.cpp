// Reading Wine registry files into keys and values, writing unchanged files back byte for byte,
// and surviving files that are not what they should be.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

#include "SampleHives.h"
#include "platform/registry/WineHive.h"

namespace tally {

namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out.push_back(static_cast<char>(b));
    return out;
}

std::vector<std::string> valueNames(const WineHive& hive, std::string_view path) {
    std::vector<std::string> names;
    for (const RegValue& v : hive.values(path).value_or(std::vector<RegValue>{})) names.push_back(v.name);
    return names;
}

}  // namespace

TEST(WineHiveRead, KeysValuesAndTheHeader) {
    const WineHive hive = WineHive::parse(samples::kUserReg);
    EXPECT_TRUE(hive.hasSignature());
    EXPECT_EQ(hive.root(), "\\User\\S-1-5-21-0-0-0-1000");

    EXPECT_EQ(hive.subkeys(""), (std::vector<std::string>{"Control Panel", "Environment", "Software"}));
    EXPECT_EQ(hive.subkeys("Software"), (std::vector<std::string>{"Vendor", "Wine"}));
    EXPECT_EQ(hive.subkeys("software\\VENDOR\\tool"), std::vector<std::string>{"Sub"});
    EXPECT_EQ(hive.subkeys("Software\\Vendor\\Tool\\Sub"), std::vector<std::string>{});
    EXPECT_FALSE(hive.subkeys("Software\\Missing"));
    EXPECT_FALSE(hive.values("Software\\Missing"));
    // Keys the file only implies, through the keys below them, are there without values.
    EXPECT_TRUE(hive.hasKey("Software\\Vendor"));
    EXPECT_TRUE(samples::noValues(hive.values("Software\\Vendor")));
    EXPECT_TRUE(samples::noValues(hive.values("")));

    EXPECT_EQ(valueNames(hive, "Software\\Vendor\\Tool"),
              (std::vector<std::string>{"", "Count", "Blob", "Lines", "Big", "Caf\xE9"}));
    const auto blob = hive.value("Software\\Vendor\\Tool", "BLOB");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->type, regtype::kBinary);
    ASSERT_EQ(blob->data.size(), 26u);
    EXPECT_EQ(blob->data.back(), '\x19');
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "")->data, std::string("Tool \"default\"\0", 15));
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "caf\xE9")->data,
              "na" + bytes({0xEF}) + "ve " + bytes({0x80, 0}));
    EXPECT_EQ(hive.value("Software\\Vendor\\Tool", "Lines")->data, std::string("one\0two\0\0", 9));
    EXPECT_EQ(dwordOf(hive.value("Software\\Vendor\\Tool\\Sub", "Level")->data), 3u);
    EXPECT_EQ(hive.value("Environment", "TEMP")->type, regtype::kExpandString);
    EXPECT_FALSE(hive.value("Environment", "Missing"));
    // Option lines (#time, #class, #link) are no values.
    EXPECT_EQ(valueNames(hive, "Software\\Wine\\Link"), std::vector<std::string>{"SymbolicLinkValue"});
}

TEST(WineHiveRead, UnchangedFilesComeBackByteForByte) {
    const std::string sample(samples::kUserReg);
    const std::string crlf = samples::withCrLf(sample);
    const std::string noFinalLineEnd = sample.substr(0, sample.size() - 1);
    const std::string oddSpacing =
        "WINE REGISTRY Version 2\n\n\n  [Software\\\\A]   17 \t\n  \"x\"  =  \"1\"  \n\t@=dword:1\n;; note\n"
        "\n\n[Software\\\\B]\n\"y\"=hex:01 , 02,\\\n\t\t03\r\n#time=0\n\n";
    for (const std::string& text : {sample, crlf, noFinalLineEnd, oddSpacing}) {
        EXPECT_EQ(WineHive::parse(text).serialize(), text);
    }
    const WineHive odd = WineHive::parse(oddSpacing);
    EXPECT_EQ(odd.value("Software\\A", "x")->data, std::string("1\0", 2));
    EXPECT_EQ(odd.value("Software\\A", "")->data, bytes({1, 0, 0, 0}));
    EXPECT_EQ(odd.value("Software\\B", "y")->data, bytes({1, 2, 3}));
    EXPECT_EQ(WineHive::parse(crlf).value("Software\\Vendor\\Tool", "Blob")->data.size(), 26u);
}

TEST(WineHiveRead, KeyNamesWithEscapes) {
    const WineHive hive = WineHive::parse(
        "WINE REGISTRY Version 2\n\n[Software\\\\Caf\\xe9\\\\\\[x\\] y\\\\\\x20ac] 1\n@=\"\"\n");
    EXPECT_EQ(hive.subkeys("Software"), std::vector<std::string>{"Caf\xE9"});
    EXPECT_EQ(hive.subkeys("Software\\Caf\xE9"), std::vector<std::string>{"[x] y"});
    EXPECT_TRUE(hive.hasKey("SOFTWARE\\CAF\xE9\\[X] Y\\\x80"));
}

TEST(WineHiveRead, RepeatedKeysAndValuesMerge) {
    const WineHive hive = WineHive::parse(
        "WINE REGISTRY Version 2\n\n[A] 1\n\"x\"=\"first\"\n\"y\"=\"y\"\n\"X\"=\"second\"\n\n[B] 1\n\n[a] 2\n"
        "\"z\"=\"z\"\n\"x\"=dword:7\n");
    EXPECT_EQ(hive.subkeys(""), (std::vector<std::string>{"A", "B"}));
    // The later data win; the value keeps its first place and spelling, as in Wine.
    EXPECT_EQ(valueNames(hive, "A"), (std::vector<std::string>{"x", "y", "z"}));
    EXPECT_EQ(hive.value("a", "X")->type, regtype::kDword);
}

TEST(WineHiveRead, LinesThatCannotBeReadAreKeptAndPassedOver) {
    const std::string text =
        "WINE REGISTRY Version 2\n\"orphan\"=\"before any key\"\n[Good] 1\n\"ok\"=\"1\"\n\"bad\"=what\n"
        "garbage line\n[Unclosed\n\"lost\"=\"belongs to no key\"\n[Next] 2\n\"fine\"=dword:2\n";
    const WineHive hive = WineHive::parse(text);
    EXPECT_EQ(hive.serialize(), text);
    EXPECT_EQ(hive.subkeys(""), (std::vector<std::string>{"Good", "Next"}));
    EXPECT_EQ(valueNames(hive, "Good"), std::vector<std::string>{"ok"});
    EXPECT_EQ(valueNames(hive, "Next"), std::vector<std::string>{"fine"});
}

TEST(WineHiveRead, GarbageAndTruncatedFilesNeverBreakIt) {
    const std::string sample = samples::withCrLf(samples::kUserReg);
    for (std::size_t length = 0; length <= sample.size(); ++length) {
        const std::string cut = sample.substr(0, length);
        WineHive hive = WineHive::parse(cut);
        ASSERT_EQ(hive.serialize(), cut) << length;
        hive.subkeys("Software\\Vendor\\Tool");
        hive.setValue("Software\\Vendor\\Tool", dwordValue("Count", 1));
        hive.createKey("Software\\Vendor\\Tool\\New");
        hive.deleteKey("Software\\Vendor");
        WineHive::parse(hive.serialize());
    }
    std::mt19937 random(6);
    const std::string alphabet = "[]\\\"@=:,()#;x0123456789abcdefhexdwordstr \t\r\n\x80\xC3\xA9\xFF";
    for (int round = 0; round < 300; ++round) {
        std::string noise;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            noise.push_back(round % 2 ? static_cast<char>(random() & 0xFF)
                                      : alphabet[random() % alphabet.size()]);
        WineHive hive = WineHive::parse(noise);
        ASSERT_EQ(hive.serialize(), noise) << round;
        EXPECT_FALSE(hive.hasSignature());
        for (const std::string& key : hive.subkeys("").value_or(std::vector<std::string>{})) {
            hive.values(key);
            hive.setValue(key, stringValue("v", "w"));
        }
        hive.createKey("K");
        WineHive::parse(hive.serialize());
    }
}

namespace {

// Many keys below one parent, and one key with very many values.
std::string largeFile(int count) {
    std::string text = "WINE REGISTRY Version 2\n";
    for (int i = 0; i < count; ++i)
        text += "\n[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(i) +
                "}\\\\InprocServer32] 1\n@=\"x.dll\"\n";
    text += "\n[Software\\\\Many] 1\n";
    for (int i = 0; i < count; ++i) text += "\"v" + std::to_string(i) + "\"=dword:1\n";
    return text;
}

}  // namespace

TEST(WineHiveRead, LargeFilesReadWhole) {
    constexpr int kKeys = 40000;
    const std::string text = largeFile(kKeys);
    WineHive hive = WineHive::parse(text);
    ASSERT_TRUE(hive.setValue("Software\\Many", dwordValue("V39999", 2)));
    ASSERT_TRUE(hive.setValue("Software\\Many", dwordValue("new", 3)));
    EXPECT_EQ(hive.subkeys("Software\\Classes\\CLSID")->size(), static_cast<std::size_t>(kKeys));
    EXPECT_EQ(hive.values("Software\\Many")->size(), static_cast<std::size_t>(kKeys) + 1);
    EXPECT_EQ(dwordOf(hive.value("Software\\Many", "v39999")->data), 2u);
    EXPECT_FALSE(hive.hasKey("software\\classes\\clsid\\{54321}\\inprocserver32"));
    EXPECT_TRUE(hive.hasKey("software\\classes\\clsid\\{32109}\\inprocserver32"));

}

namespace {

// `levels` times `name`, joined by `separator`.
std::string repeated(std::size_t levels, std::string_view name, std::string_view separator) {
    std::string path;
    for (std::size_t i = 0; i < levels; ++i) path += (i ? std::string(separator) : "") + std::string(name);
    return path;
}

// One bracket line of `levels` keys named `name`, with a value after it.
std::string deepKeyLine(std::size_t levels, std::string_view name = "a") {
    return "[" + repeated(levels, name, "\\\\") + "] 1\n\"deep\"=\"1\"\n";
}

std::string deepPath(std::size_t levels, std::string_view name = "a") {
    return repeated(levels, name, "\\");
}

}  // namespace

TEST(WineHiveRead, KeysBeyondTheRegistrysLimitsStayUnreadText) {
    // Windows opens no key deeper than 512 levels nor any name longer than 255 characters, so such
    // a line is no key: it stays as text that goes back unchanged.
    const std::string header = "WINE REGISTRY Version 2\n\n[Before] 1\n\"b\"=\"1\"\n\n";
    const std::string tooDeep = deepKeyLine(513, "t");
    const std::string deepest = deepKeyLine(512, "d");
    const std::string tooLong = "[Long\\\\" + std::string(256, 'n') + "] 1\n\"long\"=\"1\"\n";
    const std::string longest = "[Long\\\\" + std::string(255, 'm') + "] 1\n\"long\"=\"1\"\n";
    const std::string text =
        header + tooDeep + "\n" + deepest + "\n" + tooLong + "\n" + longest + "\n[After] 1\n";
    WineHive hive = WineHive::parse(text);
    EXPECT_EQ(hive.serialize(), text);
    EXPECT_EQ(hive.subkeys(""), (std::vector<std::string>{"Before", "d", "Long", "After"}));
    EXPECT_FALSE(hive.hasKey("t"));
    EXPECT_TRUE(hive.hasKey(deepPath(512, "d")));
    EXPECT_EQ(hive.value(deepPath(512, "d"), "deep")->data, std::string("1\0", 2));
    EXPECT_EQ(hive.subkeys("Long"), std::vector<std::string>{std::string(255, 'm')});
    EXPECT_EQ(valueNames(hive, "Before"), std::vector<std::string>{"b"});

    // Nor can such keys be made.
    EXPECT_FALSE(hive.createKey(deepPath(513, "d")));
    EXPECT_FALSE(hive.createKey("Long\\" + std::string(256, 'x')));
    EXPECT_FALSE(hive.hasKey(deepPath(513, "d")));
    EXPECT_EQ(hive.serialize(), text);

    // The unread text belongs to no key: deleting the key before it keeps it.
    ASSERT_TRUE(hive.deleteKey("Before"));
    EXPECT_NE(hive.serialize().find(tooDeep), std::string::npos);
    EXPECT_NE(hive.serialize().find(tooLong), std::string::npos);
    ASSERT_TRUE(hive.deleteKey("d"));
    EXPECT_EQ(hive.serialize().find(deepest), std::string::npos);
}

TEST(WineHiveRead, AHostileDeepLineIsReadQuicklyAndInLittleMemory) {
    const std::string text =
        "WINE REGISTRY Version 2\n\n" + deepKeyLine(40000) + "\n" + deepKeyLine(512, "b");
    const auto start = std::chrono::steady_clock::now();
    {
        WineHive hive = WineHive::parse(text);
        EXPECT_EQ(hive.serialize(), text);
        EXPECT_EQ(hive.subkeys(""), std::vector<std::string>{"b"});
        EXPECT_FALSE(hive.hasKey(deepPath(600)));
        // A chain of keys as deep as allowed goes when its hive goes, and when it is deleted.
        WineHive other = WineHive::parse(text);
        EXPECT_TRUE(other.deleteKey("b"));
    }
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 5.0);
}

TEST(WineHiveRead, NamesOutsideTheAnsiCodePageAreListedButNeverFound) {
    // Cyrillic names that Windows-1252 cannot hold: the ANSI calls list them as question marks and
    // find nothing under those names, so no two of them may merge, nor any with a real "???".
    const std::string text =
        "WINE REGISTRY Version 2\n\n"
        "[Software\\\\\\x41f\\x440\\x438\\x432\\x435\\x442] 1\n\"a\"=\"1\"\n\n"
        "[Software\\\\\\x414\\x43e\\x43c] 1\n\"d\"=\"1\"\n\n"
        "[Software\\\\\\x41c\\x438\\x440] 1\n\"\\x41c\"=\"one\"\n\"\\x41f\"=\"two\"\n\"?\"=\"plain\"\n\n"
        "[Software\\\\\\x41c\\x438\\x440\\\\Sub] 1\n\n"
        "[Software\\\\\\x41c\\x438\\x440] 2\n\"\\x41c\"=\"again\"\n";
    WineHive hive = WineHive::parse(text);
    EXPECT_EQ(hive.subkeys("Software"), (std::vector<std::string>{"??????", "???", "???"}));
    EXPECT_FALSE(hive.hasKey("Software\\???"));
    EXPECT_FALSE(hive.hasKey("Software\\??????"));
    EXPECT_FALSE(hive.subkeys("Software\\???"));
    EXPECT_FALSE(hive.values("Software\\???"));
    EXPECT_FALSE(hive.deleteKey("Software\\???"));
    EXPECT_FALSE(hive.setValue("Software\\???", stringValue("x", "y")));
    EXPECT_EQ(hive.serialize(), text);

    // A lossy name made by hand is a plain new key of question marks, beside the others.
    ASSERT_TRUE(hive.createKey("Software\\???"));
    EXPECT_EQ(hive.subkeys("Software"), (std::vector<std::string>{"??????", "???", "???", "???"}));
    EXPECT_TRUE(samples::noValues(hive.values("Software\\???")));
}

TEST(WineHiveRead, ValueNamesOutsideTheAnsiCodePageAreListedButNeverFound) {
    const std::string text =
        "WINE REGISTRY Version 2\n\n[K] 1\n\"\\x41c\"=\"one\"\n\"\\x41f\"=\"two\"\n\"?\"=\"plain\"\n"
        "\"\\x41c\"=\"again\"\n";
    WineHive hive = WineHive::parse(text);
    // The same name given twice is still one value, with the later data.
    ASSERT_EQ(valueNames(hive, "K"), (std::vector<std::string>{"?", "?", "?"}));
    EXPECT_EQ(hive.values("K")->at(0).data, std::string("again\0", 6));
    EXPECT_EQ(hive.values("K")->at(1).data, std::string("two\0", 4));
    EXPECT_EQ(hive.value("K", "?")->data, std::string("plain\0", 6));

    // Setting "?" changes the value truly named so and no other.
    ASSERT_TRUE(hive.setValue("K", stringValue("?", "changed")));
    std::string expected = text;
    expected.replace(expected.find("\"?\"=\"plain\""), 11, "\"?\"=\"changed\"");
    EXPECT_EQ(hive.serialize(), expected);
}

}  // namespace tally
