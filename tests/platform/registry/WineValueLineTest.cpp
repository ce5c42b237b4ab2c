// Value lines of Wine's registry files: every data form, the escapes, and writing them back.

#include <gtest/gtest.h>

#include "platform/registry/WineRegText.h"
#include "platform/registry/WineValueLine.h"

namespace tally::winereg {

namespace {

std::optional<RegValue> readLine(std::string_view line) {
    return readValueLine(line, 0).value;
}

std::string dataOf(std::string_view line) {
    auto value = readLine(line);
    return value ? value->data : "<unreadable>";
}

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list) out.push_back(static_cast<char>(b));
    return out;
}

}  // namespace

TEST(WineValueRead, StringForms) {
    const struct {
        std::string_view line;
        std::string name;
        std::uint32_t type;
        std::string data;
    } forms[] = {
        {"\"Name\"=\"text\"\n", "Name", regtype::kString, std::string("text\0", 5)},
        {"@=\"default\"", "", regtype::kString, std::string("default\0", 8)},
        {R"("Path"=str(2):"%SystemRoot%\\x")", "Path", regtype::kExpandString, std::string("%SystemRoot%\\x\0", 15)},
        {R"("List"=str(7):"a\0b\0")", "List", regtype::kMultiString, std::string("a\0b\0\0", 5)},
        {"\"S\"=str:\"x\"", "S", regtype::kString, std::string("x\0", 2)},
        {"\"Empty\"=\"\"", "Empty", regtype::kString, std::string(1, '\0')},
        // Blanks around the equals sign and before the line are allowed.
        {"  \"A\" = \"b\"\r\n", "A", regtype::kString, std::string("b\0", 2)},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.line);
        const auto value = readLine(form.line);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->name, form.name);
        EXPECT_EQ(value->type, form.type);
        EXPECT_EQ(value->data, form.data);
    }
}

TEST(WineValueRead, EscapesInNamesAndData) {
    EXPECT_EQ(dataOf(R"(@="q\"b\\n\n\r\t\a\b\e\f\v")"), std::string("q\"b\\n\n\r\t\a\b\x1B\f\v\0", 14));
    EXPECT_EQ(dataOf(R"(@="\101\60\0")"), std::string("A0\0\0", 4));
    EXPECT_EQ(dataOf(R"(@="\1012")"), std::string("A2\0", 3));  // three octal digits at most
    EXPECT_EQ(dataOf(R"(@="\q")"), std::string("q\0", 2));      // an unknown escape is the letter
    auto named = readLine(R"("Say \"hi\" \\ now"=dword:1)");
    ASSERT_TRUE(named);
    EXPECT_EQ(named->name, "Say \"hi\" \\ now");
}

TEST(WineValueRead, UnicodeBecomesWindows1252) {
    EXPECT_EQ(dataOf(R"(@="\x20ac")"), bytes({0x80, 0}));
    EXPECT_EQ(dataOf(R"(@="caf\xe9")"), "caf" + bytes({0xE9, 0}));
    EXPECT_EQ(dataOf(R"(@="\x00e9f")"), bytes({0xE9, 'f', 0}));  // four hex digits at most
    EXPECT_EQ(dataOf(R"(@="\x4e2d\x2122")"), bytes({'?', 0x99, 0}));
    EXPECT_EQ(dataOf(R"(@="\xz")"), "xz" + bytes({0}));  // \x without a digit is a plain x
    // Raw bytes: UTF-8 where it is well-formed, the ANSI code page where it is not.
    EXPECT_EQ(dataOf("@=\"\xC3\xA9\xE2\x82\xAC\""), bytes({0xE9, 0x80, 0}));
    EXPECT_EQ(dataOf("@=\"\xE9t\xE9\""), bytes({0xE9, 't', 0xE9, 0}));
    EXPECT_EQ(dataOf("@=\"\xF0\x9F\x98\x80!\""), "?!" + bytes({0}));
    auto name = readLine("\"Caf\\xe9\"=\"\"");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->name, "Caf\xE9");
}

