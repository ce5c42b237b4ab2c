#pragma once
// Builds small analysed models by hand for the review tests: files with tree nodes keyed by path,
// routines in their slots, variables, types and controls.

#include <string>

#include "core/model/ProjectModel.h"

namespace tally::testing {

class ReviewModelBuilder {
public:
    ReviewModelBuilder() { m_model.tree.add("", "project", "Project", "proj"); }

    // Adds a file under /p/ with its tree node; returns its row.
    int file(const std::string& fileName) {
        std::string path = "/p/" + fileName;
        m_model.tree.add("project", path, fileName);
        return m_model.addFile(FileRec{fileName, path});
    }

    SubRec& routine(int slot, const std::string& name, int kind, const std::string& file, int scope = kScopePrivate,
                    int timesCalled = 1, int lineCount = 3) {
        SubRec r;
        r.name = name;
        r.kind = kind;
        r.file = file;
        r.scope = scope;
        r.timesCalled = timesCalled;
        r.lineCount = lineCount;
        r.returnType = (kind == kKindFunction || kind == kKindPropertyGet) ? "Long" : "N/A";
        return m_model.addRoutine(slot, r);
    }

    VarRec& decVar(const std::string& name, const std::string& scope, const std::string& file) {
        m_model.decVar.push_back(VarRec{.name = name, .scope = scope, .file = file});
        return m_model.decVar.back();
    }

    VarRec& unVar(const std::string& name, const std::string& scope, const std::string& file) {
        m_model.unVar.push_back(VarRec{.name = name, .scope = scope, .file = file});
        return m_model.unVar.back();
    }

    void control(const std::string& name, int kind = kControlDesigner) { m_model.controls.push_back({name, kind}); }

    ProjectModel& model() { return m_model; }

private:
    ProjectModel m_model;
};

}  // namespace tally::testing
