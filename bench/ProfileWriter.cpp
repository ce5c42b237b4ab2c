#include "ProfileWriter.h"

#include <cmath>
#include <filesystem>
#include <fstream>

namespace tally::bench {

int scaledCount(int full, double scale, int least) {
    return std::max(least, static_cast<int>(std::lround(full * scale)));
}

ProfileWriter::ProfileWriter(std::string folder, std::uint32_t seed)
    : m_folder(std::move(folder)), m_random(seed) {}

void ProfileWriter::line(std::string_view text) {
    m_text += text;
    m_text += "\r\n";
    ++m_lines;
}

void ProfileWriter::classHeader(std::string_view name) {
    line("VERSION 1.0 CLASS");
    line("BEGIN");
    line("  MultiUse = -1  'True");
    line("  Persistable = 0  'NotPersistable");
    line("  DataBindingBehavior = 0  'vbNone");
    line("  DataSourceBehavior  = 0  'vbNone");
    line("  MTSTransactionMode  = 0  'NotAnMTSObject");
    line("END");
    designerAttributes(name, true);
}

void ProfileWriter::designerAttributes(std::string_view name, bool exposed) {
    line("Attribute VB_Name = \"" + std::string(name) + "\"");
    line("Attribute VB_GlobalNameSpace = False");
    line("Attribute VB_Creatable = True");
    line("Attribute VB_PredeclaredId = False");
    line(exposed ? "Attribute VB_Exposed = True" : "Attribute VB_Exposed = False");
}

void ProfileWriter::endMember(MemberKind kind, const std::string& name) {
    static const char* const kEntry[] = {"Module=", "Class=", "Form=", "UserControl=", "PropertyPage="};
    static const char* const kExtension[] = {".bas", ".cls", ".frm", ".ctl", ".pag"};
    const auto k = static_cast<std::size_t>(kind);
    const std::string fileName = name + kExtension[k];
    // Modules and classes carry their name in the entry; the others declare it in their designer.
    const bool named = kind == MemberKind::Module || kind == MemberKind::Class;
    m_project += std::string(kEntry[k]) + (named ? name + "; " : "") + fileName + "\r\n";
    m_bytes += static_cast<long long>(m_text.size());
    ++m_files;
    std::ofstream out(m_folder + "/" + fileName, std::ios::binary);
    out << m_text;
    if (!out && m_error.empty()) m_error = "cannot write " + fileName;
    m_text.clear();
}

SyntheticProjectResult ProfileWriter::finish(std::string_view head, std::string_view projectName) {
    SyntheticProjectResult result;
    result.error = m_error;
    result.lines = m_lines;
    result.bytes = m_bytes;
    result.files = m_files;
    if (!m_error.empty()) return result;
    const std::string name(projectName);
    std::string text = std::string(head) +
                       "\r\nReference=*\\G{00020430-0000-0000-C000-000000000046}#2.0#0#stdole2.tlb#OLE "
                       "Automation\r\n" +
                       m_project + "Title=\"" + name + "\"\r\nName=\"" + name +
                       "\"\r\nMajorVer=1\r\nMinorVer=0\r\nRevisionVer=0\r\n";
    result.projectPath = m_folder + "/Synthetic.vbp";
    std::ofstream project(result.projectPath, std::ios::binary);
    project << text;
    if (!project) {
        result.error = "cannot write " + result.projectPath;
        return result;
    }
    result.ok = true;
    return result;
}

namespace {

struct Api {
    const char* name;
    const char* dll;
    int parameters;
};

const Api kApis[] = {
    {"GetClientRect", "user32", 2},
    {"InvalidateRect", "user32", 3},
    {"FillRect", "user32", 3},
    {"DrawTextW", "user32", 5},
    {"CreateSolidBrush", "gdi32", 1},
    {"DeleteObject", "gdi32", 1},
    {"SelectObject", "gdi32", 2},
    {"GetDC", "user32", 1},
    {"ReleaseDC", "user32", 2},
    {"SendMessageW", "user32", 4},
    {"SetWindowLongW", "user32", 3},
    {"CallWindowProcW", "user32", 5},
    {"GetSysColor", "user32", 1},
    {"OleTranslateColor", "olepro32", 3},
    {"CreateFontIndirectW", "gdi32", 1},
    {"SetBkMode", "gdi32", 2},
    {"SetTextColor", "gdi32", 2},
    {"BitBlt", "gdi32", 9},
    {"StretchBlt", "gdi32", 11},
    {"CreateCompatibleDC", "gdi32", 1},
    {"CreateCompatibleBitmap", "gdi32", 3},
    {"DrawEdge", "user32", 4},
    {"DrawFocusRect", "user32", 2},
    {"GetCursorPos", "user32", 1},
    {"ScreenToClient", "user32", 2},
    {"SetCapture", "user32", 1},
    {"ReleaseCapture", "user32", 0},
    {"OpenThemeData", "uxtheme", 2},
    {"CloseThemeData", "uxtheme", 1},
    {"DrawThemeBackground", "uxtheme", 6},
    {"GetTextExtentPoint32W", "gdi32", 4},
    {"ImageList_Draw", "comctl32", 6},
    {"CreateDIBSection", "gdi32", 6},
    {"GdipCreateBitmapFromScan0", "gdiplus", 6},
    {"GdipDrawImageRectRectI", "gdiplus", 12},
    {"AlphaBlend", "msimg32", 11},
    {"GetObjectW", "gdi32", 3},
    {"MoveToEx", "gdi32", 4},
    {"LineTo", "gdi32", 3},
    {"SetPixelV", "gdi32", 4},
    {"GetPixel", "gdi32", 3},
    {"CopyMemory", "kernel32", 3},
    {"GetTickCount", "kernel32", 0},
    {"SetTimer", "user32", 4},
    {"KillTimer", "user32", 2},
    {"PostMessageW", "user32", 4},
    {"GetWindowRect", "user32", 2},
    {"SetWindowPos", "user32", 7},
};

const char* const kParameterNames[] = {"hDC",     "hWnd",    "x",       "y",      "nWidth",
                                       "nHeight", "lpRect",  "dwFlags", "lParam", "wParam",
                                       "hObject", "crColor", "lpData",  "nIndex"};

}  // namespace

std::string apiDeclaration(ProfileWriter& writer, std::string_view scope, int index, int parameters) {
    constexpr int kCount = static_cast<int>(sizeof kApis / sizeof kApis[0]);
    const Api& api = kApis[index % kCount];
    const int round = index / kCount;
    std::string name = api.name;
    // Past the list's end the names repeat under another spelling, aliased to the real entry.
    if (round > 0) name += "_" + std::to_string(round);
    std::string text = std::string(scope) + " Declare Function " + name + " Lib \"" + api.dll + "\"" +
                       (round > 0 ? std::string(" Alias \"") + api.name + "\"" : std::string()) + " (";
    const int count = parameters > 0 ? parameters : api.parameters;
    for (int p = 0; p < count; ++p) {
        if (p > 0) text += ", ";
        const char* word = kParameterNames[writer.pick(sizeof kParameterNames / sizeof kParameterNames[0])];
        // As Any stands only ByRef: the caller passes whatever the entry expects by address.
        const bool byRef = writer.chance(20);
        text += (byRef ? "ByRef " : "ByVal ") + std::string(word) + std::to_string(p + 1) +
                (byRef && writer.chance(60) ? " As Any" : " As Long");
    }
    return text + ") As Long";
}

}  // namespace tally::bench
