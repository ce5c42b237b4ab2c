#include <string>
#include <vector>

#include "LiteralPasses.h"
#include "core/support/SourceLines.h"
#include "core/os/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally::literal {

namespace {

// Every routine header prefix: an optional scope word, then the kind of routine.
std::vector<std::string> headerPrefixes() {
    std::vector<std::string> prefixes;
    for (const char* kind : {"Function ", "Sub ", "Property Set ", "Property Let ", "Property Get "})
        for (const char* scope : {"", "Private ", "Public ", "Friend "})
            prefixes.push_back(std::string(scope) + kind);
    return prefixes;
}

std::string stripSuffix(std::string name, char* suffix = nullptr) {
    char c = name.empty() ? 0 : name.back();
    bool has = c == '$' || c == '!' || c == '#' || c == '%' || c == '&';
    if (suffix) *suffix = has ? c : 0;
    if (has) name.pop_back();
    return name;
}

bool isCalledOn(const std::string& line, const std::string& name) {
    return contains(line, name + "(") || contains(line, " " + name) || startsWith(line, name + " ") ||
           contains(line, "Call " + name) || contains(line, "." + name) || line == name;
}

std::size_t lineStartOf(const std::string& text, std::size_t pos) {
    if (pos < 2) return 0;
    std::size_t crlf = text.rfind("\r\n", pos - 2);
    return crlf == std::string::npos ? 0 : crlf + 2;
}

std::string prefixOf(const std::string& text, std::size_t pos) {
    std::size_t start = lineStartOf(text, pos);
    return start < text.size() ? text.substr(start, pos - start + 1) : std::string();
}

bool findUse(const std::string& text, const std::string& n, const std::string& key, bool& commented) {
    const std::string forms[] = {key, "(" + n + " ", " " + n + "(", " " + n + "\r\n", " " + n + ","};
    std::size_t anchor = std::string::npos;
    for (const std::string& form : forms) {
        anchor = text.find(form);
        if (anchor != std::string::npos) break;
    }
    if (anchor == std::string::npos) anchor = 0;
    std::string prefix = prefixOf(text, anchor);
    bool declaration = false;
    for (const char* word : {"Function ", "Sub ", "Dim ", "Private ", "Public ", "Static ", "Const "})
        declaration = declaration || contains(prefix, word);
    if (anchor != 0 && !contains(prefix, "'") && !declaration) return true;
    if (contains(prefix, "'")) commented = true;
    const std::string patterns[] = {key,
                                    " " + n + "\r\n",
                                    n + "(",
                                    n + ".",
                                    "(" + n + ",",
                                    n + ",",
                                    "(" + n,
                                    n + ")",
                                    " = " + n + " ",
                                    " = " + n + "\r\n",
                                    "\r\n" + n + " = "};
    for (const std::string& pattern : patterns) {
        for (std::size_t at = text.find(pattern, anchor + 1); at != std::string::npos;
             at = text.find(pattern, at + 1)) {
            if (!contains(prefixOf(text, at), "'")) return true;
            commented = true;
        }
    }
    return false;
}

bool isPrivate(const VarRec& v) {
    return startsWith(v.scope, "Private ");
}

void scanModuleVariables(ProjectModel& model, const std::string& text, const std::string& path,
                         std::vector<bool>& usedInOwnFile) {
    for (std::size_t r = 0; r < model.pubVar.size(); ++r) {
        VarRec& v = model.pubVar[r];
        char suffix = 0;
        std::string n = stripSuffix(v.name.str(), &suffix);
        bool commented = false;
        if (findUse(text, n, " " + n + " ", commented)) {
            if (isPrivate(v) && v.file == path) usedInOwnFile[r] = true;
            continue;
        }
        if (!isPrivate(v) || v.file != path) {
            ++v.filesNotUsing;
            continue;
        }
        std::string key = " " + n + " ";
        if (suffix) {
            key = " " + n + suffix + " ";
            if (findUse(text, n, key, commented)) {
                usedInOwnFile[r] = true;
                continue;
            }
        }
        model.unVar.push_back({.name = trim(key),
                               .scope = v.scope,
                               .file = fileNameOf(v.file),
                               .isConst = v.isConst,
                               .commented = commented});
    }
}

void sweep(ProjectModel& model, int f, const std::vector<bool>& usedInOwnFile) {
    for (const VarRec& v : model.pubVar) {
        if (startsWith(v.scope, "Public") && v.filesNotUsing == f) {
            model.unVar.push_back(
                {.name = v.name, .scope = v.scope, .file = fileNameOf(v.file), .isConst = v.isConst});
        }
    }
    auto used = [&](std::size_t r) {
        return isPrivate(model.pubVar[r]) ? usedInOwnFile[r] : model.pubVar[r].filesNotUsing != f;
    };
    for (VarRec& u : model.unVar)
        for (std::size_t r = 0; r < model.pubVar.size(); ++r)
            if (used(r) && u.name == model.pubVar[r].name) u.blank();
    for (VarRec& d : model.decVar) {
        for (std::size_t r = 0; r < model.pubVar.size(); ++r) {
            const VarRec& v = model.pubVar[r];
            bool candidate = startsWith(v.scope, "Public") || (isPrivate(v) && fileNameOf(v.file) == d.file);
            if (candidate && used(r) && d.name == v.name) {
                bool counted = d.countedAsNoType;
                d.blank();
                if (counted && !model.types.empty()) --model.types[0].uses;
            }
        }
    }
}

}  // namespace

