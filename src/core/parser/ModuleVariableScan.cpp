#include "core/parser/ModuleVariableScan.h"

#include "core/parser/PublicVariableSweep.h"
#include "core/parser/TypeSuffixSplit.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
std::vector<std::string_view> bareNames(const std::vector<VarRec>& rows) {
    std::vector<std::string_view> names;
    names.reserve(rows.size());
    for (const VarRec& row : rows) names.push_back(splitTypeSuffix(row.name).stem);
    return names;
}
}  // namespace

ModuleVariableScan::ModuleVariableScan(ProjectModel& model)
    : m_model(model),
      m_forward(NameTrie::Direction::Forward, bareNames(model.pubVar)),
      m_backward(NameTrie::Direction::Backward, m_forward) {
    const std::vector<VarRec>& pubVar = model.pubVar;
    m_rows.reserve(pubVar.size());
    for (std::size_t r = 0; r < pubVar.size(); ++r) {
        TypeSuffixSplit split = splitTypeSuffix(pubVar[r].name);
        bool isPrivate = isPrivateModuleScope(pubVar[r].scope);
        m_rows.push_back({m_forward.idsOfGivenNames()[r], split.suffix, isPrivate});
        if (isPrivate) m_privateRowsByPath[pubVar[r].file.str()].push_back(r);
    }
    m_filesUsingName.assign(static_cast<std::size_t>(m_forward.size()), 0);
    m_ownFilesNotUsing.assign(pubVar.size(), 0);
    m_usedInOwnFile.assign(pubVar.size(), 0);
}

ModuleVariableScan::Search::Search(const ModuleVariableScan& scan)
    : m_scan(scan),
      m_occurrences(scan.m_forward, scan.m_backward),
      m_resultKnown(static_cast<std::size_t>(scan.m_forward.size()), 0),
      m_resultUsed(m_resultKnown.size(), 0),
      m_resultComment(m_resultKnown.size(), 0) {}

void ModuleVariableScan::Search::run(std::string_view text, std::string_view path, FileVariableUses& uses) {
    uses.namesUsed.clear();
    uses.ownRows.clear();
    m_occurrences.index(text);
    for (int id : m_occurrences.namesFound()) {
        auto result = m_occurrences.findUse(id);
        auto k = static_cast<std::size_t>(id);
        m_resultKnown[k] = 1;
        m_resultUsed[k] = result.used;
        m_resultComment[k] = result.seenInComment;
        if (result.used) uses.namesUsed.push_back(id);
    }

    auto own = m_scan.m_privateRowsByPath.find(std::string(path));
    if (own != m_scan.m_privateRowsByPath.end()) {
        for (std::size_t r : own->second) {
            const Row& row = m_scan.m_rows[r];
            auto k = static_cast<std::size_t>(row.name);
            ModuleVariableOccurrences::UseResult first;
            if (m_resultKnown[k])
                first = {m_resultUsed[k] != 0, m_resultComment[k] != 0};
            else
                first = m_occurrences.findUse(row.name);
            FileVariableUses::OwnRow found{r, first.used, false, first.seenInComment};
            if (!first.used && row.suffix != 0) {
                // Written with its type character, the key " N$ " may find what " N " did not.
                auto again = m_occurrences.findUse(row.name, row.suffix);
                found.commented = found.commented || again.seenInComment;
                found.usedAgain = again.used;
            }
            uses.ownRows.push_back(found);
        }
    }

    for (int id : m_occurrences.namesFound()) m_resultKnown[static_cast<std::size_t>(id)] = 0;
}

void ModuleVariableScan::takeIn(const FileVariableUses& uses) {
    ++m_scans;
    for (int id : uses.namesUsed) ++m_filesUsingName[static_cast<std::size_t>(id)];
    for (const FileVariableUses::OwnRow& own : uses.ownRows) {
        const std::size_t r = own.row;
        if (own.used) {
            m_usedInOwnFile[r] = 1;
            continue;
        }
        ++m_ownFilesNotUsing[r];
        if (own.usedAgain) {
            m_usedInOwnFile[r] = 1;
            continue;
        }
        const Row& row = m_rows[r];
        std::string name(m_forward.name(row.name));
        if (row.suffix != 0) name += row.suffix;
        const VarRec& var = m_model.pubVar[r];
        VarRec unused;
        // The row is named by the key " N " (or " N$ ") that was searched for, trimmed.
        unused.name = trim(" " + name + " ");
        unused.scope = var.scope;
        unused.isConst = var.isConst;
        unused.file = fileNameOf(var.file);
        unused.commented = own.commented;
        m_model.unVar.push_back(std::move(unused));
    }
}

void ModuleVariableScan::storeFilesNotUsing() {
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const Row& row = m_rows[r];
        int notUsing = m_scans - m_filesUsingName[static_cast<std::size_t>(row.name)];
        // A private variable is not counted against its own file.
        if (row.isPrivate) notUsing -= m_ownFilesNotUsing[r];
        m_model.pubVar[r].filesNotUsing += notUsing;
    }
}

}  // namespace tally
