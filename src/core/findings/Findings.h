#pragma once
// The review lists that report problems, as findings a build pipeline can fail on, show and
// remember: one rule per list (TS6001 to TS6005), one finding per row, each with a fingerprint that
// names it by what it is (list, file, routine, name) rather than where it is, so that moving lines
// around does not make an old finding look new. All Routines and All Types are summaries, not
// findings.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/review/ReviewList.h"

namespace tally {

struct FindingRule {
    ReviewListId list;
    std::string_view id;          // "TS6001"
    std::string_view name;        // "NeverCalled": the rule's name in SARIF
    std::string_view shortText;   // one line
    std::string_view fullText;    // what it means and what to do
    std::string_view helpAnchor;  // the user guide's anchor for it
};

// The five rules in list order.
std::span<const FindingRule> findingRules();
// The rule of a list; null for All Routines and All Types.
const FindingRule* findingRuleOf(ReviewListId list);

enum class BaselineState { None, New, Unchanged };

struct Finding {
    const FindingRule* rule = nullptr;
    std::string file;      // the file name as the model's rows hold it
    int fileRow = 0;       // its row in Files; 0 when none has that name
    // What holds the name: the routine (or "Public", "Private") a variable is declared in; for a
    // routine its kind ("Sub Routine", "Property Let"), which tells a Property Get from its Let.
    std::string routine;
    std::string name;      // the routine's or variable's name
    std::string detail;    // the list's second column as shown ("Function", the owner, ...)
    bool checked = false;  // the row's check mark: reviewed by a person
    int slot = -1;         // a routine's place in Subs; -1 for variables
    int position = 0;
    int line = 0;          // the 1-based line of a routine's header, when found (0 otherwise)
    std::string fingerprint;
    BaselineState baseline = BaselineState::None;

    // Counts as reviewed: checked, or already in the baseline.
    bool reviewed() const { return checked || baseline == BaselineState::Unchanged; }
};

// The findings of `lists` (the finding lists among them; all five when empty), list by list in
// the rows' order, each with its fingerprint. Findings whose file `excluded` says so are left out.
std::vector<Finding> collectFindings(const ProjectModel& model, std::span<const ReviewListId> lists,
                                     const std::function<bool(int fileRow)>& excluded = {});

// The fingerprint of (rule, file, routine, name): file and names compared without ASCII case, as
// VB6 compares them; 16 hexadecimal digits. A second finding with the same four (two declarations
// of one name in one routine) gets "#2" appended, and so on.
std::string findingKey(std::string_view ruleId, std::string_view file, std::string_view routine,
                       std::string_view name);

// Marks each finding New or Unchanged: Unchanged when a finding of `baseline` has its fingerprint.
void applyBaseline(std::vector<Finding>& findings, const std::vector<Finding>& baseline);

// Fills `line` for routine findings from the files' texts; `readText` gives a file's bytes by its
// row (nothing when it cannot be read). Each file is read once.
void locateFindings(std::vector<Finding>& findings, const ProjectModel& model,
                    const std::function<std::optional<std::string>(int fileRow)>& readText);

}  // namespace tally
