#pragma once
// A small project on disk for the parser tests: source files in a temporary folder, a model with
// their Files rows and the tree as the project reader leaves it, and a progress sink that records.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/ProjectModel.h"
#include "core/parser/ParseContext.h"

namespace tally::test {

// Source text with "\n" line ends turned into CR LF, as the development environment writes them.
std::string crlf(std::string_view text);

class RecordingProgress final : public ParseProgress {
public:
    void setFileLabel(std::string_view text) override {
        fileLabels.emplace_back(text);
        if (onFileLabel) onFileLabel(text);
    }
    void setLineLabel(std::string_view) override {}
    void setRange(long long minimum, long long maximum) override {
        rangeMin = minimum;
        rangeMax = maximum;
    }
    void setValue(long long value) override {
        values.push_back(value);
        if (onValue) onValue(value);
    }

    std::vector<std::string> fileLabels;
    std::vector<long long> values;
    long long rangeMin = -1, rangeMax = -1;
    std::function<void(long long)> onValue;
    std::function<void(std::string_view)> onFileLabel;
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

class ParserTestProject {
public:
    ParserTestProject();
    ~ParserTestProject();
    ParserTestProject(const ParserTestProject&) = delete;
    ParserTestProject& operator=(const ParserTestProject&) = delete;

    // Writes a file into the project folder (bytes as given) and returns its path.
    std::string write(std::string_view fileName, std::string_view bytes);
    // Writes a source file (line ends as given) and registers it: a Files row and a tree node under
    // the folder of its kind, keyed by its path. Returns the Files row.
    int add(std::string_view fileName, std::string_view bytes);
    // Registers a file that does not exist.
    int addMissing(std::string_view fileName);

    // Runs the declaration pass; false when it was cancelled.
    bool run();

    std::string pathOf(std::string_view fileName) const { return m_dir + "/" + std::string(fileName); }
    // The routine of that name in any slot, or nullptr; `slot` receives its slot.
    const SubRec* routine(std::string_view name, int* slot = nullptr) const;
    // A tree node's text, or "<none>".
    std::string nodeText(std::string_view key) const;
    const TypeRec* type(std::string_view name) const;
    std::vector<std::string> names(const std::vector<VarRec>& rows) const;
    // Every routine as "slot:name kind scope returnType (params) lines problems", with " event"
    // appended for event routines and " old" for old-style ones; slots in order.
    std::vector<std::string> routineRows() const;
    // Every row as "name|scope|file|ownerKind", with "|const", "|commented" and "|notype" appended
    // when set.
    static std::vector<std::string> varRows(const std::vector<VarRec>& rows);

    ProjectModel model;
    RecordingProgress progress;
    CancelFlag cancel{false};
    MapVersions versions;
    NumberLocale locale;

private:
    std::string m_dir;
};

}  // namespace tally::test
