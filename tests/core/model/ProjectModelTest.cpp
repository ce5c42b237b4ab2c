#include "core/model/ProjectModel.h"

#include <gtest/gtest.h>

namespace tally {

TEST(ProjectModel, FirstFileGoesToRowOneAndRowZeroStaysEmpty) {
    ProjectModel model;
    int row = model.addFile(FileRec{"modUtils", "/p/modUtils.bas", 1.0, 10, false});
    EXPECT_EQ(row, 1);
    EXPECT_EQ(model.fileCount(), 2);
    EXPECT_EQ(model.files[0], FileRec{});
    EXPECT_EQ(model.subs.size(), 2u);  // one slot per Files row
}

TEST(ProjectModel, FileRowOfComparesExactlyAndZeroMeansNotFound) {
    ProjectModel model;
    model.addFile(FileRec{"A", "/p/A.bas"});
    model.addFile(FileRec{"B", "/p/B.frm"});
    EXPECT_EQ(model.fileRowOf("/p/B.frm"), 2);
    EXPECT_EQ(model.fileRowOf("/p/b.frm"), 0);
    EXPECT_EQ(model.fileRowOf(""), 0);  // row 0's empty path is never a match
}

TEST(ProjectModel, ResetKeepsFilesAndTreeButEmptiesTheRest) {
    ProjectModel model;
    model.addFile(FileRec{"A", "/p/A.bas"});
    model.tree.add("", "project", "Project");
    model.addRoutine(1, SubRec{.name = "Foo"});
    model.pubVar.push_back(VarRec{.name = "x"});
    model.ensureTypes()[0].uses = 3;
    model.spell.push_back(SpellRow{.file = "A.bas"});
    model.reset();
    EXPECT_EQ(model.fileCount(), 2);
    EXPECT_TRUE(model.tree.contains("project"));
    EXPECT_EQ(model.largestSlotCount(), 0);
    EXPECT_EQ(model.subs.size(), 2u);
    EXPECT_TRUE(model.pubVar.empty());
    EXPECT_TRUE(model.types.empty());
    EXPECT_TRUE(model.spell.empty());
}

TEST(ProjectModel, TypesAreCreatedWithTheNoTypeRowOnce) {
    ProjectModel model;
    model.ensureTypes()[0].uses = 2;
    model.ensureTypes().push_back(TypeRec{"Long", kTypeVariable, 1});
    EXPECT_EQ(model.ensureTypes().size(), 2u);
    EXPECT_EQ(model.types[0].name, "No Type");
    EXPECT_EQ(model.types[0].uses, 2);
}

}  // namespace tally
