#include "ParserTestProject.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "core/parser/DeclarationPass.h"
#include "core/project/FileFacts.h"
#include "core/text/TextOps.h"

namespace tally::test {

std::string crlf(std::string_view text) {
    return replaceAll(text, "\n", "\r\n");
}

ParserTestProject::ParserTestProject() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tally-parser-XXXXXX").string();
    if (::mkdtemp(pattern.data())) m_dir = pattern;
    ProjectTree& tree = model.tree;
    tree.add("", "project", "Project", "proj");
    for (auto [key, text] : {std::pair{"forms", "Forms"},
                             {"modules", "Modules"},
                             {"classes", "Class Modules"},
                             {"controls", "User Controls"},
                             {"propshts", "Property Pages"},
                             {"properties", "Properties"},
                             {"allreference", "References"},
                             {"allobject", "Objects"},
                             {"alldlls", "DLLs"}})
        tree.add("project", key, text, "close", "open");
}

ParserTestProject::~ParserTestProject() {
    std::error_code ignored;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ignored);
}

std::string ParserTestProject::write(std::string_view fileName, std::string_view bytes) {
    std::string path = pathOf(fileName);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int ParserTestProject::add(std::string_view fileName, std::string_view bytes) {
    write(fileName, bytes);
    return addMissing(fileName);
}

int ParserTestProject::addMissing(std::string_view fileName) {
    std::string path = pathOf(fileName);
    std::string extension = toLower(fileName.substr(fileName.rfind('.') + 1));
    std::string parent = extension == "frm"   ? "forms"
                         : extension == "cls" ? "classes"
                         : extension == "ctl" ? "controls"
                         : extension == "pag" ? "propshts"
                                              : "modules";
    std::string name(fileName.substr(0, fileName.rfind('.')));
    model.tree.add(parent, path, name + " (" + std::string(fileName) + ")", extension);
    FileRec rec{name, path, fileModifiedOle(path), static_cast<std::int32_t>(fileLength(path)), false};
    return model.addFile(rec);
}

bool ParserTestProject::run() {
    model.reset();
    ParseContext ctx{model, progress, cancel, versions, locale};
    return runDeclarationPass(ctx);
}

const SubRec* ParserTestProject::routine(std::string_view name, int* slot) const {
    for (std::size_t s = 0; s < model.subs.size(); ++s)
        for (const SubRec& rec : model.subs[s])
            if (rec.name == name) {
                if (slot) *slot = static_cast<int>(s);
                return &rec;
            }
    return nullptr;
}

std::string ParserTestProject::nodeText(std::string_view key) const {
    const TreeNode* node = model.tree.find(key);
    return node ? node->text : std::string("<none>");
}

const TypeRec* ParserTestProject::type(std::string_view name) const {
    for (const TypeRec& rec : model.types)
        if (rec.name == name) return &rec;
    return nullptr;
}

std::vector<std::string> ParserTestProject::names(const std::vector<VarRec>& rows) const {
    std::vector<std::string> out;
    for (const VarRec& row : rows) out.push_back(row.name);
    return out;
}

std::vector<std::string> ParserTestProject::routineRows() const {
    std::vector<std::string> out;
    for (std::size_t slot = 0; slot < model.subs.size(); ++slot)
        for (const SubRec& r : model.subs[slot]) {
            std::string row = std::to_string(slot) + ":" + r.name + " " + std::to_string(r.kind) + " " +
                              std::to_string(r.scope) + " " + r.returnType + " (" + r.params + ") " +
                              std::to_string(r.lineCount) + " " + std::to_string(r.problems);
            if (r.isEvent) row += " event";
            if (r.oldStyle) row += " old";
            out.push_back(row);
        }
    return out;
}

std::vector<std::string> ParserTestProject::varRows(const std::vector<VarRec>& rows) {
    std::vector<std::string> out;
    for (const VarRec& r : rows) {
        std::string row = r.name + "|" + r.scope + "|" + r.file + "|" + std::to_string(r.ownerKind);
        if (r.isConst) row += "|const";
        if (r.commented) row += "|commented";
        if (r.countedAsNoType) row += "|notype";
        out.push_back(row);
    }
    return out;
}

}  // namespace tally::test
