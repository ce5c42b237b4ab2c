#include "core/model/ProjectModel.h"

#include <algorithm>

namespace tally {

int ProjectModel::subCount(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(subs.size())) return 0;
    return static_cast<int>(subs[slot].size());
}

int ProjectModel::largestSlotCount() const {
    std::size_t largest = 0;
    std::size_t slots = std::min(subs.size(), files.size());
    for (std::size_t slot = 0; slot < slots; ++slot) largest = std::max(largest, subs[slot].size());
    return static_cast<int>(largest);
}

void ProjectModel::reset() {
    controls.clear();
    decVar.clear();
    unVar.clear();
    pubVar.clear();
    types.clear();
    marks.clear();
    spell.clear();
    subs.assign(files.size(), {});
}

void ProjectModel::clear() {
    *this = ProjectModel{};
}

int ProjectModel::addFile(FileRec rec) {
    if (files.empty()) {
        files.emplace_back();
        subs.resize(1);
    }
    files.push_back(std::move(rec));
    subs.resize(files.size());
    return static_cast<int>(files.size()) - 1;
}

int ProjectModel::fileRowOf(std::string_view path) const {
    for (std::size_t row = 1; row < files.size(); ++row)
        if (files[row].path == path) return static_cast<int>(row);
    return 0;
}

SubRec& ProjectModel::addRoutine(int slot, SubRec rec) {
    if (slot >= static_cast<int>(subs.size())) subs.resize(slot + 1);
    subs[slot].push_back(std::move(rec));
    return subs[slot].back();
}

std::vector<TypeRec>& ProjectModel::ensureTypes() {
    if (types.empty()) types.push_back(TypeRec{std::string(kNoTypeName), kTypeUnknown, 0});
    return types;
}

}  // namespace tally
