#include "core/spell/WordList.h"

#include <gtest/gtest.h>

#include "FakeSpeller.h"
#include "support/TempDir.h"

namespace tally {

namespace {

TEST(WordList, ReadsWhatItSavesAndSkipsCommentsAndBlanks) {
    TempDir dir;
    const std::string path = dir.write("words.txt", "# product words\r\nHourglass\n\nTallyscan\r\nCaf\xE9");
    WordList words = readWordList(path);
    EXPECT_EQ(words, (WordList{"Caf\xE9", "Hourglass", "Tallyscan"}));
    const std::string saved = dir / "settings/words/list.txt";
    ASSERT_TRUE(saveWordList(saved, words).ok);
    EXPECT_EQ(dir.read("settings/words/list.txt"), "Caf\xE9\r\nHourglass\r\nTallyscan\r\n");
    EXPECT_EQ(readWordList(saved), words);
    EXPECT_TRUE(readWordList(dir / "missing.txt").empty());
    // Typed in a UTF-8 editor: both forms count; a word Windows-1252 cannot hold stays as typed.
    EXPECT_EQ(readWordList(dir.write("utf8.txt", "Lumi\xC3\xA8re\nz\xC5\x82oty\n")),
              (WordList{"Lumi\xC3\xA8re", "Lumi\xE8re", "z\xC5\x82oty"}));
}

TEST(WordList, EachProjectPathHasItsOwnFile) {
    const std::string a = wordListPath("/cfg", "/src/one/App.vbp");
    const std::string b = wordListPath("/cfg", "/src/two/App.vbp");
    EXPECT_NE(a, b);
    EXPECT_EQ(a, wordListPath("/cfg", "/src/one/App.vbp"));
    EXPECT_EQ(a.rfind("/cfg/words/App.vbp-", 0), 0u);
    EXPECT_EQ(a.size(), std::string("/cfg/words/App.vbp-12345678.txt").size());
}

TEST(WordList, ListedWordsAreCorrectWithoutAskingTheDictionary) {
    FakeSpeller inner;
    inner.offers["Hourglas"] = {"Hourglass"};
    WordList words{"Hourglas"};
    WordListSpeller speller(inner, words);
    EXPECT_TRUE(speller.suggest("Hourglas").words.empty());
    bool correct = false;
    EXPECT_EQ(speller.check("Hourglas", correct), SpellerStatus::Answered);
    EXPECT_TRUE(correct);
    EXPECT_TRUE(inner.asked.empty());
    EXPECT_EQ(speller.suggest("hourglas").words.size(), 0u);  // exact case only: asked the dictionary
    EXPECT_EQ(inner.asked.size(), 1u);
}

}  // namespace

}  // namespace tally
