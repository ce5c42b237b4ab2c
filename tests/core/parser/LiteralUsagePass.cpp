#include <algorithm>
#include <string>
#include <vector>

#include "LiteralPasses.h"
#include "core/parser/CalledByList.h"
#include "core/text/TextOps.h"

namespace tally::literal {

namespace {

std::string fullPathOf(const ProjectTree& tree, const std::string& fileName) {
    for (const TreeNode* node : tree.additionOrder())
        if (fileName.empty() || node->key == fileName ||
            (endsWith(node->key, "\\" + fileName) || endsWith(node->key, "/" + fileName)))
            return node->key.str();
    return {};
}

void flagOwners(ParseContext& context, const std::vector<VarRec>& rows, int flag, long long& value) {
    ProjectModel& model = context.model;
    const std::size_t slots = std::min(model.subs.size(), model.files.size());
    for (const VarRec& u : rows) {
        ++value;
        std::size_t slot = static_cast<std::size_t>(model.fileRowOf(fullPathOf(model.tree, u.file.str())));
        bool found = false;
        if (slot < slots) {
            for (SubRec& r : model.subs[slot]) {
                if (r.name == u.scope && r.kind == u.ownerKind) {
                    if ((r.problems & flag) == 0) r.problems += flag;
                    found = true;
                    break;
                }
            }
        }
        if (!found && slots > 0) {
            for (SubRec& r : model.subs[0]) {
                ++value;
                if (r.name == u.scope && r.file == u.file && r.kind == u.ownerKind) {
                    if ((r.problems & flag) == 0) r.problems += flag;
                    break;
                }
            }
        }
        context.progress.setValue(value);
    }
}

}  // namespace

void runUsagePass(ParseContext& context) {
    ProjectModel& model = context.model;
    const long long files = static_cast<long long>(model.files.size());
    const long long vars = static_cast<long long>(model.unVar.size() + model.decVar.size());
    const long long maximum = 2 * files + vars + (model.subCount(0) - 1) * vars - 4;
    context.progress.setRange(0, std::max(0LL, maximum));
    long long value = 0;
    flagOwners(context, model.unVar, 2, value);
    flagOwners(context, model.decVar, 4, value);

    const std::size_t slots = std::min(model.subs.size(), model.files.size());
    for (std::size_t s = 0; s < slots; ++s) {
        for (SubRec& x : model.subs[s]) {
            if (x.calledBy.empty()) continue;
            std::vector<std::string> pairs = calledByPairs(x.calledBy);
            const std::size_t entries = pairs.size() / 2;
            for (std::size_t s2 = 0; s2 < slots; ++s2) {
                for (SubRec& y : model.subs[s2]) {
                    std::size_t count = 0;
                    if (y.timesCalled == 0 && y.kind < 24)
                        for (std::size_t k = 0; k < entries; ++k)
                            if (pairs[2 * k] == y.name && pairs[2 * k + 1] == y.file) ++count;
                    if (count == entries && x.kind < 24 && (x.problems & 16) == 0) x.problems += 16;

                    // Every place of the name counts; the caller is added once.
                    const std::string& calledBy = x.calledBy.str();
                    for (std::size_t p = calledBy.find(y.name); p != std::string::npos;
                         p = calledBy.find(y.name, p + 1)) {
                        std::size_t q = calledBy.find(y.file, p + 1);
                        std::size_t end = calledBy.find('\x01', p + 1);
                        if (end == std::string::npos) end = calledBy.size();
                        if (q != std::string::npos && q < end) {
                            y.calls = y.calls.text() + x.name + " - " + x.file + "\x01";
                            break;
                        }
                    }
                }
            }
        }
        context.progress.setValue(++value);
    }
}

}  // namespace tally::literal
