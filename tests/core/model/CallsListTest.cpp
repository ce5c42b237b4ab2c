// Calls lists kept as numbers must read as the text the routines' callees make, in callee order,
// and compare equal to the same list read back as text.

#include <gtest/gtest.h>

#include <memory>

#include "core/model/CallsList.h"

namespace tally {

namespace {

// Callees 0..4 in three classes; group 0 calls classes 2 and 0, group 1 class 1, group 2 nothing.
std::shared_ptr<const CalleeTable> sampleTable() {
    auto table = std::make_shared<CalleeTable>();
    for (const char* entry : {"A - a.bas\x01", "Width - u1.ctl\x01", "B - b.bas\x01", "Width - u2.ctl\x01",
                              "C - c.cls\x01"}) {
        table->text += entry;
        table->offsets.push_back(table->text.size());
    }
    table->memberStart = {0, 2, 3, 5};  // class 0: Width u1, Width u2; class 1: B; class 2: A, C
    table->members = {1, 3, 2, 0, 4};
    table->classStart = {0, 2, 3, 3};
    table->classes = {2, 0, 1};
    return table;
}

}  // namespace

TEST(CallsList, ATableListReadsAsItsCalleesInCalleeOrderAndEqualsTheSameText) {
    auto table = sampleTable();
    const CallsList merged(table, 0);
    EXPECT_EQ(merged.text(), "A - a.bas\x01Width - u1.ctl\x01Width - u2.ctl\x01"
                             "C - c.cls\x01");
    EXPECT_FALSE(merged.empty());
    EXPECT_EQ(CallsList(table, 1), "B - b.bas\x01");
    // A group that calls nothing is the empty list, as a plain empty text is.
    const CallsList none(table, 2);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none, CallsList());

    // Read back from a scan file, the same list is plain text and still equal.
    const CallsList plain(merged.text());
    EXPECT_EQ(plain, merged);
    EXPECT_NE(plain, CallsList(table, 1));
    EXPECT_TRUE(merged.sameListAs(CallsList(table, 0)));
    EXPECT_FALSE(merged.sameListAs(plain));
    EXPECT_EQ("[" + CallsList(table, 1) + "]", "[B - b.bas\x01]");
}

}  // namespace tally
