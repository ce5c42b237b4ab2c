#include "core/parser/GatheredRows.h"

#include <iterator>

namespace tally {

namespace {

void appendMoved(std::vector<VarRec>& to, std::vector<VarRec>& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    from.clear();
}

}  // namespace

bool GatheredRows::noteType(std::string_view typeText, bool isConst) {
    m_typeTexts.append(typeText);
    m_notes.push_back({m_typeTexts.size(), isConst});
    return TypeNotes::countsAsNoType(typeText, isConst);
}

void GatheredRows::append(GatheredRows& other) {
    appendMoved(decVar, other.decVar);
    appendMoved(unVar, other.unVar);
    appendMoved(pubVar, other.pubVar);
    const std::size_t offset = m_typeTexts.size();
    m_typeTexts.append(other.m_typeTexts);
    for (const Note& note : other.m_notes) m_notes.push_back({offset + note.end, note.isConst});
    other.m_typeTexts.clear();
    other.m_notes.clear();
}

void GatheredRows::moveInto(ProjectModel& model, TypeNotes& types) {
    appendMoved(model.decVar, decVar);
    appendMoved(model.unVar, unVar);
    appendMoved(model.pubVar, pubVar);
    std::size_t start = 0;
    const std::string_view texts = m_typeTexts;
    for (const Note& note : m_notes) {
        types.note(texts.substr(start, note.end - start), note.isConst);
        start = note.end;
    }
    m_typeTexts.clear();
    m_notes.clear();
}

}  // namespace tally
