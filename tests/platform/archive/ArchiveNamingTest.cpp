// The pieces a zip run is made of that need no archive: wildcards, line ends, paths and the names
// entries get or are deleted by.

#include <gtest/gtest.h>

#include "platform/archive/ArchivePaths.h"
#include "platform/archive/EntryMatcher.h"
#include "platform/archive/EntryNaming.h"
#include "platform/archive/LineEnds.h"
#include "platform/archive/NamePattern.h"

namespace tally::archive {
namespace {

TEST(NamePattern, StarsAndQuestionMarksWithinOneName) {
    const struct {
        const char* pattern;
        std::string name;
        bool matches;
    } cases[] = {
        {"*.frm", "frmMain.frm", true}, {"*", "", true},         {"frm?ain.*", "frmMain.frm", true},
        {"*a*b", "xaxxab", true},       {"*.frm", "frmMain.frx", false}, {"?", "", false},
        {"a*c", "ab/c", false},         {"a?c", "a/c", false},
        // One "?" for one letter of a UTF-8 name, however many bytes it takes.
        {"Fenster?.frm", "Fenster\xc3\xa4.frm", true},
        // Windows names are the same file in any case; on POSIX these are two files.
#ifdef _WIN32
        {"*.FRM", "main.frm", true},
#else
        {"*.FRM", "main.frm", false},
#endif
        // A long run of stars against a near miss ends at once, not after an exponential search.
        {"*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(200, 'a'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    EXPECT_TRUE(hasWildcards("a?.bas"));
    EXPECT_FALSE(hasWildcards("a.bas"));
}

TEST(LineEnds, ConvertsOnlyWhatTheOptionNames) {
    EXPECT_EQ(changeLineEnds("a\r\nb\r\n\rc\n", LineEndChange::CrLfToLf), "a\nb\n\rc\n");
    EXPECT_EQ(changeLineEnds("a\nb\r\nc\n\n", LineEndChange::LfToCrLf), "a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(changeLineEnds("\n", LineEndChange::LfToCrLf), "\r\n");
    EXPECT_EQ(changeLineEnds("a\r\n", LineEndChange::None), "a\r\n");
    // Both options given: the files get Windows line ends.
    EXPECT_EQ(lineEndChangeFor(true, true), LineEndChange::LfToCrLf);
}

TEST(ArchivePaths, TidiesAndComparesFolders) {
    EXPECT_EQ(absoluteUnder(withSlashes("Forms\\..\\Main.frm"), "/p/proj"), "/p/proj/Main.frm");
    EXPECT_EQ(absoluteUnder("../../../../x", "/p"), "/x");
    EXPECT_EQ(absoluteUnder("/a/./b/", "/ignored"), "/a/b");
    EXPECT_EQ(folderOf("/a/b.frm"), "/a");
    EXPECT_EQ(folderOf("/b.frm"), "/");
    EXPECT_EQ(nameOf("/a/b.frm"), "b.frm");
    EXPECT_EQ(relativeInside("/p/proj/Forms/a.frm", "/p/proj"), "Forms/a.frm");
    EXPECT_EQ(relativeInside("/p/project2/a.frm", "/p/proj"), std::nullopt);
    EXPECT_EQ(relativeInside("/p/a", "/"), "p/a");
    EXPECT_EQ(commonFolder({"/p/proj/a.frm", "/p/lib/x.bas", "/p/proj/Forms/b.frm"}), "/p");
    EXPECT_EQ(commonFolder({"/a/x", "/b/y"}), "/");
    EXPECT_EQ(commonFolder({"/p/lib/x.bas"}), "/p/lib");
    EXPECT_EQ(withoutRoot("/p/a"), "p/a");
}

FoundFile found(const std::string& path) {
    return FoundFile{path, {}};
}

TEST(EntryNaming, NamesBelowTheBaseOrTheSharedFolderNeverWithDotDot) {
    const std::vector<FoundFile> files{found("/w/proj/Main.frm"), found("/w/proj/Forms/A.frm"),
                                       found("/w/lib/Util.bas")};
    EntryNaming bare = nameEntries(files, "/w/proj", false);
    ASSERT_EQ(bare.files.size(), 3u);
    EXPECT_EQ(bare.files[0].entryName, "Main.frm");
    EXPECT_EQ(bare.files[1].entryName, "A.frm");
    EXPECT_EQ(bare.files[2].entryName, "Util.bas");

    EntryNaming folders = nameEntries(files, "/w/proj/", true);
    ASSERT_EQ(folders.files.size(), 3u);
    // One file outside the base: every name starts from /w, which all three share, so the
    // archive extracts to the layout the project file refers to.
    EXPECT_EQ(folders.files[0].entryName, "proj/Main.frm");
    EXPECT_EQ(folders.files[1].entryName, "proj/Forms/A.frm");
    EXPECT_EQ(folders.files[2].entryName, "lib/Util.bas");
    EXPECT_TRUE(folders.notes.empty());
    // All inside: names start from the base.
    EntryNaming inside = nameEntries({files[0], files[1]}, "/w/proj", true);
    EXPECT_EQ(inside.files[0].entryName, "Main.frm");
    EXPECT_EQ(inside.files[1].entryName, "Forms/A.frm");
}

TEST(EntryNaming, TheLaterOfTwoFilesWithOneNameWinsAndIsReported) {
    EntryNaming naming = nameEntries({found("/a/x.bas"), found("/a/y.bas"), found("/b/x.bas")}, "/a", false);
    ASSERT_EQ(naming.files.size(), 2u);
    EXPECT_EQ(naming.files[0].entryName, "x.bas");
    EXPECT_EQ(naming.files[0].file.path, "/b/x.bas");
    EXPECT_EQ(naming.files[1].entryName, "y.bas");
    ASSERT_EQ(naming.notes.size(), 1u);
    EXPECT_NE(naming.notes[0].find("/b/x.bas replaces /a/x.bas"), std::string::npos);
    // The archiver refuses such a run: the clash names both files.
    ASSERT_EQ(naming.clashes.size(), 1u);
    EXPECT_EQ(naming.clashes[0], "x.bas (/a/x.bas and /b/x.bas)");
}

TEST(EntryNaming, FolderEntriesOutermostFirstWithTheirFolders) {
    const NamedFile named{found("/p/A/B/c.frm"), "A/B/c.frm"};
    const std::vector<FolderEntry> entries = folderEntriesOf(named);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].entryName, "A/");
    EXPECT_EQ(entries[0].folderPath, "/p/A");
    EXPECT_EQ(entries[1].entryName, "A/B/");
    EXPECT_EQ(entries[1].folderPath, "/p/A/B");
    EXPECT_TRUE(folderEntriesOf(NamedFile{found("/p/c.frm"), "c.frm"}).empty());
}

TEST(EntryMatcher, MatchesTheNamesAddingWouldHaveGiven) {
    MatchRules bare{"/p", false, false, false};
    EXPECT_TRUE(EntryMatcher("Forms\\A.frm", bare).matches("A.frm"));
    EXPECT_FALSE(EntryMatcher("Forms\\A.frm", bare).matches("Forms/A.frm"));
    EXPECT_TRUE(EntryMatcher("*.frm", bare).matches("B.frm"));
    EXPECT_FALSE(EntryMatcher("*.frm", bare).matches(".hidden.frm"));

    MatchRules folders{"/p", true, false, false};
    EXPECT_TRUE(EntryMatcher("Forms/*.frm", folders).matches("Forms/A.frm"));
    EXPECT_FALSE(EntryMatcher("Forms/*.frm", folders).matches("Forms/Sub/A.frm"));
    EXPECT_FALSE(EntryMatcher("Forms/*.frm", folders).matches("A.frm"));
    EXPECT_TRUE(EntryMatcher("/p/Main.frm", folders).matches("Main.frm"));
    // A plain name also stands for the folder of that name.
    EXPECT_TRUE(EntryMatcher("Forms", folders).matches("Forms/A.frm"));
    EXPECT_TRUE(EntryMatcher("Forms", folders).matches("Forms/"));
    EXPECT_FALSE(EntryMatcher("Forms", folders).matches("Forms/Sub/A.frm"));
    // Outside the base folder: the closing part of the folder.
    EXPECT_TRUE(EntryMatcher("../lib/Util.bas", folders).matches("lib/Util.bas"));
    EXPECT_TRUE(EntryMatcher("../lib/Util.bas", folders).matches("Util.bas"));
    EXPECT_FALSE(EntryMatcher("../lib/Util.bas", folders).matches("other/Util.bas"));

    MatchRules deep{"/p", true, true, false};
    EXPECT_TRUE(EntryMatcher("Forms/*.frm", deep).matches("Forms/Sub/A.frm"));
    EXPECT_FALSE(EntryMatcher("*.frm", deep).matches(".git/A.frm"));
    EXPECT_TRUE(EntryMatcher("*.frm", MatchRules{"/p", true, true, true}).matches(".git/A.frm"));
}

}  // namespace
}  // namespace tally::archive
