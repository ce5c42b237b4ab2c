#include "core/parser/CallPass.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/parser/CallMatcher.h"
#include "core/parser/ModuleVariableScan.h"
#include "core/parser/PublicVariableSweep.h"
#include "core/parser/SourceLines.h"
#include "core/parser/TypeSuffixSplit.h"
#include "core/project/FileFacts.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

struct HeaderPrefix {
    std::string_view text;
    std::size_t keywordLength;
};

// Routine headers as this pass knows them, tried in this order. `Static` headers are not among them:
// the routine before such a header simply continues.
constexpr std::array<HeaderPrefix, 20> kHeaders = {{
    {"Function ", 9},
    {"Private Function ", 17},
    {"Public Function ", 16},
    {"Friend Function ", 16},
    {"Sub ", 4},
    {"Private Sub ", 12},
    {"Public Sub ", 11},
    {"Friend Sub ", 11},
    {"Property Set ", 13},
    {"Public Property Set ", 20},
    {"Private Property Set ", 21},
    {"Friend Property Set ", 20},
    {"Property Let ", 13},
    {"Public Property Let ", 20},
    {"Private Property Let ", 21},
    {"Friend Property Let ", 20},
    {"Property Get ", 13},
    {"Public Property Get ", 20},
    {"Private Property Get ", 21},
    {"Friend Property Get ", 20},
}};

// The routine a header line starts: the text between the keywords and the first "(", trimmed and
// without a type-declaration character, so that `Total = 1.5` inside `Function Total#()` reads as the
// function setting its result rather than calling itself. Empty when the header has no "(".
std::string routineNameOf(std::string_view line, std::size_t keywordLength) {
    std::size_t paren = line.find('(');
    if (paren == std::string_view::npos || paren < keywordLength) return {};
    std::string_view name = trimView(line.substr(keywordLength - 1, paren - (keywordLength - 1)));
    return std::string(splitTypeSuffix(name).stem);
}

// The routines of one slot grouped by name: rows of the name with id i are rows[first[i] ..).
struct SlotIndex {
    std::vector<std::uint32_t> first;
    std::vector<std::uint32_t> rows;

    // Groups `slot`'s routines by the ids that `trie`, built from their names in slot order, gave them.
    void group(const std::vector<SubRec>& slot, const NameTrie& trie) {
        first.assign(static_cast<std::size_t>(trie.size()) + 1, 0);
        const std::vector<int>& ids = trie.idsOfGivenNames();
        for (int id : ids) ++first[static_cast<std::size_t>(id) + 1];
        for (std::size_t i = 1; i < first.size(); ++i) first[i] += first[i - 1];
        rows.assign(slot.size(), 0);
        std::vector<std::uint32_t> fill(first.begin(), first.end() - 1);
        for (std::size_t r = 0; r < slot.size(); ++r)
            rows[fill[static_cast<std::size_t>(ids[r])]++] = static_cast<std::uint32_t>(r);
    }
};

const std::vector<SubRec>& noRoutines() {
    static const std::vector<SubRec> none;
    return none;
}

std::vector<std::string_view> namesOf(const std::vector<SubRec>& slot) {
    std::vector<std::string_view> names;
    names.reserve(slot.size());
    for (const SubRec& routine : slot) names.push_back(routine.name);
    return names;
}

class CallPassRun {
public:
    explicit CallPassRun(ParseContext& context)
        : m_context(context),
          m_model(context.model),
          m_matcher(namesOf(globalSlot())),
          m_variables(context.model) {
        m_globalIndex.group(globalSlot(), m_matcher.globalNames());
        for (std::size_t row = 1; row < m_model.files.size(); ++row)
            m_rowOfPath.try_emplace(m_model.files[row].path, static_cast<int>(row));
    }

    void run();

private:
    const std::vector<SubRec>& globalSlot() const {
        return m_model.subs.empty() ? noRoutines() : m_model.subs[0];
    }
    int rowOfPath(const std::string& path) const {
        auto it = m_rowOfPath.find(path);
        return it == m_rowOfPath.end() ? 0 : it->second;
    }
    // Reads one file's lines and records the calls on them; false when the pass was cancelled
    // in the middle of the file.
    bool readLines(const std::string& path, const std::string& text);
    // The routine whose lines are being read, as CalledBy entries name it.
    struct Caller {
        std::string name;
        std::string entry;     // "<routine> - <file> - "
        std::string lineText;  // the line within the routine, in decimal
    };
    void recordCalls(std::string_view line, int ownSlot, Caller& caller, int lineInRoutine);
    void record(SubRec& callee, const Caller& caller);

    ParseContext& m_context;
    ProjectModel& m_model;
    CallMatcher m_matcher;
    ModuleVariableScan m_variables;
    SlotIndex m_globalIndex, m_fileIndex;
    std::unordered_map<std::string, int> m_rowOfPath;
    std::vector<int> m_globalHits, m_fileHits;
    std::string m_joined;         // the file's lines joined with CR LF, when they had other ends
    std::string_view m_fileText;  // what the variable scan reads
    long long m_charactersRead = 0;
};

void CallPassRun::run() {
    long long total = 0;
    for (const FileRec& file : m_model.files)
        if (fileExists(file.path)) total += fileLength(file.path);
    m_context.progress.setRange(0, total);

    int filesProcessed = 0;
    for (const FileRec& file : m_model.files) {
        if (!fileExists(file.path)) continue;
        // A file that vanished or cannot be read since the project was opened is passed over.
        std::optional<std::string> bytes = readFileBytes(file.path);
        if (!bytes) continue;
        m_context.progress.setFileLabel("Part 2 of 3. Parsing " + fileNameOf(file.path));
        ++filesProcessed;
        if (!readLines(file.path, *bytes)) {
            m_variables.storeFilesNotUsing();
            return;
        }
        m_context.progress.setLineLabel("Please wait...");
        m_variables.scanFile(m_fileText, file.path);
    }
    m_variables.storeFilesNotUsing();
    sweepPublicVariables(m_model, filesProcessed,
                         [this](std::size_t row) { return m_variables.usedInOwnFile(row); });
    m_context.progress.setValue(0);
}

