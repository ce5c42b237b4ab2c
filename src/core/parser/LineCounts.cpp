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
    switch (classifyLine(logical)) {
        case LineClass::Blank:
            if (inRoutineBody) ++counts.blank;
            return false;
        case LineClass::Comment:
            ++counts.comment;
            return false;
        case LineClass::Code:
            break;
    }
    if (logical.find('\'') != std::string_view::npos) ++counts.comment;
    if (!inRoutineBody) return false;
    ++counts.code;
    return true;
}

}  // namespace tally
