#include "SyntheticProject.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace tally::bench {

namespace {

const char* const kVerbs[] = {"Load",  "Save",  "Calc", "Get",  "Update",
                              "Check", "Build", "Find", "Show", "Read"};
const char* const kNouns[] = {"Data", "Item",  "Total", "Record", "List",
                              "Name", "Value", "Grid",  "Report", "Rate"};
const char* const kWords[] = {"Customer", "invoice", "totl",   "recieved", "amount",
                              "the",      "date",    "adress", "item",     "saved"};

enum class Kind { Module, Class, Form };

struct Member {
    Kind kind;
    std::string name;      // VB_Name
    std::string fileName;  // on disk
    std::vector<std::string> publicRoutines;
    std::vector<std::string> privateRoutines;
};

class Writer {
public:
    Writer(const SyntheticProjectOptions& options) : m_options(options), m_random(options.seed) {}

    std::uint32_t pick(std::uint32_t n) { return n == 0 ? 0 : m_random() % n; }

    void line(std::string text) {
        m_text += text;
        m_text += "\r\n";
        ++m_lines;
    }

    std::string take() {
        std::string out;
        out.swap(m_text);
        return out;
    }

    std::string callOf(const std::vector<Member>& members, const Member& self) {
        bool local = !self.privateRoutines.empty() && pick(2) == 0;
        const std::string* target = nullptr;
        if (local) {
            target = &self.privateRoutines[pick(self.privateRoutines.size())];
        } else {
            const Member& other = members[pick(members.size())];
            if (other.kind != Kind::Module || other.publicRoutines.empty()) return "    DoEvents";
            target = &other.publicRoutines[pick(other.publicRoutines.size())];
        }
        switch (pick(4)) {
            case 0:
                return "    nResult = " + *target + "(i)";
            case 1:
                return "    " + *target + " i";
            case 2:
                return "    Call " + *target + "(i)";
            default:
                return "    If " + *target + "(i) > 0 Then nResult = nResult + 1";
        }
    }

    void routine(const std::vector<Member>& members, const Member& self, const std::string& header,
                 const std::string& end) {
        line(header);
        line("    Dim i As Long");
        line("    Dim nResult As Long");
        if (pick(3) == 0) line("    Dim vTemp");
        if (pick(4) == 0) line("    Dim sUnused As String");
        int body = m_options.linesPerRoutine - 3;
        int calls = m_options.callsPerRoutine;
        for (int n = 0; n < body; ++n) {
            if (calls > 0 && pick(body - n) < static_cast<std::uint32_t>(calls)) {
                line(callOf(members, self));
                --calls;
                continue;
            }
            switch (pick(10)) {
                case 0:
                    line("    ' " + std::string(kWords[pick(10)]) + " " + kWords[pick(10)] + " check");
                    break;
                case 1:
                    line("");
                    break;
                case 2:
                    line("    MsgBox \"The " + std::string(kWords[pick(10)]) + " was " + kWords[pick(10)] +
                         "\"");
                    break;
                case 3:
                    line("    nResult = nResult + i * 2 + _");
                    line("        " + std::to_string(pick(100)));
                    ++n;
                    break;
                case 4:
                    line("    For i = 1 To " + std::to_string(1 + pick(50)) +
                         ": nResult = nResult + i: Next i");
                    break;
                case 5:
                    line("    If nResult > " + std::to_string(pick(1000)) + " Then nResult = 0 ' reset");
                    break;
                case 6:
                    line("    m" + self.name + "Count = m" + self.name + "Count + 1");
                    break;
                default:
                    line("    nResult = nResult + Len(\"" + std::string(kWords[pick(10)]) + "\")");
                    break;
            }
        }
        line(end);
        line("");
    }

    void declarations(const Member& self) {
        line("Option Explicit");
        line("");
        line("Private m" + self.name + "Count As Long");
        for (int v = 1; v < m_options.moduleVariables; ++v)
            line("Private m" + self.name + "Var" + std::to_string(v) + (v % 3 == 0 ? "" : " As String"));
        if (self.kind == Kind::Module) {
            for (int v = 0; v < m_options.publicVariables; ++v)
                line("Public g" + self.name + "Setting" + std::to_string(v) + " As Long");
            line("Private Declare Function GetTickCount Lib \"kernel32\" () As Long");
            line("Public Type t" + self.name + "Rec");
            line("    Id As Long");
            line("    Caption As String");
            line("End Type");
        }
        line("");
    }