bool CallPassRun::readLines(const std::string& path, const std::string& text) {
    const int fileRow = rowOfPath(path);
    const int ownSlot = fileRow < static_cast<int>(m_model.subs.size()) ? fileRow : -1;
    const std::vector<SubRec>& own =
        ownSlot >= 0 ? m_model.subs[static_cast<std::size_t>(ownSlot)] : noRoutines();
    m_matcher.setFileNames(namesOf(own));
    m_fileIndex.group(own, m_matcher.fileNames());

    const std::string fileName = fileNameOf(path);
    const std::vector<std::string_view> lines = splitLines(text);
    // The variable scan reads the file as its lines, each followed by CR LF: the file itself when
    // every line already ends so.
    bool crlfThroughout = true;

    Caller caller;  // name empty between routines and in the declarations section
    std::string continuation;
    bool continuing = false;
    std::string continued;  // a logical line made of several physical ones
    int lineInRoutine = 0;
    long long physicalLine = 0;
    char lineLabel[32] = "Line ";

    for (std::string_view raw : lines) {
        if (m_context.cancelled()) return false;
        ++physicalLine;
        m_charactersRead += static_cast<long long>(raw.size());
        m_context.progress.setValue(m_charactersRead);
        const std::size_t end = static_cast<std::size_t>(raw.data() - text.data()) + raw.size();
        crlfThroughout =
            crlfThroughout && end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';

        // Trimmed first, then a final "_" continues the statement on the next physical line.
        std::string_view trimmed = trimView(raw);
        if (!trimmed.empty() && trimmed.back() == '_') {
            continuation += ' ';
            continuation += trimView(trimmed.substr(0, trimmed.size() - 1));
            continuing = true;
            continue;
        }
        std::string_view logical = trimmed;
        if (continuing) {
            continued.assign(continuation).append(" ").append(trimmed);
            continuation.clear();
            continuing = false;
            logical = continued;
        }
        ++lineInRoutine;
        auto digits = std::to_chars(lineLabel + 5, lineLabel + sizeof lineLabel, physicalLine);
        m_context.progress.setLineLabel(
            std::string_view(lineLabel, static_cast<std::size_t>(digits.ptr - lineLabel)));

        std::string_view line = trimView(logical);
        if (line.empty() || line.front() == '\'') continue;

        // Every header begins with F, P or S; only those lines need the full comparison.
        const char first = line.front();
        if (first == 'F' || first == 'P' || first == 'S') {
            const HeaderPrefix* header = nullptr;
            for (const HeaderPrefix& prefix : kHeaders) {
                if (startsWith(line, prefix.text)) {
                    header = &prefix;
                    break;
                }
            }
            if (header) {
                lineInRoutine = 0;
                caller.name = routineNameOf(line, header->keywordLength);
                caller.entry.assign(caller.name).append(" - ").append(fileName).append(" - ");
                continue;  // the header line itself never counts as a call
            }
        } else if (first == 'E' && (startsWith(line, "End Sub") || startsWith(line, "End Function"))) {
            caller.name.clear();
        }
        // Calls are sought only inside routines.
        if (caller.name.empty()) continue;
        recordCalls(line, ownSlot, caller, lineInRoutine);
    }

    if (crlfThroughout) {
        m_fileText = text;
    } else {
        m_joined.clear();
        m_joined.reserve(text.size() + lines.size() + 2);
        for (std::string_view raw : lines) m_joined.append(raw).append("\r\n");
        m_fileText = m_joined;
    }
    return true;
}

void CallPassRun::recordCalls(std::string_view line, int ownSlot, Caller& caller, int lineInRoutine) {
    m_matcher.match(line, m_globalHits, m_fileHits);
    if (m_globalHits.empty() && m_fileHits.empty()) return;
    caller.lineText = toDecimal(lineInRoutine);
    // The caller's own name on its lines is recursion or the function setting its result. A routine
    // without a name (a header without "(") is never called: its empty name is in every line.
    if (ownSlot >= 0) {
        std::vector<SubRec>& slot = m_model.subs[static_cast<std::size_t>(ownSlot)];
        for (int id : m_fileHits) {
            std::string_view name = m_matcher.fileNames().name(id);
            if (name.empty() || name == caller.name) continue;
            for (std::uint32_t k = m_fileIndex.first[id]; k < m_fileIndex.first[id + 1]; ++k)
                record(slot[m_fileIndex.rows[k]], caller);
        }
    }
    if (m_model.subs.empty()) return;
    std::vector<SubRec>& global = m_model.subs[0];
    for (int id : m_globalHits) {
        std::string_view name = m_matcher.globalNames().name(id);
        if (name.empty() || name == caller.name) continue;
        for (std::uint32_t k = m_globalIndex.first[id]; k < m_globalIndex.first[id + 1]; ++k)
            record(global[m_globalIndex.rows[k]], caller);
    }
}

void CallPassRun::record(SubRec& callee, const Caller& caller) {
    ++callee.timesCalled;
    callee.calledBy.append(caller.entry).append(caller.lineText).push_back('\x01');
}

}  // namespace

void runCallPass(ParseContext& context) {
    CallPassRun run(context);
    run.run();
}

}  // namespace tally
