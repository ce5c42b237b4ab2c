#include "core/parser/LogicalLines.h"

#include "core/text/TextOps.h"

namespace tally {

bool LogicalLineJoiner::feedJoining(std::string_view raw, std::string_view& logical) {
    if (!raw.empty() && raw.back() == '_') {
        m_buffer.push_back(' ');
        m_buffer.append(trimView(raw.substr(0, raw.size() - 1)));
        m_continuing = true;
        return false;
    }
    if (!m_continuing) {
        logical = raw;
        return true;
    }
    // The joined text goes to a second buffer so that both keep their capacity from line to line.
    m_joined.assign(m_buffer);
    m_joined.push_back(' ');
    m_joined.append(trimView(raw));
    m_buffer.clear();
    m_continuing = false;
    logical = m_joined;
    return true;
}

void LogicalLineJoiner::reset() {
    m_buffer.clear();
    m_continuing = false;
}

}  // namespace tally
