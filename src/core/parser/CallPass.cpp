#include "core/parser/CallPass.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/os/FileBuffer.h"
#include "core/os/FileFacts.h"
#include "core/parser/CallMatcher.h"
#include "core/parser/CalledByLog.h"
#include "core/parser/FileScanWorker.h"
#include "core/parser/LineCursor.h"
#include "core/parser/LineLabel.h"
#include "core/parser/ModuleVariableScan.h"
#include "core/parser/PublicVariableSweep.h"
#include "core/parser/RowsByName.h"
#include "core/parser/TypeSuffixSplit.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// The length of the keywords that make `line` a routine header, or 0 when it is none. Headers are
// "Function ", "Sub " and "Property Set/Let/Get ", each alone or after "Private ", "Public " or
// "Friend ". No two of these keyword runs can begin the same line, so the first that fits is the one.
// `Static` headers are not among them: the routine before such a header simply continues.
std::size_t headerKeywordLength(std::string_view line) {
    std::size_t modifier = 0;
    for (std::string_view word :
         {std::string_view("Private "), std::string_view("Public "), std::string_view("Friend ")}) {
        if (line.substr(0, word.size()) == word) {
            modifier = word.size();
            break;
        }
    }
    const std::string_view rest = line.substr(modifier);
    for (std::string_view keyword :
         {std::string_view("Function "), std::string_view("Sub "), std::string_view("Property Set "),
          std::string_view("Property Let "), std::string_view("Property Get ")}) {
        if (rest.substr(0, keyword.size()) == keyword) return modifier + keyword.size();
    }
    return 0;
}

// The routine a header line starts: the text between the keywords and the first "(", trimmed and
// without a type-declaration character, so that `Total = 1.5` inside `Function Total#()` reads as the
// function setting its result rather than calling itself. Empty when the header has no "(".
std::string routineNameOf(std::string_view line, std::size_t keywordLength) {
    std::size_t paren = line.find('(');
    if (paren == std::string_view::npos || paren < keywordLength) return {};
    std::string_view name = trimView(line.substr(keywordLength - 1, paren - (keywordLength - 1)));
    return std::string(splitTypeSuffix(name).stem);
}

// The slots that can be a file's own: those of the Files rows (slot 0 when a file is not found).
std::size_t ownSlotCount(const ProjectModel& model) {
    return std::max<std::size_t>(1, std::min(model.subs.size(), model.files.size()));
}

// The names of the routines of those slots, slot after slot.
std::vector<std::string_view> routineNames(const ProjectModel& model) {
    std::vector<std::string_view> names;
    const std::size_t slots = std::min(model.subs.size(), ownSlotCount(model));
    for (std::size_t slot = 0; slot < slots; ++slot)
        for (const SubRec& routine : model.subs[slot]) names.push_back(routine.name);
    return names;
}

class CallPassRun {
public:
    explicit CallPassRun(ParseContext& context)
        : m_context(context),
          m_model(context.model),
          m_matcher(routineNames(context.model)),
          m_variables(context.model),
          m_fileRows(static_cast<std::size_t>(m_matcher.names().size())),
          m_calledBy(context.model) {
        // With a second thread the variable scan of each file runs beside the call search of the next.
        if (context.threads > 1)
            m_variableScans = std::make_unique<FileScanWorker>(
                [this](std::string_view text, const std::string& path) { m_variables.scanFile(text, path); });
        // The matcher's name ids of slot s are ids[m_slotStart[s], m_slotStart[s + 1]).
        const std::size_t slots = std::min(m_model.subs.size(), ownSlotCount(m_model));
        m_slotStart.assign(1, 0);
        for (std::size_t slot = 0; slot < slots; ++slot)
            m_slotStart.push_back(m_slotStart.back() + m_model.subs[slot].size());
        if (slots > 0) {
            const std::vector<int>& ids = m_matcher.names().idsOfGivenNames();
            m_matcher.setGlobalNames(std::vector<int>(ids.begin(), ids.begin() + m_slotStart[1]));
            m_calledBy.setGlobalNameIds(ids.data(), m_slotStart[1]);
        }
        for (std::size_t row = 1; row < m_model.files.size(); ++row)
            m_rowOfPath.try_emplace(m_model.files[row].path, static_cast<int>(row));
    }

