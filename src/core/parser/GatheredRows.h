#pragma once
// The variable rows and type texts that one stretch of the declaration pass finds, held apart from
// the model so that routines can be checked on worker threads and still join the model in file
// order: the tables come out the same however the work was shared.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/TypeNotes.h"

namespace tally {

class GatheredRows {
public:
    std::vector<VarRec> decVar, unVar, pubVar;

    // Notes a type text for the Types table, to be noted there when the rows join the model.
    // Returns what TypeNotes::note will return for it: whether it counts a "No Type" use.
    bool noteType(std::string_view typeText, bool isConst);

    // Appends the rows to the model's tables and notes the type texts in the order they came;
    // leaves this empty.
    void moveInto(ProjectModel& model, TypeNotes& types);
    // Appends the rows and type texts of `other`, which is left empty (its room kept): moving the two
    // into the model one after the other, or this alone afterwards, fills the same tables.
    void append(GatheredRows& other);

    bool empty() const { return decVar.empty() && unVar.empty() && pubVar.empty() && m_notes.empty(); }

private:
    struct Note {
        std::size_t end;  // the text ends at this offset of m_typeTexts
        bool isConst;
    };
    std::string m_typeTexts;
    std::vector<Note> m_notes;
};

}  // namespace tally
