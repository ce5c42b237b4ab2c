// The call pass notes which caller made each entry of the CalledBy lists it writes; the usage pass
// relies on that to read a list as its callers, so every entry must name its own caller.

#include <gtest/gtest.h>

#include <cctype>
#include <string_view>

#include "GeneratedProject.h"
#include "ScratchProject.h"

namespace tally::test {

TEST(CalledByOrigins, EveryEntryOfEveryListStartsWithItsCallersText) {
    for (std::uint32_t seed : {3u, 8u}) {
        for (bool realistic : {false, true}) {
            ScratchProject project;
            generateProject(project, seed, {.files = 12, .realistic = realistic});
            project.runCallPass();
            const CalledByOrigins& origins = project.calledByOrigins;
            std::size_t lists = 0, entries = 0;
            for (const std::vector<SubRec>& slot : project.model.subs) {
                for (const SubRec& routine : slot) {
                    if (routine.calledBy.empty()) continue;
                    const std::uint32_t noted = origins.numberOf(routine.calledBy);
                    ASSERT_NE(noted, CalledByOrigins::kNotNoted) << routine.name;
                    ++lists;
                    std::string_view rest = routine.calledBy;
                    for (std::uint32_t caller : origins.callersOf(noted)) {
                        const std::string_view text = origins.callerText(caller);
                        ASSERT_EQ(rest.substr(0, text.size()), text);
                        rest.remove_prefix(text.size());
                        std::size_t digits = 0;
                        while (digits < rest.size() && std::isdigit(static_cast<unsigned char>(rest[digits])))
                            ++digits;
                        ASSERT_GT(digits, 0u);
                        ASSERT_EQ(rest.substr(digits, 1), "\x01");
                        rest.remove_prefix(digits + 1);
                        ++entries;
                    }
                    EXPECT_TRUE(rest.empty()) << routine.name;
                }
            }
            EXPECT_GT(entries, lists);
            // A text of the same bytes in another buffer is not a list the pass wrote.
            const SubRec* any = nullptr;
            for (const auto& slot : project.model.subs)
                for (const SubRec& r : slot)
                    if (!r.calledBy.empty()) any = &r;
            ASSERT_NE(any, nullptr);
            EXPECT_EQ(origins.numberOf(SharedText(any->calledBy.str())), CalledByOrigins::kNotNoted);
        }
    }
}

}  // namespace tally::test
