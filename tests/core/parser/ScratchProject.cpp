#include "ScratchProject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "LiteralPasses.h"
#include "core/parser/CallPass.h"
#include "core/parser/UsagePass.h"

namespace tally::test {

ScratchProject::ScratchProject() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tallyscan-pass-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    m_dir = pattern;
    model.tree.add("", "project", "Project");
}

ScratchProject::~ScratchProject() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}

std::string ScratchProject::pathOf(std::string_view fileName) const {
    return m_dir + "/" + std::string(fileName);
}

void ScratchProject::writeFile(std::string_view fileName, std::string_view bytes) {
    std::ofstream out(pathOf(fileName), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

int ScratchProject::addFile(std::string_view fileName, std::string_view bytes) {
    writeFile(fileName, bytes);
    return addMissingFile(fileName);
}

int ScratchProject::addMissingFile(std::string_view fileName) {
    FileRec rec;
    rec.name = std::string(fileName.substr(0, fileName.find('.')));
    rec.path = pathOf(fileName);
    model.tree.add("project", rec.path, fileName);
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
    return ParseContext{model, *progressSink, cancel, m_versions, {}};
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

}  // namespace tally::test
