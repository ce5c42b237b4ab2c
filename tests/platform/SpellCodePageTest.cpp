// The speller for projects in other code pages than Windows-1252: words go from the project's
// bytes to the dictionary's encoding and suggestions come back, and without a chosen dictionary the
// code page picks the language. Only en_US is a build dependency: the other dictionaries are made
// here, small, in the encodings such dictionaries come in.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "platform/HunspellSpeller.h"
#include "platform/SpellDictionaries.h"
#include "platform/SpellerChoice.h"
#include "support/TempDir.h"

namespace tally {

namespace {

constexpr int kCyrillic = 1251;
// "privet" (hello), "pirvet" (two letters swapped) and "PRIVET" in Windows-1251.
const std::string kHello = "\xEF\xF0\xE8\xE2\xE5\xF2";
const std::string kSwapped = "\xEF\xE8\xF0\xE2\xE5\xF2";
const std::string kHelloCapitals = "\xCF\xD0\xC8\xC2\xC5\xD2";

bool offers(const SpellerSuggestions& offered, const std::string& word) {
    return std::find(offered.words.begin(), offered.words.end(), word) != offered.words.end();
}

void expectRussian(HunspellSpeller& speller) {
    ASSERT_TRUE(speller.loaded());
    EXPECT_EQ(speller.codePage(), kCyrillic);
    bool correct = false;
    EXPECT_EQ(speller.check(kHello, correct), SpellerStatus::Answered);
    EXPECT_TRUE(correct);
    EXPECT_EQ(speller.check(kSwapped, correct), SpellerStatus::Answered);
    EXPECT_FALSE(correct);
    EXPECT_TRUE(offers(speller.suggest(kSwapped), kHello));
    // Words in capitals are taken as correct in every script that has them.
    EXPECT_EQ(speller.check(kHelloCapitals + "\xDB", correct), SpellerStatus::Answered);
    EXPECT_TRUE(correct);
}

void writeDictionary(const TempDir& dir, const std::string& name, const std::string& affix = "SET UTF-8\n") {
    dir.write(name + ".aff", affix);
    dir.write(name + ".dic", "1\nword\n");
}

}  // namespace

TEST(SpellCodePage, Windows1251WordsMeetDictionariesInUtf8Koi8AndTheirOwnPage) {
    // Dictionaries made on Windows name their page "microsoft-cp1251".
    const std::pair<std::string, std::string> dictionaries[] = {
        {"SET UTF-8\n", "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
        {"SET KOI8-R\n", "\xD0\xD2\xC9\xD7\xC5\xD4"},
        {"SET microsoft-cp1251\n", kHello}};
    for (const auto& [affix, word] : dictionaries) {
        SCOPED_TRACE(affix);
        TempDir dir;
        HunspellSpeller speller(dir.write("d.aff", affix), dir.write("d.dic", "1\n" + word + "\n"), kCyrillic);
        expectRussian(speller);
    }
}

TEST(SpellCodePage, SuggestionsTheProjectsPageCannotHoldAreLeftOut) {
    TempDir dir;
    const std::string aff = dir.write("t.aff", "SET UTF-8\nTRY l\xC5\x82\nREP 1\nREP l \xC5\x82\n");
    const std::string dic = dir.write("t.dic", "2\nz\xC5\x82oty\nzloto\n");
    // "zloty" has its Polish suggestion in 1250, none that 1251 or 1252 can write.
    HunspellSpeller polish(aff, dic, 1250);
    EXPECT_TRUE(offers(polish.suggest("zloty"), "z\xB3oty"));
    HunspellSpeller cyrillic(aff, dic, kCyrillic);
    EXPECT_FALSE(offers(cyrillic.suggest("zloty"), "z\xB3oty"));
    for (const std::string& word : cyrillic.suggest("zloty").words) EXPECT_EQ(word.find('\xB3'), std::string::npos);
    // A word the dictionary's encoding cannot hold ("z\xB3oty" to a KOI8-R one) is not judged.
    HunspellSpeller koi8(dir.write("koi.aff", "SET KOI8-R\n"), dir.write("koi.dic", "1\n\xD0\xD2\xC9\xD7\xC5\xD4\n"),
                         1250);
    bool correct = false;
    EXPECT_EQ(koi8.check("z\xB3oty", correct), SpellerStatus::Failed);
    EXPECT_EQ(koi8.suggest("z\xB3oty").status, SpellerStatus::Failed);
}

TEST(SpellCodePage, AsciiWordsOfAShiftJisProjectGoToTheUsDictionary) {
    auto english = findDictionary(dictionaryFolders("", ""), "en_US");
    ASSERT_TRUE(english) << "hunspell-en-us is a build dependency";
    HunspellSpeller speller(english->affixPath, english->dictionaryPath, 932);
    EXPECT_EQ(speller.codePage(), 932);
    SpellerSuggestions offered = speller.suggest("recieve");
    ASSERT_FALSE(offered.words.empty());
    EXPECT_EQ(offered.words.front(), "receive");
    // A code page without a codec is taken as Windows-1252.
    HunspellSpeller unknown(english->affixPath, english->dictionaryPath, 12345);
    EXPECT_EQ(unknown.codePage(), kCodePageWestern);
}

TEST(SpellCodePage, TheCodePagePicksTheFirstInstalledDictionaryOfItsLanguages) {
    TempDir first, second;
    writeDictionary(second, "uk_UA");
    writeDictionary(second, "bg_BG");
    writeDictionary(first, "hu_HU");
    second.write("ru_RU.aff", "SET KOI8-R\n");  // an affix file alone is no dictionary
    const std::vector<std::string> folders{first.path(), second.path()};
    EXPECT_EQ(defaultDictionaryFor(kCyrillic, folders), "uk_UA");
    EXPECT_EQ(defaultDictionaryFor(1250, folders), "hu_HU");
    EXPECT_EQ(defaultDictionaryFor(1253, folders), "en_US");
    EXPECT_EQ(defaultDictionaryFor(932, folders), "en_US");
    writeDictionary(second, "ru_RU");
    EXPECT_EQ(defaultDictionaryFor(kCyrillic, folders), "ru_RU");
}

TEST(SpellCodePage, OpeningWithoutAChoiceTakesTheCodePagesDictionaryOrTheUsOne) {
    // This machine's dictionaries: a Russian one only where one is installed, en_US otherwise.
    const std::string expected = defaultDictionaryFor(kCyrillic, dictionaryFolders());
    OpenedSpeller opened = openSpeller("", {}, kCyrillic);
    ASSERT_TRUE(opened.dictionary) << "hunspell-en-us is a build dependency";
    EXPECT_TRUE(opened.dictionaryPath.ends_with("/" + expected + ".dic")) << opened.dictionaryPath;
    EXPECT_EQ(dynamic_cast<HunspellSpeller&>(*opened.dictionary).codePage(), kCyrillic);
    EXPECT_EQ(opened.failure(), "");

    OpenedSpeller japanese = openSpeller("", {}, 932);
    ASSERT_TRUE(japanese.dictionary);
    EXPECT_TRUE(japanese.dictionaryPath.ends_with("/en_US.dic")) << japanese.dictionaryPath;
    EXPECT_EQ(dynamic_cast<HunspellSpeller&>(*japanese.dictionary).codePage(), 932);
    // A chosen dictionary is opened whatever the code page.
    OpenedSpeller chosen = openSpeller("no_SUCH", {}, kCyrillic);
    EXPECT_FALSE(chosen.dictionary);
}

}  // namespace tally