void runCallPass(ParseContext& context) {
    ProjectModel& model = context.model;
    long long total = 0;
    for (const FileRec& file : model.files)
        if (fileExists(file.path)) total += fileLength(file.path);
    context.progress.setRange(0, total);
    long long running = 0;
    int processed = 0;
    std::vector<bool> usedInOwnFile(model.pubVar.size(), false);

    for (std::size_t i = 0; i < model.files.size(); ++i) {
        const std::string path = model.files[i].path;
        if (!fileExists(path)) continue;
        auto bytes = readFileBytes(path);
        if (!bytes) continue;
        const std::string fileName = fileNameOf(path);
        context.progress.setFileLabel("Part 2 of 3. Parsing " + fileName);
        ++processed;
        std::string routine, text, buffer;
        bool pending = false;
        int lineInRoutine = 0;
        long long physical = 0;
        const int row = model.fileRowOf(path);
        for (std::string_view rawView : splitLines(*bytes)) {
            if (context.cancelled()) return;
            std::string raw(rawView);
            ++physical;
            running += static_cast<long long>(raw.size());
            context.progress.setValue(running);
            text += raw + "\r\n";
            std::string line = trim(raw);
            if (endsWith(line, "_")) {
                buffer += " " + trim(line.substr(0, line.size() - 1));
                pending = true;
                continue;
            }
            if (pending) {
                line = buffer + " " + line;
                buffer.clear();
                pending = false;
            }
            ++lineInRoutine;
            context.progress.setLineLabel("Line " + std::to_string(physical));
            line = trim(line);
            if (line.empty() || line[0] == '\'') continue;
            bool matched = false;
            static const std::vector<std::string> headers = headerPrefixes();
            for (const std::string& prefix : headers) {
                if (!startsWith(line, prefix)) continue;
                const std::size_t length = prefix.size();
                matched = true;
                lineInRoutine = 0;
                std::size_t paren = line.find('(');
                routine = paren != std::string::npos && paren + 1 > length
                              ? stripSuffix(trim(line.substr(length - 1, paren - (length - 1))))
                              : std::string();
                break;
            }
            if (!matched && (startsWith(line, "End Sub") || startsWith(line, "End Function")))
                routine.clear();
            if (routine.empty()) continue;
            for (int slot : {row, 0}) {
                if (slot >= static_cast<int>(model.subs.size())) continue;
                for (SubRec& r : model.subs[static_cast<std::size_t>(slot)]) {
                    if (r.name.empty() || !isCalledOn(line, r.name) || r.name == routine ||
                        lineInRoutine == 0)
                        continue;
                    ++r.timesCalled;
                    r.calledBy += routine + " - " + fileName + " - " + std::to_string(lineInRoutine) + "\x01";
                }
            }
        }
        context.progress.setLineLabel("Please wait...");
        scanModuleVariables(model, text, path, usedInOwnFile);
    }
    sweep(model, processed, usedInOwnFile);
    context.progress.setValue(0);
}

}  // namespace tally::literal
