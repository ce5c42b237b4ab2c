#include "ScratchProject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "LiteralPasses.h"
#include "core/parser/CallPass.h"
#include "core/parser/DeclarationPass.h"
#include "core/parser/ParseDriver.h"
#include "core/parser/UsagePass.h"
#include "core/os/FileFacts.h"
#include "core/text/TextOps.h"
#include "support/TempDir.h"

namespace tally::test {

ScratchProject::ScratchProject() {
    m_dir = createUniqueFolder("tallyscan-pass-");
    if (m_dir.empty()) throw std::runtime_error("cannot create a temporary folder");
    model.tree.add("", "project", "Project", "proj");
    for (auto [key, text] : {std::pair{"forms", "Forms"},
                             {"modules", "Modules"},
                             {"classes", "Class Modules"},
                             {"controls", "User Controls"},
                             {"propshts", "Property Pages"},
                             {"properties", "Properties"},
                             {"allreference", "References"},
                             {"allobject", "Objects"},
                             {"alldlls", "DLLs"}})
        model.tree.add("project", key, text, "close", "open");
}

ScratchProject::~ScratchProject() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string ScratchProject::pathOf(std::string_view fileName) const {
    return m_dir + "/" + std::string(fileName);
}

std::string ScratchProject::writeFile(std::string_view fileName, std::string_view bytes) {
    std::string path = pathOf(fileName);
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int ScratchProject::addFile(std::string_view fileName, std::string_view bytes) {
    writeFile(fileName, bytes);
    return addMissingFile(fileName);
}

int ScratchProject::addMissingFile(std::string_view fileName) {
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
    return model.addFile(std::move(rec));
}

SubRec& ScratchProject::addRoutine(int slot, std::string_view name, std::string_view fileName, int kind) {
    SubRec rec;
    rec.name = std::string(name);
    rec.file = std::string(fileName);
    rec.kind = kind;
    return model.addRoutine(slot, std::move(rec));
}

VarRec& ScratchProject::addModuleVariable(std::string_view name, std::string_view scope,
                                          std::string_view fileName, bool isConst) {
    VarRec rec;
    rec.name = std::string(name);
    rec.scope = std::string(scope);
    rec.file = pathOf(fileName);
    rec.isConst = isConst;
    model.pubVar.push_back(std::move(rec));
    return model.pubVar.back();
}

ParseContext ScratchProject::context() {
    ParseContext c{model, *progressSink, cancel, versions, {}};
    c.codePage = codePage;
    c.calledByOrigins = &calledByOrigins;
    return c;
}

bool ScratchProject::runDeclarationPass() {
    model.reset();
    auto c = context();
    return tally::runDeclarationPass(c);
}
bool ScratchProject::runAllPasses() {
    model.reset();
    auto c = context();
    return !runParse(c).cancelled;
}
void ScratchProject::runCallPass() {
    auto c = context();
    tally::runCallPass(c);
}
void ScratchProject::runUsagePass() {
    auto c = context();
    tally::runUsagePass(c);
}
void ScratchProject::runLiteralCallPass() {
    auto c = context();
    literal::runCallPass(c);
}
void ScratchProject::runLiteralUsagePass() {
    auto c = context();
    literal::runUsagePass(c);
}

SubRec& ScratchProject::routine(int slot, std::string_view name) {
    for (SubRec& r : model.subs.at(static_cast<std::size_t>(slot)))
        if (r.name == name) return r;
    ADD_FAILURE() << "no routine " << name << " in slot " << slot;
    static SubRec none;
    return none;
}

const SubRec* ScratchProject::findRoutine(std::string_view name, int* slot) const {
    for (std::size_t s = 0; s < model.subs.size(); ++s)
        for (const SubRec& rec : model.subs[s])
            if (rec.name == name) {
                if (slot) *slot = static_cast<int>(s);
                return &rec;
            }
    return nullptr;
}

std::string ScratchProject::nodeText(std::string_view key) const {
    const TreeNode* node = model.tree.find(key);
    return node ? node->text.str() : std::string("<none>");
}

const TypeRec* ScratchProject::type(std::string_view name) const {
    for (const TypeRec& rec : model.types)
        if (rec.name == name) return &rec;
    return nullptr;
}

std::vector<std::string> ScratchProject::routineRows() const {
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

std::vector<std::string> names(const std::vector<VarRec>& rows) {
    std::vector<std::string> out;
    for (const VarRec& row : rows) out.push_back(row.name.str());
    return out;
}

std::vector<std::string> varRows(const std::vector<VarRec>& rows) {
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

std::vector<std::string> entriesOf(std::string_view list) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (std::size_t end = list.find('\x01'); end != std::string_view::npos; end = list.find('\x01', start)) {
        entries.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    if (start < list.size()) entries.emplace_back(list.substr(start));
    return entries;
}

std::string sourceText(std::initializer_list<std::string_view> lines, std::string_view ending) {
    std::string text;
    for (std::string_view line : lines) text.append(line).append(ending);
    return text;
}

std::string crlf(std::string_view text) {
    return replaceAll(text, "\n", "\r\n");
}

}  // namespace tally::test