    void designer(const Member& self) {
        line("VERSION 5.00");
        line("Begin VB.Form " + self.name);
        line("   Caption         =   \"" + std::string(kWords[pick(10)]) + " " + self.name + "\"");
        line("   ClientHeight    =   3195");
        line("   ClientWidth     =   4680");
        for (int c = 0; c < m_options.controlsPerForm; ++c) {
            std::string id = std::to_string(c);
            if (c % 4 == 0) {
                line("   Begin VB.Frame fra" + id);
                line("      Caption         =   \"" + std::string(kWords[pick(10)]) + "\"");
                line("      Begin VB.CommandButton cmd" + id);
                line("         Caption         =   \"&" + std::string(kVerbs[pick(10)]) + "\"");
                line("         Height          =   375");
                line("      End");
                line("   End");
            } else {
                line("   Begin VB.TextBox txt" + id);
                line("      Text            =   \"" + std::string(kWords[pick(10)]) + "\"");
                line("      Height          =   285");
                line("   End");
            }
        }
        line("End");
        line("Attribute VB_Name = \"" + self.name + "\"");
    }

    long long lines() const { return m_lines; }

private:
    const SyntheticProjectOptions& m_options;
    std::mt19937 m_random;
    std::string m_text;
    long long m_lines = 0;
};

std::string routineName(int file, int index) {
    return std::string(kVerbs[index % 10]) + kNouns[(index / 10) % 10] + std::to_string(file) +
           static_cast<char>('A' + index / 100 % 26);
}

}  // namespace

SyntheticProjectResult writeSyntheticProject(const std::string& folder,
                                             const SyntheticProjectOptions& options) {
    SyntheticProjectResult result;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        result.error = folder + ": " + error.message();
        return result;
    }

    std::vector<Member> members;
    for (int f = 0; f < options.files; ++f) {
        Member m;
        m.kind = f % 5 == 1 ? Kind::Form : f % 5 == 3 ? Kind::Class : Kind::Module;
        std::string id = std::to_string(f);
        m.name = (m.kind == Kind::Form ? "frmGen" : m.kind == Kind::Class ? "CGen" : "modGen") + id;
        m.fileName = m.name + (m.kind == Kind::Form ? ".frm" : m.kind == Kind::Class ? ".cls" : ".bas");
        for (int r = 0; r < options.routinesPerFile; ++r) {
            // Modules export half their routines; every file has private helpers with shared names.
            if (m.kind == Kind::Module && r % 2 == 0)
                m.publicRoutines.push_back(routineName(f, r));
            else
                m.privateRoutines.push_back(r % 7 == 3 ? std::string("Helper") + kNouns[r % 10]
                                                       : routineName(f, r));
        }
        members.push_back(std::move(m));
    }

    Writer writer(options);
    std::string vbp =
        "Type=Exe\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE "
        "Automation\r\n";
    for (const Member& m : members) {
        switch (m.kind) {
            case Kind::Form:
                vbp += "Form=" + m.fileName + "\r\n";
                break;
            case Kind::Class:
                vbp += "Class=" + m.name + "; " + m.fileName + "\r\n";
                break;
            case Kind::Module:
                vbp += "Module=" + m.name + "; " + m.fileName + "\r\n";
                break;
        }
        if (m.kind == Kind::Form) {
            writer.designer(m);
        } else if (m.kind == Kind::Class) {
            writer.line("VERSION 1.0 CLASS");
            writer.line("Attribute VB_Name = \"" + m.name + "\"");
        } else {
            writer.line("Attribute VB_Name = \"" + m.name + "\"");
        }
        writer.declarations(m);
        if (m.kind == Kind::Form) writer.routine(members, m, "Private Sub Form_Load()", "End Sub");
        if (m.kind == Kind::Class) writer.routine(members, m, "Private Sub Class_Initialize()", "End Sub");
        for (const std::string& name : m.publicRoutines)
            writer.routine(members, m, "Public Function " + name + "(ByVal n As Long) As Long",
                           "End Function");
        for (const std::string& name : m.privateRoutines)
            writer.routine(members, m, "Private Sub " + name + "(n)", "End Sub");
        std::string text = writer.take();
        result.bytes += static_cast<long long>(text.size());
        std::ofstream out(folder + "/" + m.fileName, std::ios::binary);
        out << text;
        if (!out) {
            result.error = "cannot write " + m.fileName;
            return result;
        }
    }
    vbp +=
        "Startup=\"Sub "
        "Main\"\r\nTitle=\"Synthetic\"\r\nName=\"Synthetic\"\r\nMajorVer=1\r\nMinorVer=0\r\nRevisionVer="
        "0\r\n";
    result.projectPath = folder + "/Synthetic.vbp";
    std::ofstream project(result.projectPath, std::ios::binary);
    project << vbp;
    if (!project) {
        result.error = "cannot write " + result.projectPath;
        return result;
    }
    result.files = options.files;
    result.lines = writer.lines();
    result.ok = true;
    return result;
}

}  // namespace tally::bench