TEST(WineValueRead, DwordAndHexForms) {
    const struct {
        std::string_view line;
        std::uint32_t type;
        std::string data;
    } forms[] = {
        {"\"Count\"=dword:0000000a", regtype::kDword, bytes({10, 0, 0, 0})},
        {"@=dword:ffffffff", regtype::kDword, bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        {"@=dword:12345678", regtype::kDword, bytes({0x78, 0x56, 0x34, 0x12})},
        {"\"B\"=hex:01,02,ff", regtype::kBinary, bytes({1, 2, 0xFF})},
        {"\"Q\"=hex(b):01,00,00,00,00,00,00,80", regtype::kQword, bytes({1, 0, 0, 0, 0, 0, 0, 0x80})},
        {"\"N\"=hex(0):", 0u, ""},
        {"\"L\"=hex(6):5c,00", 6u, bytes({0x5C, 0})},  // not a string type: raw bytes
        // The string types are UTF-16 in the file; an odd last byte is dropped.
        {"\"M\"=hex(7):61,00,00,00,ac,20,00,00,00,00", regtype::kMultiString, bytes({'a', 0, 0x80, 0, 0})},
        {"@=hex(2):25,00,41,00,25,00,00,00", regtype::kExpandString, std::string("%A%\0", 4)},
        {"@=hex(1):41,00,42", regtype::kString, "A"},
    };
    for (const auto& form : forms) {
        SCOPED_TRACE(form.line);
        const auto value = readLine(form.line);
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, form.type);
        EXPECT_EQ(value->data, form.data);
    }
}

TEST(WineValueRead, ContinuationLines) {
    const std::string text = "\"Blob\"=hex:01,02,\\\n  03,04,\\\r\n\t05\n\"Next\"=\"x\"\n";
    const ValueLineRead read = readValueLine(text, 0);
    ASSERT_TRUE(read.value);
    EXPECT_EQ(read.value->data, bytes({1, 2, 3, 4, 5}));
    EXPECT_EQ(text.substr(read.end), "\"Next\"=\"x\"\n");
    // Read from the middle of a text, as the file reader does.
    const std::string twice = "@=\"a\"\n" + text;
    EXPECT_EQ(readValueLine(twice, 6).end, 6 + read.end);
}

TEST(WineValueRead, UnreadableLinesEndAtTheirFirstLine) {
    for (std::string_view bad :
         {"\"A\"=\"unterminated\n@=\"x\"\n", "\"A\"=hex:1g,02\n@=\"x\"\n", "\"A\"=hex:123\n@=\"x\"\n",
          "\"A\"=dword:123456789\n@=\"x\"\n", "\"A\"=dword:\n@=\"x\"\n", "\"A\"=wat:1\n@=\"x\"\n",
          "\"A\"\n@=\"x\"\n", "\"A=\"x\"\n@=\"x\"\n", "\"A\"=hex(zz):00\n@=\"x\"\n",
          "\"A\"=str(2)\"x\"\n@=\"x\"\n"}) {
        const ValueLineRead read = readValueLine(bad, 0);
        EXPECT_FALSE(read.value) << bad;
        EXPECT_EQ(bad.substr(read.end), "@=\"x\"\n") << bad;
    }
    // A continuation promised on the last line, or followed by something else, reads nothing.
    EXPECT_FALSE(readLine("\"A\"=hex:01,\\"));
    EXPECT_FALSE(readLine("\"A\"=hex:01,\\ 02\n"));
    EXPECT_FALSE(readLine("\"A\"=\"no end"));
    EXPECT_FALSE(readLine("\"A\"=\"ends in a backslash\\"));
}

