#include "core/parser/LineCounts.h"

#include "core/text/TextOps.h"

namespace tally {

LineClass classifyLine(std::string_view logical) {
    std::string_view t = trimView(logical);
    if (t.empty()) return LineClass::Blank;
    if (t.front() == '\'') return LineClass::Comment;
    return LineClass::Code;
}

bool countLogicalLine(std::string_view logical, bool inRoutineBody, LineCounts& counts) {
    return countTrimmedLine(trimView(logical), inRoutineBody, counts);
}

bool countTrimmedLine(std::string_view trimmed, bool inRoutineBody, LineCounts& counts) {
    if (trimmed.empty()) {
        if (inRoutineBody) ++counts.blank;
        return false;
    }
    if (trimmed.front() == '\'') {
        ++counts.comment;
        return false;
    }
    if (trimmed.find('\'') != std::string_view::npos) ++counts.comment;
    if (!inRoutineBody) return false;
    ++counts.code;
    return true;
}

}  // namespace tally
