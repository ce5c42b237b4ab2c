// The building blocks of the fast passes, against plain readings of what they promise: the SIMD mark
// scan (at block edges too, and in place inside a larger text), the substring search, the name tries,
// name numbering past its first room, the reused file buffer, the one-reading keyword search of
// declarations and their splitting into a reused result. Line cutting, the line labels, the
// range scan and the CalledBy log are driven through the pass equivalence test on every seed (a
// fault in any of them fails it).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ScratchProject.h"
#include "core/support/ByteSetScan.h"
#include "core/text/FindBytes.h"
#include "core/os/FileBuffer.h"
#include "core/parser/DeclaredNames.h"
#include "core/parser/HeaderText.h"
#include "core/text/TextOps.h"
#include "core/support/NameInterner.h"
#include "core/support/NameTrie.h"
#include "core/support/StableOrder.h"

namespace tally::test {

namespace {

// Texts of every length up to a few blocks, of bytes that the scans care about.
std::vector<std::string> randomTexts(unsigned seed, const std::string& alphabet, int count) {
    std::mt19937 random(seed);
    std::vector<std::string> texts;
    for (int k = 0; k < count; ++k) {
        std::string text(random() % 70, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        texts.push_back(text);
    }
    return texts;
}

}  // namespace

TEST(ByteScans, MarksBesideARangeAreExactlyThePlainReading) {
    // "(" is a mark on both sides, as for the module-variable search.
    const char leading[] = {' ', '.', '('};
    const char trailing[] = {'(', ')'};
    const ByteRange ranges[] = {{'a', 'c'}, ByteRange{}, ByteRange::all(), {0, 0}, {'(', 'z'}};
    for (const std::string& text : randomTexts(11, "ab z.() \x01\xE9", 600)) {
        for (ByteRange next : ranges) {
            for (ByteRange previous : ranges) {
                std::vector<std::size_t> expectedLeads, expectedTrails, leads, trails;
                for (std::size_t i = 0; i < text.size(); ++i) {
                    const char after = i + 1 < text.size() ? text[i + 1] : '\0';
                    const char before = i > 0 ? text[i - 1] : '\0';
                    if ((text[i] == ' ' || text[i] == '.' || text[i] == '(') && next.contains(after))
                        expectedLeads.push_back(i);
                    if ((text[i] == '(' || text[i] == ')') && previous.contains(before))
                        expectedTrails.push_back(i);
                }
                // Each side in increasing order, and no block's trailing place before its leading ones.
                std::vector<std::size_t> both;
                forEachMarkBesideRange(
                    text, leading, next, trailing, previous,
                    [&](std::size_t i) {
                        leads.push_back(i);
                        ASSERT_TRUE(both.empty() || both.back() / 16 < i / 16 || both.back() < i) << i;
                        both.push_back(i);
                    },
                    [&](std::size_t i) {
                        trails.push_back(i);
                        both.push_back(i);
                    });
                ASSERT_EQ(leads, expectedLeads) << '"' << text << '"';
                ASSERT_EQ(trails, expectedTrails) << '"' << text << '"';
            }
        }
    }
}

TEST(ByteScans, MarksOfALineReadInPlaceAreThoseOfTheLineAlone) {
    // The line is judged with '\0' beside it whatever the larger text holds there.
    const char leading[] = {' ', '.'};
    const char trailing[] = {'('};
    const ByteRange names{'a', 'z'};
    std::mt19937 random(5);
    for (const std::string& file : randomTexts(12, "ab z.( \n", 400)) {
        if (file.empty()) continue;
        const std::size_t start = random() % file.size();
        const std::string_view line = std::string_view(file).substr(start, random() % (file.size() - start + 1));
        std::vector<std::size_t> alone, inPlace;
        const std::string copy(line);
        // Leading places as they are, trailing ones marked by a high bit.
        constexpr std::size_t kTrailing = std::size_t{1} << 40;
        forEachMarkBesideRange(
            copy, leading, names, trailing, names, [&](std::size_t i) { alone.push_back(i); },
            [&](std::size_t i) { alone.push_back(i | kTrailing); });
        forEachMarkBesideRange(
            line, leading, names, trailing, names, [&](std::size_t i) { inPlace.push_back(i); },
            [&](std::size_t i) { inPlace.push_back(i | kTrailing); }, file);
        ASSERT_EQ(inPlace, alone) << '"' << file << "\" from " << start;
    }
}

TEST(ByteScans, FindBytesAnswersAsFind) {
    std::mt19937 random(9);
    const std::vector<std::string> texts = randomTexts(13, "aab_b.c", 400);
    for (std::size_t k = 0; k + 1 < texts.size(); ++k) {
        const std::string& text = texts[k];
        // Words from the text itself (found) and from another text (mostly not).
        for (const std::string* source : {&text, &texts[k + 1]}) {
            if (source->empty()) continue;
            const std::size_t at = random() % source->size();
            const std::string word = source->substr(at, 1 + random() % 6);
            for (std::size_t from : {std::size_t{0}, text.size() / 3, text.size(), text.size() + 1})
                ASSERT_EQ(findBytes(text, word, from), std::string_view(text).find(word, from))
                    << '"' << text << "\" \"" << word << "\" from " << from;
        }
    }
}

TEST(NameTrie, FindsEveryNameBeginningOrEndingAtAPlace) {
    // Names that share "m_" and then branch on dozens of bytes, so that nodes of many children (found by
    // their table) and of few (found by position or in turn) are both met.
    std::mt19937 random(3);
    const std::string bytes = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_019";
    std::vector<std::string> names;
    for (int k = 0; k < 300; ++k) {
        std::string name = k % 3 == 0 ? "m_" : (k % 3 == 1 ? "m" : "");
        for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) name += bytes[random() % bytes.size()];
        names.push_back(name);
    }
    const std::vector<std::string_view> views(names.begin(), names.end());
    // The backward trie as the passes make it, from the forward one's numbering: the same ids.
    const NameTrie forward(NameTrie::Direction::Forward, views),
        backward(NameTrie::Direction::Backward, forward);
    ASSERT_EQ(backward.idsOfGivenNames(), forward.idsOfGivenNames());
    for (const std::string& text : randomTexts(14, "m_aZbQ9 x", 200)) {
        for (std::size_t at = 0; at <= text.size(); ++at) {
            std::vector<std::string_view> begun, ended, expectedBegun, expectedEnded;
            forward.forEachStartingAt(text, at, [&](int id, std::size_t) { begun.push_back(forward.name(id)); });
            backward.forEachEndingAt(text, at,
                                     [&](int id, std::size_t) { ended.push_back(forward.name(id)); });
            for (int id = 0; id < forward.size(); ++id) {
                const std::string_view name = forward.name(id);
                if (std::string_view(text).substr(at).starts_with(name)) expectedBegun.push_back(name);
                if (std::string_view(text).substr(0, at).ends_with(name)) expectedEnded.push_back(name);
            }
            const auto byLength = [](std::string_view a, std::string_view b) { return a.size() < b.size(); };
            std::sort(expectedBegun.begin(), expectedBegun.end(), byLength);
            std::sort(expectedEnded.begin(), expectedEnded.end(), byLength);
            ASSERT_EQ(begun, expectedBegun) << '"' << text << "\" at " << at;
            ASSERT_EQ(ended, expectedEnded) << '"' << text << "\" at " << at;
        }
    }
}

// The sort that builds a trie reads a name's first eight bytes from a copy of its own: names that
// agree on them and differ only after, or only in length, or in a zero or a high byte, must come
// out as the plain comparison orders them, so that every name is found where it is.
TEST(NameTrie, NamesAlikeInTheirFirstEightBytes) {
    const std::string zero(1, '\0');
    std::vector<std::string> names = {"UserCont",
                                      "UserContr",
                                      "UserContro",
                                      "UserControl_Click",
                                      "UserControl_Clic",
                                      "UserCon",
                                      "UserCont" + zero,
                                      "UserCont" + zero + "a",
                                      "User" + zero + "ont",
                                      "UserCont\xE9",
                                      "UserCont\x7F",
                                      "UserControl_Resize",
                                      "a",
                                      "ab",
                                      "ab" + zero,
                                      "ab" + zero + zero,
                                      "a" + zero,
                                      "abc"};
    std::mt19937 random(8);
    for (int k = 0; k < 60; ++k) {
        std::string name = k % 2 ? "UserControl_" : "UserContr";
        for (int n = static_cast<int>(random() % 4); n > 0; --n) name += "aZ\xE9_"[random() % 4];
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    std::shuffle(names.begin(), names.end(), random);
    const std::vector<std::string_view> views(names.begin(), names.end());
    const NameTrie forward(NameTrie::Direction::Forward, views),
        backward(NameTrie::Direction::Backward, forward);
    for (const std::string& name : names) {
        const std::string text = "(" + name + ")";
        std::vector<std::string_view> begun, ended, expectedBegun, expectedEnded;
        forward.forEachStartingAt(text, 1, [&](int id, std::size_t) { begun.push_back(forward.name(id)); });
        backward.forEachEndingAt(text, 1 + name.size(),
                                 [&](int id, std::size_t) { ended.push_back(forward.name(id)); });
        for (std::string_view other : views) {
            if (std::string_view(text).substr(1).starts_with(other)) expectedBegun.push_back(other);
            if (std::string_view(text).substr(0, 1 + name.size()).ends_with(other))
                expectedEnded.push_back(other);
        }
        const auto byLength = [](std::string_view a, std::string_view b) { return a.size() < b.size(); };
        std::sort(expectedBegun.begin(), expectedBegun.end(), byLength);
        std::sort(expectedEnded.begin(), expectedEnded.end(), byLength);
        ASSERT_EQ(begun, expectedBegun) << name;
        ASSERT_EQ(ended, expectedEnded) << name;
        ASSERT_EQ(forward.idOf(name), backward.idOf(name));
    }
}

TEST(NameTrie, GivesEachGivenNameTheIdOfItsText) {
    // Runs of one name (as the files of consecutive routines come) and the same name again later.
    const std::vector<std::string_view> names = {"a.frm", "a.frm", "b.bas", "a.frm", "", "", "b.bas", "b.bas"};
    const NameTrie trie(NameTrie::Direction::Forward, names);
    EXPECT_EQ(trie.idsOfGivenNames(), (std::vector<int>{0, 0, 1, 0, 2, 2, 1, 1}));
    ASSERT_EQ(trie.size(), 3);
    EXPECT_EQ(trie.name(1), "b.bas");
}

TEST(NameTrie, FindsLongNamesOnOneLongPrefix) {
    // Long stretches where no name ends or branches: names of 255, 256 and 700 bytes sharing one long
    // prefix, one that branches off only at its last byte, and one short name.
    const std::string stem(600, 'q');
    const std::vector<std::string> names = {stem.substr(0, 255), stem.substr(0, 256), stem + "x" + std::string(99, 'r'),
                                            stem + "y", "q"};
    const std::vector<std::string_view> views(names.begin(), names.end());
    const NameTrie forward(NameTrie::Direction::Forward, views), backward(NameTrie::Direction::Backward, views);
    const std::string text = " " + names[2] + " " + stem + "y" + " " + stem + "z";
    for (std::size_t at = 0; at <= text.size(); ++at) {
        std::vector<std::size_t> begun, ended, expectedBegun, expectedEnded;
        forward.forEachStartingAt(text, at, [&](int, std::size_t length) { begun.push_back(length); });
        backward.forEachEndingAt(text, at, [&](int, std::size_t length) { ended.push_back(length); });
        for (const std::string& name : names) {
            if (std::string_view(text).substr(at).starts_with(name)) expectedBegun.push_back(name.size());
            if (std::string_view(text).substr(0, at).ends_with(name)) expectedEnded.push_back(name.size());
        }
        std::sort(expectedBegun.begin(), expectedBegun.end());
        std::sort(expectedEnded.begin(), expectedEnded.end());
        ASSERT_EQ(begun, expectedBegun) << "at " << at;
        ASSERT_EQ(ended, expectedEnded) << "at " << at;
    }
    EXPECT_EQ(forward.idOf(names[2]), 2);
    EXPECT_EQ(forward.idOf(stem), -1);
}

// Where a declaration's names start, read keyword by keyword as the rule is worded.
std::string_view plainDeclaredNamesText(std::string_view statement, bool& isConst) {
    struct Start {
        std::string_view keyword;
        std::size_t index;
        bool isConst;
    };
    const Start starts[] = {{"ReDim ", 6, false},         {"Dim ", 4, false},          {"Public Property ", 19, false},
                            {"Public Const ", 12, true},  {"Private Const ", 13, true}, {"Global Const ", 12, true},
                            {"Public ", 7, false},        {"Private ", 8, false},       {"Static ", 7, false},
                            {"Global ", 6, false},        {"Const ", 5, true}};
    const std::string_view code = beforeApostrophe(statement);
    for (std::string_view word : {"Type ", "Sub ", "Preserve ", "Function ", "Declare "})
        if (code.find(word) != std::string_view::npos) return {};
    if (code.find("ReDim ") != std::string_view::npos && code.find("()") != std::string_view::npos) return {};
    for (const Start& start : starts) {
        if (code.find(start.keyword) == std::string_view::npos) continue;
        isConst = start.isConst;
        if (start.index >= code.size()) return {};
        return trimView(code.substr(start.index));
    }
    return {};
}

// Two counting sorts, the minor key first, order as one stable sort on both keys does; keys with no
// places and places of a single key are the edge cases.
TEST(StableOrder, TwoPassesOrderAsAStableSortOnBothKeys) {
    std::mt19937 random(11);
    for (std::size_t count : {0u, 1u, 7u, 500u}) {
        std::vector<int> major(count), minor(count);
        for (std::size_t k = 0; k < count; ++k) {
            major[k] = static_cast<int>(random() % 6);
            minor[k] = static_cast<int>(random() % 40);
        }
        std::vector<std::uint32_t> places(count);
        for (std::size_t k = 0; k < count; ++k) places[k] = static_cast<std::uint32_t>(k);
        std::vector<std::uint32_t> expected = places;
        std::stable_sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
            return major[a] != major[b] ? major[a] < major[b] : minor[a] < minor[b];
        });
        places = tally::stableOrderByKey(places, 40, [&](std::uint32_t k) { return minor[k]; });
        places = tally::stableOrderByKey(places, 6, [&](std::uint32_t k) { return major[k]; });
        EXPECT_EQ(places, expected) << count << " places";
    }
}

