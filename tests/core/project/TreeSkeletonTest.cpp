#include "core/project/TreeSkeleton.h"

#include <gtest/gtest.h>

#include "core/project/TreeDump.h"

namespace tally {

TEST(TreeSkeleton, HoldsTheRootAndCategoriesAndOnRequestTheZeroCounters) {
    ProjectTree tree;
    tree.add({}, "stale", "left from the last project");
    buildTreeSkeleton(tree, false);
    EXPECT_EQ(dumpTree(tree), golden("skeleton.txt"));
    buildTreeSkeleton(tree, true);
    EXPECT_EQ(dumpTree(tree), golden("skeleton-counters.txt"));
}

}  // namespace tally
