#include "GeneratedProject.h"

#include <random>
#include <string>
#include <vector>

#include "core/text/TextOps.h"

namespace tally::test {

namespace {

struct Header;

class Generator {
public:
    Generator(ScratchProject& project, std::uint32_t seed, const GeneratorOptions& options)
        : m_project(project), m_random(seed), m_options(options) {}

    void run();

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    bool chance(int percent) { return pick(100) < percent; }
    template <class T>
    const T& any(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(pick(static_cast<int>(items.size())))];
    }

    std::string collidingName(int maxLength);
    std::string realisticName(const char* head, int n);
    std::string routineName() { return any(m_routineNames); }
    std::string variableName() { return any(m_variableNames); }
    std::string typedVariable();
    std::string bodyLine();
    std::string fileText(int fileIndex);
    std::string scopeTextOf(const std::string& fileName);
    void addRoutineRow(int fileRow, const std::string& fileName, const Header& header,
                       const std::string& name);
    void addTables();

    ScratchProject& m_project;
    std::mt19937 m_random;
    GeneratorOptions m_options;
    std::vector<std::string> m_routineNames, m_variableNames, m_fileNames;
    std::vector<int> m_fileRows;
    std::vector<std::string> m_pendingLines;
};

std::string Generator::collidingName(int maxLength) {
    static const std::string alphabet = "abLo_d";
    std::string name;
    int length = pick(maxLength + 1);
    for (int i = 0; i < length; ++i)
        name += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
    return name;
}

std::string Generator::realisticName(const char* head, int n) {
    static const std::vector<std::string> verbs = {"Load",   "Save", "Get",  "Set",   "Calc",
                                                   "Update", "Init", "Show", "Check", "Parse",
                                                   "Build",  "Find", "Read", "Write"};
    static const std::vector<std::string> nouns = {"Data", "Item",   "Form", "List", "Value", "Total",
                                                   "Name", "Record", "File", "Grid", "Index", "Count"};
    return std::string(head) + any(verbs) + any(nouns) + std::to_string(n);
}

std::string Generator::typedVariable() {
    static const std::string suffixes = "$%&!#";
    std::string name = variableName();
    if (chance(25)) name += suffixes[static_cast<std::size_t>(pick(5))];
    return name;
}

// Routine headers ("%" stands for the name) and the kind and scope of the row the declaration pass
// makes of each; a kind of -1 makes no row.
struct Header {
    const char* text;
    int kind;
    int scope;
};
const std::vector<Header> kCollidingHeaders = {
    {"Public Function %#(ByVal x)", kKindFunction, kScopePublic},
    {"Private Sub %()", kKindSub, kScopePrivate},
    {"Sub %()", kKindSub, kScopeNone},
    {"Public Sub %(a, b)", kKindSub, kScopePublic},
    {"Function %$()", kKindFunction, kScopeNone},
    {"Property Get %() As Long", kKindPropertyGet, kScopeNone},
    {"Friend Property Let %(v)", kKindPropertyLet, kScopeFriend},
    {"Private Property Set %(o)", kKindPropertySet, kScopePrivate},
    {"Static Sub %()", -1, kScopeNone},
    {"Sub %", kKindSub, kScopeNone},
    {"Public Property Get %()", kKindPropertyGet, kScopePublic},
};
const std::vector<Header> kRealisticHeaders = {
    {"Public Sub %()", kKindSub, kScopePublic},
    {"Private Function %(ByVal n As Long) As Long", kKindFunction, kScopePrivate},
};

// Module-level lines ("{v}" the variable, "{w}" another name) and the PubVar row each makes: scope
// "" for the file's private level, nullptr for no row. The realistic kind uses the first three.
struct Declaration {
    const char* text;
    const char* scope;
    bool isConst;
};
const std::vector<Declaration> kDeclarations = {
    {"Private {v} As Long", "", false},          {"Public {v}", "Public", false}, {"Const {v} = 1", "", true},
    {"' {v} is kept for later", nullptr, false}, {"{v} = 1", nullptr, false},     {"Dim {v}, {w}", "", false},
};

// Body lines: {r} stands for a routine name, {v} and {w} for variable names, {t} for a variable that may
// carry a type character; "|" starts a further physical line, which is never commented out.
const std::vector<std::string> kRealisticLines = {
    "    {v} = {r}({w}, 1)",
    "    Call {r}({v})",
    "    {r} {v}",
    "    If {v} > 0 Then {w} = {v} + 1",
    "    ' Update the {v} before the grid is drawn",
    "",
    "    {v} = {w} * 2 ' scale",
    "    txtName.Text = \"Name of the {w} record\"",
    "    For i = 1 To {v}.Count",
    "    Next i",
    "    Set {v} = frmMain.{r}",
    "    {v}.Add {w}, \"key\"",
};
const std::vector<std::string> kCollidingLines = {
    "x = {r}(1)",
    "{r} 1",
    "Call {r}",
    "frm.{r}",
    "{r}",
    "y = 1 ' {r}({v})",
    "s = \"{r}(\" & {v}",
    "' {r} {v} = 1",
    "{v} = {w} + 1",
    "\tIf {v} Then",
    "End If",
    "x = {v}({w}, 1)",
    "{v}.Add {w}",
    "{r} {v}, {w}",
    "Dim {v} As Long",
    "   ",
    "",
    "x = 1 + _|    {r}({t})",
    "Call {w}(_|  {v} _|{r}",
    "{t} = {t} + 1",
    "z = ({v}, {t})",
    "q = {v} ' it's {w}",
    "s = \"it's\" & {t}",
    "End Sub",
    "End Property",
    "End Function",
    " = {t}",
    "({v} {r}",
    "{v}{r}({w})",
    "With {v}\r\n.Value = {w}",
    "Const {t} = 2",
    "Private Sub {r}_Inner()",
    "Static Function {r}()",
    "{r}.{v} {w}",
};

std::string Generator::bodyLine() {
    const std::string r = routineName(), v = variableName(), w = variableName();
    const std::string t = m_options.realistic ? std::string() : typedVariable();
    const std::vector<std::string>& templates = m_options.realistic ? kRealisticLines : kCollidingLines;
    std::string text = templates[static_cast<std::size_t>(pick(static_cast<int>(templates.size())))];
    for (auto [mark, name] : {std::pair{"{r}", &r}, {"{v}", &v}, {"{w}", &w}, {"{t}", &t}})
        text = replaceAll(text, mark, *name);
    std::vector<std::string> lines = split(text, "|");
    m_pendingLines.insert(m_pendingLines.end(), lines.begin() + 1, lines.end());
    return lines.front();
}

std::string Generator::scopeTextOf(const std::string& fileName) {
    std::string ext = fileName.size() >= 3 ? fileName.substr(fileName.size() - 3) : "";
    if (ext == "frm") return "Private Form Level";
    if (ext == "cls") return "Private Class Level";
    if (ext == "ctl") return "Private Control Level";
    return "Private Module Level";
}

void Generator::addRoutineRow(int fileRow, const std::string& fileName, const Header& header,
                              const std::string& name) {
    // Rows as the declaration pass makes them: bare name (none without "("), slot by scope.
    if (header.kind < 0) return;
    const bool global = header.scope == kScopePublic || header.scope == kScopeFriend ||
                        (header.scope == kScopeNone && fileName.ends_with("bas"));
    const int kind = !m_options.realistic && chance(10) ? kKindControl : header.kind;
    const bool named = std::string_view(header.text).find('(') != std::string_view::npos;
    m_project.addRoutine(global ? 0 : fileRow, named ? name : std::string(), fileName, kind);
}

std::string Generator::fileText(int fileIndex) {
    const std::string& fileName = m_fileNames[static_cast<std::size_t>(fileIndex)];
    const int fileRow = m_fileRows[static_cast<std::size_t>(fileIndex)];
    std::vector<std::string> lines = {"Attribute VB_Name = \"" + fileName + "\"", "Option Explicit"};
    const std::string path = m_project.pathOf(fileName);
    int declarations = m_options.realistic ? 6 : 3 + pick(6);
    for (int i = 0; i < declarations; ++i) {
        std::string v = typedVariable();
        const Declaration& d = kDeclarations[static_cast<std::size_t>(pick(m_options.realistic ? 3 : 6))];
        std::string line = replaceAll(d.text, "{v}", v);
        if (line.find("{w}") != std::string::npos) line = replaceAll(line, "{w}", variableName());
        lines.push_back(line);
        if (d.scope)
            m_project.addModuleVariable(v, *d.scope ? d.scope : scopeTextOf(fileName), fileName, d.isConst);
    }
    for (int k = 0; k < m_options.routinesPerFile; ++k) {
        const Header& header =
            m_options.realistic ? kRealisticHeaders[chance(50) ? 0 : 1] : any(kCollidingHeaders);
        const std::string name = routineName();
        const std::string text = replaceAll(header.text, "%", name);
        addRoutineRow(fileRow, fileName, header, name);
        lines.push_back((m_options.realistic || chance(80) ? "" : "  ") + text);
        for (int j = 0; j < m_options.linesPerRoutine; ++j) {
            // Every fourth file is mostly comments, so that variables seen only in comments are common.
            const bool commentedOut = !m_options.realistic && fileIndex % 4 == 3 && chance(80);
            lines.push_back((commentedOut ? "' " : "") + bodyLine());
            for (std::string& pending : m_pendingLines) lines.push_back(pending);
            m_pendingLines.clear();
        }
        lines.push_back(text.find("Property") != std::string::npos   ? "End Property"
                        : text.find("Function") != std::string::npos ? "End Function"
                                                                     : "End Sub");
    }

    std::string ending = "\r\n";
    if (!m_options.realistic) {
        int style = pick(20);
        ending = style < 3 ? "\n" : style < 5 ? "\r" : "\r\n";
    }
    std::string text;
    for (const std::string& line : lines) text += line + ending;
    if (!m_options.realistic && chance(20)) text.resize(text.size() - ending.size());
    return text;
}

void Generator::addTables() {
    static const std::vector<int> kinds = {0, 6, 12, 18, 24, 30, 36, 72};
    static const std::vector<std::string> scopes = {"Private Module Level", "Private Form Level", "Public"};
    // Routine rows that no header made: in odd slots, with odd names, the empty one among them.
    const int slots = static_cast<int>(m_project.model.files.size());
    for (int i = 0; i < m_options.routineNames / 10; ++i) {
        int slot = chance(50) ? 0 : pick(slots);
        // An empty name is called on nearly every line, which no ordinary project has.
        bool empty = !m_options.realistic && chance(10);
        m_project.addRoutine(slot, empty ? std::string() : routineName(), any(m_fileNames), any(kinds));
    }
    std::vector<std::string> fileNames = m_fileNames;
    fileNames.push_back("gone.bas");
    fileNames.push_back("");
    fileNames.push_back("a.bas");
    auto varRow = [&](bool local) {
        VarRec row;
        row.name = typedVariable();
        row.scope = local ? routineName() : any(scopes);
        row.ownerKind = local ? any(kinds) : 0;
        row.file = any(fileNames);
        return row;
    };
    for (int i = 0; i < m_options.variableNames / 4; ++i) m_project.model.unVar.push_back(varRow(chance(70)));
    int counted = 0;
    for (int i = 0; i < m_options.variableNames / 3; ++i) {
        VarRec row = varRow(chance(60));
        row.countedAsNoType = chance(60);
        counted += row.countedAsNoType;
        m_project.model.decVar.push_back(row);
    }
    for (int i = 0; i < m_options.variableNames / 10; ++i) {
        std::string file = any(fileNames);
        m_project.addModuleVariable(typedVariable(), any(scopes), file.empty() ? "x.bas" : file, chance(20));
    }
    auto& types = m_project.model.ensureTypes();
    types[0].uses = counted + 3;
    types.push_back({"Long", kTypeVariable, 4});
}

void Generator::run() {
    const int routineNames = m_options.routineNames, variableNames = m_options.variableNames;
    if (m_options.realistic) {
        for (int i = 0; i < routineNames; ++i) m_routineNames.push_back(realisticName("", i));
        for (int i = 0; i < variableNames; ++i)
            m_variableNames.push_back(realisticName(chance(50) ? "m" : "g", i));
    } else {
        m_routineNames = {"", "Load", "LoadData", "Loa", "a", "Foo", "Foo2", "Total", "Form_Load", "_"};
        while (static_cast<int>(m_routineNames.size()) < routineNames)
            m_routineNames.push_back(collidingName(7));
        m_variableNames = {"", "mCount", "mCountX", "count", "x", "i", "o", "Total"};
        while (static_cast<int>(m_variableNames.size()) < variableNames)
            m_variableNames.push_back(collidingName(5));
    }

    // File names that end one another ("a.bas", "ba.bas") and a file that is not there.
    static const std::vector<std::string> extensions = {"bas", "frm", "cls", "ctl"};
    for (int i = 0; i < m_options.files; ++i) {
        std::string stem = m_options.realistic ? "Module" + std::to_string(i)
                                               : std::string(static_cast<std::size_t>(i % 3), 'b') + "a" +
                                                     std::to_string(i / 3);
        m_fileNames.push_back(stem + "." + extensions[static_cast<std::size_t>(i % extensions.size())]);
    }
    if (!m_options.realistic) m_fileNames[1] = "a0.bas", m_fileNames[0] = "ba0.bas";
    // A file name that can begin in an entry's line number ("1"), or run on into it ("s - 1" in
    // "Foo - ba1.bas - 1"): half the projects have one.
    if (!m_options.realistic && m_fileNames.size() > 3 && chance(50)) m_fileNames[3] = chance(50) ? "1" : "s - 1";
    for (const std::string& name : m_fileNames) m_fileRows.push_back(m_project.addMissingFile(name));
    if (!m_options.realistic) m_project.addMissingFile("missing.frm");
    for (std::size_t i = 0; i < m_fileNames.size(); ++i) {
        std::string text = fileText(static_cast<int>(i));
        m_project.writeFile(m_fileNames[i], text);
    }
    if (!m_options.realistic) {
        // The same file twice in the project, and statistics nodes whose keys also end in file names.
        m_project.addMissingFile(m_fileNames[2]);
        for (const std::string& name : m_fileNames)
            m_project.model.tree.add("project", "linecnt" + m_project.pathOf(name), "Code Lines - 1");
    }
    addTables();
}

}  // namespace

void generateProject(ScratchProject& project, std::uint32_t seed, const GeneratorOptions& options) {
    Generator(project, seed, options).run();
}

}  // namespace tally::test