// The groups and where each begins, against a stable sort and a count; values need not be the
// items' places (the callee table stores each class for every group it calls).
TEST(StableOrder, GroupsByKeyHandBackEachKeysRange) {
    std::mt19937 random(13);
    for (std::size_t count : {0u, 1u, 9u, 700u}) {
        const std::size_t keys = 1 + count / 10;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> items(count);  // (value, key)
        for (auto& [value, key] : items) {
            value = static_cast<std::uint32_t>(random() % 50);
            key = static_cast<std::uint32_t>(random() % keys);
        }
        std::vector<std::uint32_t> start, order;
        tally::groupByKey(
            keys,
            [&](auto&& emit) {
                for (const auto& [value, key] : items) emit(value, key);
            },
            start, order);
        auto sorted = items;
        std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        ASSERT_EQ(order.size(), count);
        ASSERT_EQ(start.size(), keys + 1);
        for (std::size_t k = 0; k < count; ++k) EXPECT_EQ(order[k], sorted[k].first) << k;
        for (std::size_t key = 0; key < keys; ++key) {
            const auto firstOfKey = std::lower_bound(sorted.begin(), sorted.end(), key,
                                                     [](const auto& item, std::size_t k) { return item.second < k; });
            EXPECT_EQ(start[key], static_cast<std::uint32_t>(firstOfKey - sorted.begin())) << key;
        }
        EXPECT_EQ(start[keys], count);
    }
}