    void run();

private:
    int rowOfPath(const std::string& path) const {
        auto it = m_rowOfPath.find(path);
        return it == m_rowOfPath.end() ? 0 : it->second;
    }
    // Reads one file's lines and records the calls on them; false when the pass was cancelled
    // in the middle of the file.
    bool readLines(const std::string& path, std::string_view text);
    // The routine whose lines are being read, as CalledBy entries name it.
    struct Caller {
        std::string name;
        std::string entry;  // "<routine> - <file> - "
    };
    // Scans the file just read for uses of the module-level variables: at once, or handed to the
    // worker with the file's text (`kept`, the file buffer's or the joined lines).
    void scanVariables(std::optional<std::string>& kept, const std::string& path);
    // Waits for the variable scans handed to the worker.
    void finishVariableScans() {
        if (m_variableScans) m_variableScans->finish();
    }
    // `around` is the file text when `line` lies in it, else empty.
    void recordCalls(std::string_view line, std::string_view around, int ownSlot, Caller& caller,
                     int lineInRoutine);
    // Lets go of what reading the lines needed (the name tries above all) before the lists are
    // written: writing them is the pass's peak.
    void releaseLineMatching() {
        m_matcher = CallMatcher({});
        m_fileRows = RowsByName(0);
        m_file = FileBuffer();
        m_joined = std::string();
        m_fileText = {};
    }

    ParseContext& m_context;
    ProjectModel& m_model;
    CallMatcher m_matcher;
    ModuleVariableScan m_variables;
    std::vector<std::size_t> m_slotStart;
    RowsByName m_fileRows;
    CalledByLog m_calledBy;
    FileBuffer m_file;
    std::unordered_map<std::string, int> m_rowOfPath;
    std::vector<int> m_globalHits, m_fileHits;
    std::string m_joined;           // the file's lines joined with CR LF, when they had other ends
    std::string_view m_fileText;    // what the variable scan reads
    bool m_fileTextJoined = false;  // m_fileText is m_joined
    long long m_charactersRead = 0;
    // Declared last: its thread, which works on m_variables and the model, stops before they go.
    std::unique_ptr<FileScanWorker> m_variableScans;
};

void CallPassRun::scanVariables(std::optional<std::string>& kept, const std::string& path) {
    if (!m_variableScans) {
        m_variables.scanFile(m_fileText, path);
        return;
    }
    std::string text = m_fileTextJoined ? std::move(m_joined) : kept ? std::move(*kept) : m_file.take();
    m_fileText = {};
    m_file.recycle(m_variableScans->add(std::move(text), path));
}

void CallPassRun::run() {
    // The length is 0 for a path that names no regular file, as for an empty one. The look that
    // gives it also lets the file be opened below without another.
    long long total = 0;
    std::vector<PathStatus> looks;
    looks.reserve(m_model.files.size());
    for (const FileRec& file : m_model.files) {
        looks.push_back(pathStatus(file.path));
        total += looks.back().length;
    }
    m_context.progress.setRange(0, total);

    int filesProcessed = 0;
    for (std::size_t row = 0; row < m_model.files.size(); ++row) {
        const FileRec& file = m_model.files[row];
        // A file that is missing, vanished or cannot be read since the project was opened is passed over.
        // The text pass 1 read is used when there is one, once the file is seen to be still there.
        std::optional<std::string> kept =
            m_context.sources ? m_context.sources->take(file.path) : std::nullopt;
        if (kept && !fileExists(file.path)) continue;
        if (!kept && !m_file.read(file.path, looks[row])) continue;
        m_context.progress.setFileLabel("Part 2 of 3. Parsing " + fileNameOf(file.path));
        ++filesProcessed;
        if (!readLines(file.path, kept ? std::string_view(*kept) : m_file.bytes())) {
            finishVariableScans();
            releaseLineMatching();
            m_calledBy.writeTo(m_model, m_context.calledByOrigins);
            m_variables.storeFilesNotUsing();
            return;
        }
        m_context.progress.setLineLabel("Please wait...");
        scanVariables(kept, file.path);
    }
    finishVariableScans();
    releaseLineMatching();
    m_calledBy.writeTo(m_model, m_context.calledByOrigins);
    m_variables.storeFilesNotUsing();
    sweepPublicVariables(m_model, filesProcessed,
                         [this](std::size_t row) { return m_variables.usedInOwnFile(row); });
    m_context.progress.setValue(0);
}