TEST(WineValueWrite, FormsAsWineWritesThem) {
    EXPECT_EQ(writeValueLine(stringValue("Name", "text"), "\n"), "\"Name\"=\"text\"\n");
    EXPECT_EQ(writeValueLine(stringValue("", "d"), "\r\n"), "@=\"d\"\r\n");
    EXPECT_EQ(writeValueLine(RegValue{"P", regtype::kExpandString, std::string("%A%\\b\0", 6)}, "\n"),
              "\"P\"=str(2):\"%A%\\\\b\"\n");
    EXPECT_EQ(writeValueLine(RegValue{"M", regtype::kMultiString, std::string("a\0b\0\0", 5)}, "\n"),
              "\"M\"=str(7):\"a\\0b\\0\"\n");
    EXPECT_EQ(writeValueLine(dwordValue("C", 10), "\n"), "\"C\"=dword:0000000a\n");
    EXPECT_EQ(writeValueLine(binaryValue("B", bytes({0, 0xAB})), "\n"), "\"B\"=hex:00,ab\n");
    EXPECT_EQ(writeValueLine(RegValue{"Q", regtype::kQword, bytes({1, 0, 0, 0, 0, 0, 0, 0})}, "\n"),
              "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n");
    EXPECT_EQ(writeValueLine(RegValue{"N", 0, ""}, "\n"), "\"N\"=hex(0):\n");
    // A DWORD of another length, and strings without their NUL, have only the hex form.
    EXPECT_EQ(writeValueLine(RegValue{"D", regtype::kDword, bytes({1, 2})}, "\n"), "\"D\"=hex(4):01,02\n");
    EXPECT_EQ(writeValueLine(RegValue{"S", regtype::kString, "ab"}, "\n"), "\"S\"=hex(1):61,00,62,00\n");
    EXPECT_EQ(writeValueLine(RegValue{"S", regtype::kString, ""}, "\n"), "\"S\"=hex(1):\n");
}

TEST(WineValueWrite, EscapesAsWineWritesThem) {
    EXPECT_EQ(writeValueLine(stringValue("a\"b", "x\\y\"z\n\t"), "\n"), "\"a\\\"b\"=\"x\\\\y\\\"z\\n\\t\"\n");
    EXPECT_EQ(writeValueLine(stringValue("", bytes({0x80, 'g', 0xE9, 'a', 0xE9})), "\n"),
              "@=\"\\x20acg\\x00e9a\\xe9\"\n");
    EXPECT_EQ(writeValueLine(stringValue("", bytes({1, '5', 1, 'x', 0x1B, 0x1F, 0, '7'})), "\n"),
              "@=\"\\0015\\1x\\e\\37\\0007\"\n");
    EXPECT_EQ(writeEscaped(u"[k]\\", "[]"), "\\[k\\]\\\\");
}

TEST(WineValueWrite, LongHexWrapsAtWinesWidth) {
    std::string data;
    for (int i = 0; i < 100; ++i) data.push_back(static_cast<char>(i));
    const std::string text = writeValueLine(binaryValue("Data", data), "\n");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t nl = text.find('\n', at);
        lines.push_back(text.substr(at, nl - at));
        at = nl + 1;
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 14), "\"Data\"=hex:00,");
    EXPECT_EQ(lines[0].size(), 78u);  // 22 bytes, then the backslash
    EXPECT_EQ(lines[1].substr(0, 5), "  16,");
    EXPECT_EQ(lines[1].size(), 78u);  // 25 bytes
    EXPECT_EQ(lines[4], "  61,62,63");
    EXPECT_EQ(readLine(text)->data, data);
}

TEST(WineValueWrite, EveryFormReadsBackAsWritten) {
    const std::vector<RegValue> values{
        stringValue("Plain", "some text"),
        stringValue("", bytes({'\\', '"', 0x80, 0x81, 0x9D, 0xFF, 'F', 1, '\n', 0x7F})),
        RegValue{"Expand", regtype::kExpandString, std::string("%PATH%\0", 7)},
        RegValue{"Multi", regtype::kMultiString, std::string("x\0\0y\0\0", 6)},
        RegValue{"Unterminated", regtype::kMultiString, "abc"},
        dwordValue("Dword", 0xDEADBEEF),
        binaryValue("Binary", std::string(300, '\x5A')),
        RegValue{"Odd type", 0x12345, bytes({9, 8, 7})},
        RegValue{bytes({'N', 0xE9, '"', '\\'}), regtype::kString, std::string("v\0", 2)},
    };
    for (const RegValue& v : values) {
        const std::string line = writeValueLine(v, "\r\n");
        const ValueLineRead read = readValueLine(line, 0);
        ASSERT_TRUE(read.value) << line;
        EXPECT_EQ(read.value->name, v.name) << line;
        EXPECT_EQ(read.value->type, v.type) << line;
        EXPECT_EQ(read.value->data, v.data) << line;
        EXPECT_EQ(read.end, line.size()) << line;
    }
}

}  // namespace tally::winereg