TEST(DeclaredNames, KeywordsFoundInOneReadingAsOneByOne) {
    std::mt19937 random(5);
    // Keywords, their look-alikes and the pieces around them, run together at random so that
    // keywords meet inside words ("xDim "), overlap ("Public Const "), stand at the very start or
    // end, or lose their blank.
    const std::vector<std::string> pieces = {
        "ReDim ", "Dim ",     "Public ",  "Property ", "Const ", "Private ", "Global ", "Static ", "Type ",
        "Sub ",   "Preserve ", "Function ", "Declare ", "Dim",   "Const",    "Publi",   "m ",      "e ",
        "x",      " ",        "a, b",     "()",       "(1)",    " = 5",     "' Dim ",  "\"'\" ",  "\t"};
    int declaring = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string statement;
        for (int n = static_cast<int>(random() % 7); n > 0; --n) statement += pieces[random() % pieces.size()];
        bool isConst = false, plainIsConst = false;
        const std::string_view names = declaredNamesText(statement, isConst);
        const std::string_view plain = plainDeclaredNamesText(statement, plainIsConst);
        ASSERT_EQ(names, plain) << "'" << statement << "'";
        ASSERT_EQ(names.data() == plain.data() || names.empty(), true) << "'" << statement << "'";
        ASSERT_EQ(isConst, plainIsConst) << "'" << statement << "'";
        declaring += !names.empty();
    }
    EXPECT_GT(declaring, 2000);  // the rounds did meet declarations
}

