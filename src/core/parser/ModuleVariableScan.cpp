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
      m_backward(NameTrie::Direction::Backward, bareNames(model.pubVar)),
      m_occurrences(m_forward, m_backward) {
    const std::vector<VarRec>& pubVar = model.pubVar;
    m_rows.reserve(pubVar.size());
    for (std::size_t r = 0; r < pubVar.size(); ++r) {
        TypeSuffixSplit split = splitTypeSuffix(pubVar[r].name);
        bool isPrivate = isPrivateModuleScope(pubVar[r].scope);
        m_rows.push_back({m_forward.idsOfGivenNames()[r], split.suffix, isPrivate});
        if (isPrivate) m_privateRowsByPath[pubVar[r].file.str()].push_back(r);
    }
    const auto names = static_cast<std::size_t>(m_forward.size());
    m_filesUsingName.assign(names, 0);
    m_resultKnown.assign(names, 0);
    m_resultUsed.assign(names, 0);
    m_resultComment.assign(names, 0);
    m_ownFilesNotUsing.assign(pubVar.size(), 0);
    m_usedInOwnFile.assign(pubVar.size(), 0);
}

void ModuleVariableScan::scanFile(std::string_view text, std::string_view path) {
    ++m_scans;
    m_occurrences.index(text);
    for (int id : m_occurrences.namesFound()) {
        auto result = m_occurrences.findUse(id);
        auto k = static_cast<std::size_t>(id);
        m_resultKnown[k] = 1;
        m_resultUsed[k] = result.used;
        m_resultComment[k] = result.seenInComment;
        if (result.used) ++m_filesUsingName[k];
    }

    auto own = m_privateRowsByPath.find(std::string(path));
    if (own != m_privateRowsByPath.end()) {
        for (std::size_t r : own->second) {
            const Row& row = m_rows[r];
            auto k = static_cast<std::size_t>(row.name);
            ModuleVariableOccurrences::UseResult first;
            if (m_resultKnown[k])
                first = {m_resultUsed[k] != 0, m_resultComment[k] != 0};
            else
                first = m_occurrences.findUse(row.name);
            if (first.used) {
                m_usedInOwnFile[r] = 1;
                continue;
            }
            ++m_ownFilesNotUsing[r];
            bool commented = first.seenInComment;
            std::string name(m_forward.name(row.name));
            if (row.suffix != 0) {
                // Written with its type character, the key " N$ " may find what " N " did not.
                auto again = m_occurrences.findUse(row.name, row.suffix);
                commented = commented || again.seenInComment;
                if (again.used) {
                    m_usedInOwnFile[r] = 1;
                    continue;
                }
                name += row.suffix;
            }
            const VarRec& var = m_model.pubVar[r];
            VarRec unused;
            // The row is named by the key " N " (or " N$ ") that was searched for, trimmed.
            unused.name = trim(" " + name + " ");
            unused.scope = var.scope;
            unused.isConst = var.isConst;
            unused.file = fileNameOf(var.file);
            unused.commented = commented;
            m_model.unVar.push_back(std::move(unused));
        }
    }

    for (int id : m_occurrences.namesFound()) m_resultKnown[static_cast<std::size_t>(id)] = 0;
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
