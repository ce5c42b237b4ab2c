#include "platform/HunspellSpeller.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/SpellDictionaries.h"
#include "support/TempDir.h"

namespace tally {

namespace {

TEST(HunspellSpeller, TheUsDictionaryKnowsWordsAndSuggestsTheRightOneFirst) {
    auto english = findDictionary(dictionaryFolders("", ""), "en_US");
    ASSERT_TRUE(english) << "hunspell-en-us is a build dependency";
    HunspellSpeller speller(english->affixPath, english->dictionaryPath);
    ASSERT_TRUE(speller.loaded());
    bool correct = false;
    EXPECT_EQ(speller.check("receive", correct), SpellerStatus::Answered);
    EXPECT_TRUE(correct);
    EXPECT_TRUE(speller.suggest("receive").words.empty());
    SpellerSuggestions offered = speller.suggest("recieve");
    ASSERT_FALSE(offered.words.empty());
    EXPECT_EQ(offered.words.front(), "receive");
    // Numbers and signs, words with digits and words in capitals are not misspelled.
    for (const char* sign : {"-", "100", "\x80", "/100", "(1)", "frmGen11", "Win32", "CSV", "OK", "\xC9T\xC9"}) {
        EXPECT_EQ(speller.check(sign, correct), SpellerStatus::Answered);
        EXPECT_TRUE(correct) << sign;
        EXPECT_TRUE(speller.suggest(sign).words.empty()) << sign;
    }
    EXPECT_FALSE(speller.suggest("Csv").words.empty());
    EXPECT_EQ(speller.check("\xE9t\xE9x", correct), SpellerStatus::Answered);
    EXPECT_FALSE(correct);
    // Not words at all: taken as correct rather than handed to the library.
    EXPECT_EQ(speller.check(std::string(300, 'x'), correct), SpellerStatus::Failed);
}

TEST(HunspellSpeller, WindowsBytesGoInAndComeOutOfAUtf8Dictionary) {
    TempDir dir;
    const std::string aff = dir.write("t.aff", "SET UTF-8\nTRY aefé\nREP 1\nREP l ł\n");
    const std::string dic = dir.write("t.dic", "3\ncafé\nzłoty\nfare\n");
    HunspellSpeller speller(aff, dic);
    ASSERT_TRUE(speller.loaded());
    bool correct = false;
    EXPECT_EQ(speller.check("caf\xE9", correct), SpellerStatus::Answered);
    EXPECT_TRUE(correct);
    SpellerSuggestions offered = speller.suggest("caf\xE8");
    EXPECT_NE(std::find(offered.words.begin(), offered.words.end(), "caf\xE9"), offered.words.end());
    // "złoty" cannot be written into a Windows-1252 project: it is not offered.
    offered = speller.suggest("zloty");
    EXPECT_EQ(offered.status, SpellerStatus::Answered);
    EXPECT_TRUE(std::none_of(offered.words.begin(), offered.words.end(),
                             [](const std::string& w) { return w.rfind("z", 0) == 0; }));
}

TEST(HunspellSpeller, MissingOrBrokenFilesMakeABrokenDictionary) {
    TempDir dir;
    HunspellSpeller missing(dir / "none.aff", dir / "none.dic");
    EXPECT_FALSE(missing.loaded());
    EXPECT_EQ(missing.suggest("word").status, SpellerStatus::DictionaryBroken);
    bool correct = true;
    EXPECT_EQ(missing.check("word", correct), SpellerStatus::DictionaryBroken);
    EXPECT_FALSE(correct);
    HunspellSpeller garbage(dir.write("x.aff", "SET UTF-8\n"), dir.write("x.dic", std::string("\0\x01\x02", 3)));
    EXPECT_FALSE(garbage.loaded());
}

TEST(SpellDictionaries, FoldersAndTheDictionariesInThem) {
    const std::vector<std::string> folders = dictionaryFolders("/a:/b::", "/home/u");
    EXPECT_EQ(folders[0], "/a");
    EXPECT_EQ(folders[1], "/b");
    EXPECT_EQ(folders[2], "/home/u/.local/share/hunspell");
    TempDir one, two;
    one.write("de_DE.dic", "1\nHaus\n");
    one.write("de_DE.aff", "SET UTF-8\n");
    one.write("hyph_de_DE.dic", "ISO8859-1\n");  // a hyphenation file, without an .aff
    two.write("de_DE.dic", "1\nBaum\n");
    two.write("de_DE.aff", "SET UTF-8\n");
    two.write("en_GB.dic", "1\ncolour\n");
    two.write("en_GB.aff", "SET UTF-8\n");
    auto found = installedDictionaries({one / "", two / "", "/nonexistent"});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "de_DE");
    EXPECT_EQ(found[0].dictionaryPath.rfind(one / "", 0), 0u);
    EXPECT_EQ(found[1].name, "en_GB");
    EXPECT_TRUE(findDictionary({one / "", two / ""}, "en_GB"));
    EXPECT_FALSE(findDictionary({one / "", two / ""}, "fr_FR"));
    EXPECT_FALSE(findDictionary({one / "", two / ""}, "../x"));
}

}  // namespace

}  // namespace tally