// The names of a parameter list (or a statement without constants and bounds) read item by item as
// the rule is worded: the type after the first " as " in any case, the parameter words taken off in
// their order, a type character, the bounds.
struct PlainItem {
    std::string name;
    bool typed;
};
std::vector<PlainItem> plainItems(std::string_view names) {
    std::vector<PlainItem> items;
    for (std::string_view part : splitOutsideLiterals(names, ',')) {
        std::string_view item = trimView(part);
        if (item.empty()) continue;
        if (const std::size_t eq = item.find('='); eq != std::string_view::npos)
            item = trimView(item.substr(0, eq));
        const std::size_t as = findIgnoreCase(item, " as ");
        bool typed = as != std::string_view::npos;
        if (typed) item = trimView(item.substr(0, as));
        for (std::string_view word : {"WithEvents ", "Optional ", "ByRef ", "ByVal ", "ParamArray "})
            if (startsWith(item, word)) item = trimView(item.substr(word.size()));
        if (!typed && !item.empty() && std::string_view("%&!#@$").find(item.back()) != std::string_view::npos)
            typed = true;
        item = trimView(item.substr(0, item.find('(')));
        if (!item.empty()) items.push_back({std::string(item), typed});
    }
    return items;
}

// Parameter lists built from pieces that test where " as " is found (any case, at the ends, inside
// names, doubled blanks, tabs, high bytes) and which names lose a parameter word. (Bounds are
// taken out before the items are read; that is tested with the declarations.)
TEST(DeclaredNames, ItemsSplitAsTheRuleIsWorded) {
    std::mt19937 random(11);
    const std::vector<std::string_view> pieces = {
        "x", " As ",   " AS ",   " aS ",  " as",       "as ", "As",          "  as  ",  "\tAs ",       "Long",
        ",", "ByVal ", "ByRef ", "Bytes", "Optional ", "Opt", "ParamArray ", "Private", "WithEvents ", "W",
        "$", " ",      "\xC1s ", "\xE1",  "s ",        "a",   "_as_",        "Byte"};
    const NameOwner owner{"modA.bas", "Handler", 0};
    int typedNames = 0, untypedNames = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string list;
        for (int n = static_cast<int>(random() % 8); n > 0; --n) list += pieces[random() % pieces.size()];
        const std::string header = "Sub Handler(" + list + ")";
        GatheredRows rows;
        const DeclaredNames split = splitDeclaredNames(rows, header, true, owner);
        const std::vector<PlainItem> plain = plainItems(paramSpanOf(header).inside(header));
        ASSERT_EQ(split.names.size(), plain.size()) << "'" << list << "'";
        std::vector<std::string> untyped;
        for (std::size_t k = 0; k < plain.size(); ++k) {
            ASSERT_EQ(split.names[k], plain[k].name) << "'" << list << "'";
            if (!plain[k].typed) untyped.push_back(plain[k].name);
            plain[k].typed ? ++typedNames : ++untypedNames;
        }
        ASSERT_EQ(rows.decVar.size(), untyped.size()) << "'" << list << "'";
        for (std::size_t k = 0; k < untyped.size(); ++k)
            ASSERT_EQ(rows.decVar[k].name, untyped[k]) << "'" << list << "'";
    }
    EXPECT_GT(typedNames, 2000);
    EXPECT_GT(untypedNames, 2000);
}

