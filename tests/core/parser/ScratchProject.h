#pragma once
// A project written to a temporary folder for the parser tests: source files on disk, their Files
// rows and tree nodes (under the folder of their kind, as the project reader leaves them), tables
// filled by hand, a progress sink that records what it is told, and runners for the passes.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/ParseContext.h"

namespace tally::test {

// Records every progress report as a text: "range 0 <max>", "file <label>", "line <label>",
// "value <n>", "hide". An optional hook sees each record as it is made.
class ProgressLog : public ParseProgress {
public:
    std::vector<std::string> events;
    std::function<void(const std::string&)> hook;

    void setFileLabel(std::string_view text) override { note("file " + std::string(text)); }
    void setLineLabel(std::string_view text) override { note("line " + std::string(text)); }
    void setRange(long long minimum, long long maximum) override {
        note("range " + std::to_string(minimum) + " " + std::to_string(maximum));
    }
    void setValue(long long value) override { note("value " + std::to_string(value)); }
    void hide() override { note("hide"); }

private:
    void note(std::string event) {
        events.push_back(std::move(event));
        if (hook) hook(events.back());
    }
};

// Versions by file name; unknown files have none.
class MapVersions final : public FileVersionSource {
public:
    std::string fileVersion(std::string_view file) const override {
        auto found = versions.find(std::string(file));
        return found == versions.end() ? std::string() : found->second;
    }
    std::map<std::string, std::string> versions;
};

class ScratchProject {
public:
    ScratchProject();
    ~ScratchProject();
    ScratchProject(const ScratchProject&) = delete;
    ScratchProject& operator=(const ScratchProject&) = delete;

    // The full path a file of this name gets.
    std::string pathOf(std::string_view fileName) const;
    // Writes (or rewrites) a file in the folder, adding no row; returns its path.
    std::string writeFile(std::string_view fileName, std::string_view bytes);
    // Writes the file, adds its Files row and its tree node (key = path); returns the row.
    int addFile(std::string_view fileName, std::string_view bytes);
    // Adds a Files row and tree node for a file that is not on disk.
    int addMissingFile(std::string_view fileName);

    // Appends a routine to a slot: slot 0 for project-wide routines, a file row for its own ones.
    SubRec& addRoutine(int slot, std::string_view name, std::string_view fileName, int kind = kKindSub);
    // Appends a module-level variable declared in `fileName`.
    VarRec& addModuleVariable(std::string_view name, std::string_view scope, std::string_view fileName,
                              bool isConst = false);

    // Clear the tables and run the declaration pass, or all three passes as a parse does; false when
    // cancelled.
    bool runDeclarationPass();
    bool runAllPasses();
    void runCallPass();
    void runUsagePass();
    void runLiteralCallPass();
    void runLiteralUsagePass();

    // The routine of a slot with that name (the first one); fails the test when there is none.
    SubRec& routine(int slot, std::string_view name);
    // The first routine of that name in any slot, or nullptr; `slot` receives its slot.
    const SubRec* findRoutine(std::string_view name, int* slot = nullptr) const;
    // A tree node's text, or "<none>".
    std::string nodeText(std::string_view key) const;
    const TypeRec* type(std::string_view name) const;
    // Every routine as "slot:name kind scope returnType (params) lines problems", with " event"
    // appended for event routines and " old" for old-style ones; slots in order.
    std::vector<std::string> routineRows() const;

    ProjectModel model;
    ProgressLog progress;
    // Where the passes report; the recorder unless a test points it elsewhere.
    ParseProgress* progressSink = &progress;
    CancelFlag cancel{false};
    MapVersions versions;
    // The code page the passes are told the sources are in.
    int codePage = kCodePageWestern;
    // What the call pass notes of its CalledBy entries for the usage pass, as in a parse.
    CalledByOrigins calledByOrigins;

private:
    ParseContext context();

    std::string m_dir;
};

// The names of the rows, in order.
std::vector<std::string> names(const std::vector<VarRec>& rows);
// Every row as "name|scope|file|ownerKind", with "|const", "|commented" and "|notype" appended when
// set.
std::vector<std::string> varRows(const std::vector<VarRec>& rows);

// The entries of a CalledBy or Calls text, without their code-1 terminators.
std::vector<std::string> entriesOf(std::string_view list);

// Source text from lines, each followed by `ending`.
std::string sourceText(std::initializer_list<std::string_view> lines, std::string_view ending = "\r\n");
// Source text with "\n" line ends turned into CR LF, as the development environment writes them.
std::string crlf(std::string_view text);

}  // namespace tally::test