bool CallPassRun::readLines(const std::string& path, std::string_view text) {
    const int fileRow = rowOfPath(path);
    const int ownSlot = fileRow < static_cast<int>(m_model.subs.size()) ? fileRow : -1;
    if (ownSlot >= 0) {
        const int* ids = m_matcher.names().idsOfGivenNames().data();
        const auto slot = static_cast<std::size_t>(ownSlot);
        m_matcher.setFileNames(ids + m_slotStart[slot], ids + m_slotStart[slot + 1]);
        m_fileRows.group(ids + m_slotStart[slot], m_slotStart[slot + 1] - m_slotStart[slot]);
    } else {
        m_matcher.setFileNames(nullptr, nullptr);
    }

    const std::string fileName = fileNameOf(path);
    // The variable scan reads the file as its lines, each followed by CR LF: the file itself when
    // every line already ends so, or when every one ends in a lone LF (which the scan reads as CR LF).
    bool crlfThroughout = true;

    Caller caller;  // name empty between routines and in the declarations section
    std::string continuation;
    bool continuing = false;
    std::string continued;  // a logical line made of several physical ones
    int lineInRoutine = 0;
    LineLabel lineLabel;

    LineCursor lines(text);
    std::string_view raw;
    while (lines.next(raw)) {
        if (m_context.cancelled()) return false;
        lineLabel.next();
        m_charactersRead += static_cast<long long>(raw.size());
        m_context.progress.setValue(m_charactersRead);
        crlfThroughout = crlfThroughout && lines.endsInCrLf();

        // Trimmed first, then a final "_" continues the statement on the next physical line.
        std::string_view trimmed = trimView(raw);
        if (!trimmed.empty() && trimmed.back() == '_') {
            continuation += ' ';
            continuation += trimView(trimmed.substr(0, trimmed.size() - 1));
            continuing = true;
            continue;
        }
        std::string_view line = trimmed;
        std::string_view around = text;  // what holds the line
        if (continuing) {
            around = {};
            continued.assign(continuation).append(" ").append(trimmed);
            continuation.clear();
            continuing = false;
            line = trimView(continued);
        }
        ++lineInRoutine;
        m_context.progress.setLineLabel(lineLabel.text());

        if (line.empty() || line.front() == '\'') continue;

        // Every header begins with F, P or S; only those lines need the full comparison.
        const char first = line.front();
        if (first == 'F' || first == 'P' || first == 'S') {
            if (const std::size_t keywords = headerKeywordLength(line)) {
                lineInRoutine = 0;
                caller.name = routineNameOf(line, keywords);
                caller.entry.assign(caller.name).append(" - ").append(fileName).append(" - ");
                m_calledBy.startCaller(caller.entry);
                continue;  // the header line itself never counts as a call
            }
        } else if (first == 'E' && (startsWith(line, "End Sub") || startsWith(line, "End Function"))) {
            caller.name.clear();
        }
        // Calls are sought only inside routines.
        if (caller.name.empty()) continue;
        recordCalls(line, around, ownSlot, caller, lineInRoutine);
    }

    m_fileTextJoined = !crlfThroughout && !(text.back() == '\n' && text.find('\r') == std::string_view::npos);
    if (!m_fileTextJoined) {
        m_fileText = text;
    } else {
        m_joined.clear();
        m_joined.reserve(text.size() + 2);
        LineCursor again(text);
        while (again.next(raw)) m_joined.append(raw).append("\r\n");
        m_fileText = m_joined;
    }
    return true;
}

void CallPassRun::recordCalls(std::string_view line, std::string_view around, int ownSlot, Caller& caller,
                              int lineInRoutine) {
    m_matcher.match(line, m_globalHits, m_fileHits, around);
    if (m_globalHits.empty() && m_fileHits.empty()) return;
    // The caller's own name on its lines is recursion or the function setting its result. A routine
    // without a name (a header without "(") is never called: its empty name is in every line.
    auto calls = [&](int id) {
        std::string_view name = m_matcher.names().name(id);
        return !name.empty() && name != caller.name;
    };
    if (ownSlot >= 0) {
        for (int id : m_fileHits)
            if (calls(id))
                m_fileRows.forEachRow(
                    id, [&](std::uint32_t row) { m_calledBy.add(ownSlot, row, lineInRoutine); });
    }
    // Every project-wide routine of a name is called by the line: the entry is logged once for all.
    for (int id : m_globalHits)
        if (calls(id)) m_calledBy.addForName(id, lineInRoutine);
}

}  // namespace

void runCallPass(ParseContext& context) {
    CallPassRun run(context);
    run.run();
}

}  // namespace tally