// The unused-locals check splits a routine's declarations one after another into one result: nothing
// of a split may reach the next (names, constant flag, parameter text), and the rows are those of
// fresh splits.
TEST(DeclaredNames, ASplitIntoAReusedResultIsAFreshSplit) {
    struct Split {
        std::string_view statement;
        bool header;
    };
    const std::vector<Split> splits = {
        {"Const kFirst = \"a, b\", kSecondNameLongerThanFifteen As Long = 2", false},
        {"Private Sub Handler(ByVal aParameterNamedAtLength As Long, Optional b = 5)", true},
        {"x = 1", false},
        {"Dim a(1 To 3) As Long, bName, cStillAVeryLongLocalName$", false},
        {"Static onlyOne", false},
        {"Public Function NoParameters() As Long", true},
        {"Dim z", false},
    };
    const NameOwner owner{"modA.bas", "Handler", 0};
    GatheredRows freshRows, reusedRows;
    DeclaredNames reused;
    int constants = 0, parameterTexts = 0, nameless = 0;
    for (const Split& split : splits) {
        const DeclaredNames fresh = splitDeclaredNames(freshRows, split.statement, split.header, owner);
        splitDeclaredNames(reusedRows, split.statement, split.header, owner, reused);
        EXPECT_EQ(reused.names, fresh.names) << split.statement;
        EXPECT_EQ(reused.paramText, fresh.paramText) << split.statement;
        EXPECT_EQ(reused.isConst, fresh.isConst) << split.statement;
        constants += fresh.isConst, parameterTexts += !fresh.paramText.empty(), nameless += fresh.names.empty();
    }
    // Each thing that could be left behind was there to be left: a constant statement, a parameter
    // text and a split without names, each after one with.
    EXPECT_EQ(constants, 1);
    EXPECT_EQ(parameterTexts, 1);
    EXPECT_EQ(nameless, 2);
    ASSERT_EQ(reusedRows.decVar.size(), freshRows.decVar.size());
    for (std::size_t k = 0; k < freshRows.decVar.size(); ++k)
        EXPECT_EQ(reusedRows.decVar[k].name, freshRows.decVar[k].name) << k;
}

TEST(NameInterner, NumbersTextsInOrderOfFirstAppearance) {
    NameInterner names(2);
    EXPECT_EQ(names.intern("b"), 0);
    EXPECT_EQ(names.intern(""), 1);
    EXPECT_EQ(names.intern("b"), 0);
    EXPECT_EQ(names.intern(std::string("a\0b", 3)), 2);
    EXPECT_EQ(names.find(std::string("a\0c", 3)), -1);
    EXPECT_EQ(names.find("B"), -1);
    // Growing well past the room asked for keeps every id.
    for (int k = 0; k < 5000; ++k) names.intern("name" + std::to_string(k));
    EXPECT_EQ(names.size(), 5003);
    for (int k = 0; k < 5000; ++k) ASSERT_EQ(names.find("name" + std::to_string(k)), k + 3);
    EXPECT_EQ(names.text(4324), "name4321");
    EXPECT_EQ(names.text(2), std::string("a\0b", 3));
}

#ifndef _WIN32  // FIFOs are a POSIX file kind
TEST(FileBuffer, ReadsEachFileWholeAndNothingOfTheLastOne) {
    ScratchProject p;
    const std::string big = std::string(100000, 'x') + "\r\nend", small("ab\0c", 4);
    FileBuffer buffer;
    ASSERT_TRUE(buffer.read(p.writeFile("big.txt", big)));
    EXPECT_EQ(buffer.bytes(), big);
    ASSERT_TRUE(buffer.read(p.writeFile("small.txt", small)));
    EXPECT_EQ(buffer.bytes(), small);
    ASSERT_TRUE(buffer.read(p.writeFile("empty.txt", "")));
    EXPECT_EQ(buffer.bytes(), "");
    EXPECT_FALSE(buffer.read(p.pathOf("missing.txt")));
    EXPECT_EQ(buffer.bytes(), "");
    EXPECT_FALSE(buffer.read(std::string("bad\0path", 8)));
    EXPECT_FALSE(buffer.read(p.pathOf("")));  // a folder
    EXPECT_FALSE(buffer.read(""));
    // A pipe where a source was is refused at once rather than waited on.
    ASSERT_EQ(::mkfifo(p.pathOf("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(buffer.read(p.pathOf("pipe")));
}
#endif

}  // namespace tally::test
