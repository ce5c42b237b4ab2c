// The "controls" profile: a common-controls library of user controls, property pages, item classes
// and a few modules, in which the standard properties are re-implemented file after file.

#include <algorithm>
#include <string>
#include <vector>

#include "ProfileWriter.h"
#include "SyntheticProfiles.h"

namespace tally::bench {

namespace {

enum class Shape { Value, Object, ReadOnly, Method };

struct Standard {
    const char* name;
    const char* type;  // a property's type; a method's parameters and result
    Shape shape;
};

// The standard members, the most widely re-implemented first.
const Standard kStandard[] = {
    {"Tag", "String", Shape::Value},
    {"DragIcon", "StdPicture", Shape::Object},
    {"MouseIcon", "StdPicture", Shape::Object},
    {"Width", "Single", Shape::Value},
    {"Left", "Single", Shape::Value},
    {"Top", "Single", Shape::Value},
    {"Height", "Single", Shape::Value},
    {"Enabled", "Boolean", Shape::Value},
    {"Font", "StdFont", Shape::Object},
    {"BackColor", "OLE_COLOR", Shape::Value},
    {"ForeColor", "OLE_COLOR", Shape::Value},
    {"Visible", "Boolean", Shape::Value},
    {"hWnd", "Long", Shape::ReadOnly},
    {"MousePointer", "Integer", Shape::Value},
    {"ToolTipText", "String", Shape::Value},
    {"Appearance", "Integer", Shape::Value},
    {"BorderStyle", "Integer", Shape::Value},
    {"HelpContextID", "Long", Shape::Value},
    {"WhatsThisHelpID", "Long", Shape::Value},
    {"OLEDropMode", "Integer", Shape::Value},
    {"DragMode", "Integer", Shape::Value},
    {"Parent", "Object", Shape::ReadOnly},
    {"Container", "Object", Shape::ReadOnly},
    {"Object", "Object", Shape::ReadOnly},
    {"Name", "String", Shape::ReadOnly},
    {"Index", "Integer", Shape::ReadOnly},
    {"TabIndex", "Integer", Shape::Value},
    {"TabStop", "Boolean", Shape::Value},
    {"Refresh", "()", Shape::Method},
    {"Move",
     "(ByVal NewLeft As Single, Optional ByVal NewTop, Optional ByVal NewWidth, Optional ByVal NewHeight)",
     Shape::Method},
    {"SetFocus", "()", Shape::Method},
    {"ZOrder", "(Optional ByVal Position As Integer = 0)", Shape::Method},
    {"Drag", "(Optional ByVal Action As Integer = 1)", Shape::Method},
    {"ShowWhatsThis", "()", Shape::Method},
    {"OLEDrag", "()", Shape::Method},
    {"Caption", "String", Shape::Value},
    {"Text", "String", Shape::Value},
    {"Value", "Long", Shape::Value},
    {"Picture", "StdPicture", Shape::Object},
    {"Style", "Long", Shape::Value},
    {"Alignment", "Integer", Shape::Value},
    {"Key", "String", Shape::Value},
    {"Count", "Long", Shape::ReadOnly},
    {"Item", "(ByVal Index As Variant) As Object", Shape::Method},
    {"Add", "(Optional ByVal Index As Variant, Optional ByVal Key As Variant) As Object", Shape::Method},
    {"Remove", "(ByVal Index As Variant)", Shape::Method},
    {"Clear", "()", Shape::Method},
    {"Selected", "Boolean", Shape::Value},
    {"Image", "Variant", Shape::Value},
    {"Checked", "Boolean", Shape::Value},
    {"Locked", "Boolean", Shape::Value},
    {"MaxLength", "Long", Shape::Value},
    {"Min", "Long", Shape::Value},
    {"Max", "Long", Shape::Value},
    {"SmallChange", "Long", Shape::Value},
    {"LargeChange", "Long", Shape::Value},
    {"Orientation", "Integer", Shape::Value},
    {"ScaleMode", "Integer", Shape::Value},
    {"AutoSize", "Boolean", Shape::Value},
    {"FontBold", "Boolean", Shape::Value},
    {"FontItalic", "Boolean", Shape::Value},
    {"FontUnderline", "Boolean", Shape::Value},
    {"FontStrikethru", "Boolean", Shape::Value},
    {"FontName", "String", Shape::Value},
    {"FontSize", "Single", Shape::Value},
    {"Ghosted", "Boolean", Shape::Value},
    {"Expanded", "Boolean", Shape::Value},
    {"Indent", "Single", Shape::Value},
    {"Sorted", "Boolean", Shape::Value},
    {"SortKey", "Integer", Shape::Value},
    {"SortOrder", "Integer", Shape::Value},
    {"ImageList", "Object", Shape::Object},
    {"Icons", "Object", Shape::Object},
    {"SmallIcons", "Object", Shape::Object},
    {"ColumnHeaders", "Object", Shape::ReadOnly},
    {"ListItems", "Object", Shape::ReadOnly},
    {"Nodes", "Object", Shape::ReadOnly},
    {"Panels", "Object", Shape::ReadOnly},
    {"Buttons", "Object", Shape::ReadOnly},
    {"Bands", "Object", Shape::ReadOnly},
    {"Tabs", "Object", Shape::ReadOnly},
    {"SelectedItem", "Object", Shape::Object},
    {"HotTracking", "Boolean", Shape::Value},
    {"MultiSelect", "Boolean", Shape::Value},
    {"LabelEdit", "Integer", Shape::Value},
    {"FullRowSelect", "Boolean", Shape::Value},
    {"GridLines", "Boolean", Shape::Value},
    {"HideSelection", "Boolean", Shape::Value},
    {"View", "Integer", Shape::Value},
    {"Arrange", "Integer", Shape::Value},
    {"Wrappable", "Boolean", Shape::Value},
    {"ShowTips", "Boolean", Shape::Value},
    {"AllowCustomize", "Boolean", Shape::Value},
    {"MaskColor", "OLE_COLOR", Shape::Value},
    {"UseMaskColor", "Boolean", Shape::Value},
    {"ImageHeight", "Long", Shape::Value},
    {"ImageWidth", "Long", Shape::Value},
    {"ListImages", "Object", Shape::ReadOnly},
    {"ListIndex", "Long", Shape::Value},
    {"ListCount", "Long", Shape::ReadOnly},
    {"TopIndex", "Long", Shape::Value},
    {"hImageList", "Long", Shape::ReadOnly},
    {"RightToLeft", "Boolean", Shape::Value},
    {"Redraw", "Boolean", Shape::Value},
    {"BackStyle", "Integer", Shape::Value},
    {"FillColor", "OLE_COLOR", Shape::Value},
    {"hDC", "Long", Shape::ReadOnly},
    {"Highlighted", "Boolean", Shape::Value},
    {"EnsureVisible", "() As Boolean", Shape::Method},
    {"Placement", "Integer", Shape::Value},
    {"MultiRow", "Boolean", Shape::Value},
    {"TabWidthStyle", "Integer", Shape::Value},
    {"Scrolling", "Boolean", Shape::Value},
    {"Increment", "Long", Shape::Value},
    {"Wrap", "Boolean", Shape::Value},
    {"Interval", "Long", Shape::Value},
    {"SelStart", "Long", Shape::Value},
    {"SelLength", "Long", Shape::Value},
    {"SelText", "String", Shape::Value},
    {"PasswordChar", "String", Shape::Value},
    {"MultiLine", "Boolean", Shape::Value},
    {"ScrollBars", "Integer", Shape::Value},
    {"DropHighlight", "Object", Shape::Object},
    {"PathSeparator", "String", Shape::Value},
    {"LineStyle", "Integer", Shape::Value},
    {"Checkboxes", "Boolean", Shape::Value},
    {"TextBackground", "Integer", Shape::Value},
    {"FlatScrollBar", "Boolean", Shape::Value},
    {"OLEDragMode", "Integer", Shape::Value},
    {"Sort", "()", Shape::Method},
    {"Find", "(ByVal Text As String) As Long", Shape::Method},
    {"HitTest", "(ByVal X As Single, ByVal Y As Single) As Object", Shape::Method},
    {"StartLabelEdit", "()", Shape::Method},
    {"GetFirstVisible", "() As Object", Shape::Method},
    {"ButtonHeight", "Single", Shape::Value},
    {"ButtonWidth", "Single", Shape::Value},
    {"TextAlignment", "Integer", Shape::Value},
    {"SimpleText", "String", Shape::Value},
    {"DisabledImageList", "Object", Shape::Object},
    {"HotImageList", "Object", Shape::Object},
};
constexpr int kStandardCount = static_cast<int>(sizeof kStandard / sizeof kStandard[0]);

// How often a user control re-implements the standard member `i`, in percent. Item classes and
// property pages take the first eight as often and the others less often.
int standardPercent(int i, MemberKind kind) {
    static const int kTop[] = {99, 91, 88, 86, 82, 79, 78, 76};
    if (i < 8) return kTop[i];
    const int percent = std::max(2, 72 - (i - 8) * 66 / 100);
    return kind == MemberKind::UserControl ? percent
           : kind == MemberKind::Class     ? percent * 3 / 4
                                           : percent / 2;
}

struct Handler {
    const char* name;
    const char* parameters;
    int percent;
};

const Handler kControlHandlers[] = {
    {"Initialize", "", 95},
    {"InitProperties", "", 97},
    {"ReadProperties", "PropBag As PropertyBag", 97},
    {"WriteProperties", "PropBag As PropertyBag", 97},
    {"Resize", "", 90},
    {"Terminate", "", 80},
    {"Paint", "", 60},
    {"Show", "", 40},
    {"EnterFocus", "", 45},
    {"ExitFocus", "", 45},
    {"MouseDown", "Button As Integer, Shift As Integer, X As Single, Y As Single", 55},
    {"MouseMove", "Button As Integer, Shift As Integer, X As Single, Y As Single", 50},
    {"MouseUp", "Button As Integer, Shift As Integer, X As Single, Y As Single", 55},
    {"KeyDown", "KeyCode As Integer, Shift As Integer", 45},
    {"AmbientChanged", "PropertyName As String", 35},
};

const char* const kControlNouns[] = {
    "Button",      "CheckBox",  "OptionButton", "Frame",    "Label",     "TextBox",     "ComboBox",
    "ListBox",     "ListView",  "TreeView",     "Toolbar",  "StatusBar", "ProgressBar", "Slider",
    "TabStrip",    "ImageList", "ImageCombo",   "UpDown",   "Animation", "MonthView",   "DTPicker",
    "HotKey",      "IPAddress", "LinkLabel",    "Splitter", "CoolBar",   "RichText",    "SpinBox",
    "ColorPicker", "FontCombo", "Pager",        "Header",   "TrackBar",  "CommandLink", "SysLink"};
const char* const kItemNouns[] = {"ListItem",   "Node",       "ColumnHeader", "Panel",
                                  "ToolButton", "Tab",        "Band",         "ListImage",
                                  "ComboItem",  "ButtonMenu", "SubItem",      "Cell"};
const char* const kVerbs[] = {"Draw", "Calc",  "Update",  "Get",    "Set",
                              "Hit",  "Paint", "Measure", "Layout", "Notify"};
const char* const kParts[] = {"Item",  "Border",  "Text",    "Icon",  "Focus",     "Scroll",
                              "Theme", "Metrics", "Caption", "Arrow", "Selection", "Client"};
const char* const kEvents[] = {"Click",   "DblClick", "Change",   "MouseDown",
                               "MouseUp", "KeyPress", "ItemClick"};

// A property's default, as the constants m_def_<name> hold it.
std::string defaultOf(const std::string& type) {
    if (type == "String") return "\"\"";
    if (type == "Boolean") return "True";
    if (type == "OLE_COLOR") return "&H8000000F";
    if (type == "Variant") return "0";
    return "0";
}

// One user control, property page or item class as the generator sees it.
struct Member {
    MemberKind kind;
    std::string name;
    std::vector<int> standards;  // indexes into kStandard, in order
    std::vector<bool> field;     // per standard: kept in a private m_<name> variable
};

class ControlsProject {
public:
    ControlsProject(ProfileWriter& writer, int modules) : w(writer), m_modules(modules) {}

    void member(const Member& m);
    // The `index`th module, with its share of the helpers.
    void module(int index);
    static constexpr int kHelpersPerModule = 60;

private:
    // A member name of the front of the list, the most common ones most often.
    const Standard& commonMember() { return kStandard[w.pick(1 + w.pick(40))]; }
    // A body of about `lines` lines of drawing and layout code, for a routine that `m_exit` leaves.
    void body(int lines);
    // The local variables every body may use.
    void locals();
    // The module-level variables every body may use.
    void declareFields();
    void standard(const Member& m, std::size_t k);
    void declarations(const Member& m);
    void controlHandlers(const Member& m);
    void pageHandlers(const Member& m);
    void ownRoutines(const Member& m, int count, int minLines, int maxLines);
    // The file's own properties, beside the standard ones: names of a part and an attribute.
    void ownProperties(const Member& m, int count);
    // A helper routine of the modules, which every control calls.
    static std::string helper(int index) {
        const int round = index / 120;
        return std::string("cc") + kVerbs[index % 10] + kParts[index / 10 % 12] +
               (round > 0 ? std::to_string(round + 1) : "");
    }
    // Any helper of the modules.
    std::string anyHelper() {
        return helper(static_cast<int>(w.pick(static_cast<std::uint32_t>(kHelpersPerModule * m_modules))));
    }

    ProfileWriter& w;
    int m_modules;
    MemberKind m_kind = MemberKind::Module;  // of the file being written
    std::string m_exit = "Exit Sub";         // the statement that leaves the routine being written
};

void ControlsProject::body(int lines) {
    const bool control = m_kind == MemberKind::UserControl;
    // The object whose standard members the code reads and sets, and one with a known shape.
    const std::string self = control                              ? "UserControl"
                             : m_kind == MemberKind::Class        ? "m_oOwner"
                             : m_kind == MemberKind::PropertyPage ? "SelectedControls(0)"
                                                                  : "oCtl";
    const std::string part = control ? "picCanvas" : self;
    for (int n = 0; n < lines; ++n) {
        // Members are reached late-bound, so that any of them fits any object.
        const std::string object = control && w.chance(50) ? "UserControl.Extender"
                                   : control               ? "m_oParent"
                                                           : self;
        const Standard& s = commonMember();
        const std::string member = s.shape == Shape::Value || s.shape == Shape::ReadOnly ? s.name : "Width";
        switch (w.pick(14)) {
            case 0:
                w.line("    lValue = " + object + "." + member);
                break;
            case 1:
                w.line("    If " + part + ".Left + " + part + ".Width > lRight Then lRight = " + part +
                       ".Left + " + part + ".Width");
                break;
            case 2:
                w.line("    " + part + ".Move m_lBorder, m_lBorder, " + self + ".Width - 2 * m_lBorder, " +
                       self + ".Height - 2 * m_lBorder");
                break;
            case 3:
                w.line("    " + self + ".Tag = CStr(lIndex)");
                break;
            case 4:
                w.line("    Set " + self + ".Font = m_oFont");
                break;
            case 5:
                w.line("    With tR");
                w.line("        .Left = m_lBorder: .Top = m_lBorder");
                w.line("        .Right = " + part + ".Width - .Left: .Bottom = " + part + ".Height - .Top");
                w.line("    End With");
                n += 3;
                break;
            case 6:
                w.line("    For lIndex = 0 To m_lCount - 1");
                w.line("        lTotal = lTotal + m_tItems(lIndex).Right - m_tItems(lIndex).Left");
                w.line("    Next lIndex");
                n += 2;
                break;
            case 7:
                if (m_modules > 0) w.line("    lColor = " + helper(0) + "(lValue)");
                break;
            case 8:
                if (m_modules > 0) w.line("    " + anyHelper() + " lValue, " + self + ", lColor");
                break;
            case 9:
                w.line(control ? "    RaiseEvent " + std::string(w.any(kEvents)) : "    lTotal = lTotal + 1");
                break;
            case 10:
                w.line("    ' keep the " + std::string(s.name) + " of the control in step with its parts");
                break;
            case 11:
                w.line("");
                break;
            case 12:
                w.line("    If Not m_bRedraw Then " + m_exit);
                break;
            default:
                w.line("    " + object + "." + (s.shape == Shape::Value ? s.name : "Tag") + " = lValue");
                break;
        }
    }
}

void ControlsProject::declareFields() {
    w.line("Private m_bRedraw As Boolean");
    w.line("Private m_lBorder As Long");
    w.line("Private m_lCount As Long");
    w.line("Private m_tItems() As RECT");
    w.line("Private m_oFont As StdFont");
}

void ControlsProject::locals() {
    w.line("    Dim lValue As Long, lRight As Long, lTotal As Long, lColor As Long, lIndex As Long");
    w.line("    Dim tR As RECT");
}

void ControlsProject::standard(const Member& m, std::size_t k) {
    const Standard& s = kStandard[m.standards[k]];
    const std::string name = s.name, type = s.type;
    const bool control = m.kind == MemberKind::UserControl, page = m.kind == MemberKind::PropertyPage;
    const std::string scope = page ? "Private" : "Public";
    std::string source =
        m.field[k] ? "m_" + name : (w.chance(50) ? "UserControl.Extender." : "UserControl.") + name;
    if (m.kind == MemberKind::Class && !m.field[k]) source = "m_oOwner." + name;
    if (page) source = s.shape == Shape::Value ? "txt" + name + ".Text" : "SelectedControls(0)." + name;
    if (s.shape == Shape::Method) {
        const bool function = type.find(") As ") != std::string::npos;
        const std::string end = function ? "End Function" : "End Sub";
        w.line(scope + (function ? " Function " : " Sub ") + name + type);
        if (control && w.chance(40))
            w.line("Attribute " + name + ".VB_Description = \"" + name + " the control.\"");
        m_exit = function ? "Exit Function" : "Exit Sub";
        locals();
        body(2 + static_cast<int>(w.pick(6)));
        w.line(end);
        w.line("");
        return;
    }
    const bool object = s.shape == Shape::Object || type == "Object";
    w.line(scope + " Property Get " + name + "() As " + type);
    if (control && w.chance(50))
        w.line("Attribute " + name + ".VB_Description = \"Returns/sets the " + name + " of the control.\"");
    if (control && w.chance(20))
        w.line("Attribute " + name + ".VB_ProcData.VB_Invoke_Property = \";Appearance\"");
    w.line(std::string(object ? "    Set " : "    ") + name + " = " + source);
    w.line("End Property");
    w.line("");
    if (s.shape == Shape::ReadOnly) return;
    const std::string argument = "(ByVal New_" + name + " As " + type + ")";
    w.line(scope + " Property " + (object ? "Set " : "Let ") + name + argument);
    if (control && w.chance(10)) w.line("    If Ambient.UserMode Then Err.Raise 382");
    w.line(std::string(object ? "    Set " : "    ") + source + " = New_" + name);
    if (control) {
        if (m.field[k] && !object) w.line("    UserControl." + name + " = m_" + name);
        w.line("    PropertyChanged \"" + name + "\"");
        if (w.chance(40)) w.line(w.chance(50) ? "    UserControl.Refresh" : "    pDrawItem");
    } else if (page) {
        w.line("    Changed = True");
    } else if (w.chance(40)) {
        w.line("    If Not m_oOwner Is Nothing Then m_oOwner.Refresh");
    }
    w.line("End Property");
    w.line("");
    // Object properties often accept a plain assignment too.
    if (object && control && w.chance(40)) {
        w.line(scope + " Property Let " + name + argument);
        w.line("    Set " + name + " = New_" + name);
        w.line("End Property");
        w.line("");
    }
}

void ControlsProject::declarations(const Member& m) {
    w.line("'==========================================================================");
    w.line("' " + m.name + " - part of the synthetic common-controls library");
    w.line("'==========================================================================");
    w.line("Option Explicit");
    w.line("");
    if (m.kind == MemberKind::UserControl) {
        const int apis = 5 + static_cast<int>(w.pick(10));
        const int first = static_cast<int>(w.pick(40));
        for (int a = 0; a < apis; ++a) w.line(apiDeclaration(w, "Private", first + a));
        w.line("");
        w.line("Private Type RECT");
        for (const char* field : {"Left", "Top", "Right", "Bottom"})
            w.line("    " + std::string(field) + " As Long");
        w.line("End Type");
        w.line("");
        for (const char* event : kEvents) w.line("Public Event " + std::string(event) + "()");
        w.line("");
    }
    if (m.kind == MemberKind::Class) w.line("Private m_oOwner As Object");
    if (m.kind == MemberKind::UserControl) w.line("Private m_oParent As Object");
    declareFields();
    for (std::size_t k = 0; k < m.standards.size(); ++k) {
        const Standard& s = kStandard[m.standards[k]];
        if (!m.field[k]) continue;
        if (m.kind == MemberKind::UserControl && s.shape == Shape::Value)
            w.line("Private Const m_def_" + std::string(s.name) + " = " + defaultOf(s.type));
        w.line("Private m_" + std::string(s.name) + " As " + s.type);
    }
    w.line("");
}

void ControlsProject::controlHandlers(const Member& m) {
    for (const Handler& h : kControlHandlers) {
        if (!w.chance(h.percent)) continue;
        const std::string name = h.name;
        w.line("Private Sub UserControl_" + name + "(" + h.parameters + ")");
        const bool read = name == "ReadProperties", write = name == "WriteProperties";
        if (read || write || name == "InitProperties") {
            for (std::size_t k = 0; k < m.standards.size(); ++k) {
                const Standard& s = kStandard[m.standards[k]];
                if (!m.field[k] || s.shape != Shape::Value) continue;
                const std::string p = s.name;
                if (read)
                    w.line("    m_" + p + " = PropBag.ReadProperty(\"" + p + "\", m_def_" + p + ")");
                else if (write)
                    w.line("    Call PropBag.WriteProperty(\"" + p + "\", m_" + p + ", m_def_" + p + ")");
                else
                    w.line("    m_" + p + " = m_def_" + p);
            }
            if (read) w.line("    Set m_oFont = PropBag.ReadProperty(\"Font\", Ambient.Font)");
        } else {
            if (name.rfind("Mouse", 0) == 0) w.line("    RaiseEvent " + name);
            m_exit = "Exit Sub";
            locals();
            body(4 + static_cast<int>(w.pick(20)));
        }
        w.line("End Sub");
        w.line("");
    }
}

void ControlsProject::pageHandlers(const Member& m) {
    w.line("Private Sub PropertyPage_SelectionChanged()");
    for (std::size_t k = 0; k < m.standards.size(); ++k) {
        const Standard& s = kStandard[m.standards[k]];
        if (s.shape == Shape::Value)
            w.line("    txt" + std::string(s.name) + ".Text = SelectedControls(0)." + s.name);
    }
    w.line("    Changed = False");
    w.line("End Sub");
    w.line("");
    w.line("Private Sub PropertyPage_ApplyChanges()");
    for (std::size_t k = 0; k < m.standards.size(); ++k) {
        const Standard& s = kStandard[m.standards[k]];
        if (s.shape == Shape::Value)
            w.line("    SelectedControls(0)." + std::string(s.name) + " = " + s.name);
    }
    w.line("End Sub");
    w.line("");
    for (std::size_t k = 0; k < m.standards.size(); ++k) {
        const Standard& s = kStandard[m.standards[k]];
        if (s.shape != Shape::Value || !w.chance(60)) continue;
        w.line("Private Sub txt" + std::string(s.name) + "_Change()");
        w.line("    Changed = True");
        w.line("End Sub");
        w.line("");
    }
}

void ControlsProject::ownRoutines(const Member& m, int count, int minLines, int maxLines) {
    const int offset = static_cast<int>(w.pick(120));
    for (int r = 0; r < count; ++r) {
        // Distinct within the file (the first is always pDrawItem, which the property procedures
        // call); a few names recur across the files, the others carry the file's own noun.
        const bool first = r == 0 && m.kind == MemberKind::UserControl;
        const int combo = first ? 0 : 1 + (offset + r * 7) % 119;
        const std::string own =
            combo < 12 ? std::string() : m.name.substr(m.name.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        const std::string name = std::string("p") + kVerbs[combo % 10] + own + kParts[combo / 10];
        const bool function = !first && w.chance(30);
        w.line(std::string(m.kind == MemberKind::Class ? "Friend" : "Private") +
               (function ? " Function " : " Sub ") + name + "(Optional ByVal lItem As Long)" +
               (function ? " As Long" : ""));
        m_exit = function ? "Exit Function" : "Exit Sub";
        locals();
        body(minLines + static_cast<int>(w.pick(static_cast<std::uint32_t>(maxLines - minLines))));
        w.line(function ? "End Function" : "End Sub");
        w.line("");
    }
}

void ControlsProject::ownProperties(const Member& m, int count) {
    static const char* const kAttributes[] = {"Height", "Width", "Color", "Style", "Size",
                                              "Align",  "Count", "Index", "Shown", "Mode"};
    const int offset = static_cast<int>(w.pick(120));
    for (int p = 0; p < count; ++p) {
        const int combo = (offset + p * 13) % 120;
        const std::string name = std::string(kParts[combo / 10]) + kAttributes[combo % 10];
        w.line("Public Property Get " + name + "() As Long");
        w.line("    " + name + " = m_lBorder + m_lCount");
        w.line("End Property");
        w.line("");
        w.line("Public Property Let " + name + "(ByVal New_" + name + " As Long)");
        w.line("    m_lCount = New_" + name);
        if (m.kind == MemberKind::UserControl) w.line("    PropertyChanged \"" + name + "\"");
        w.line(m.kind == MemberKind::UserControl ? "    If m_bRedraw Then pDrawItem"
                                                 : "    m_bRedraw = True");
        w.line("End Property");
        w.line("");
    }
}

void ControlsProject::member(const Member& m) {
    const std::string& name = m.name;
    m_kind = m.kind;
    if (m.kind == MemberKind::Class) {
        w.classHeader(name);
    } else {
        const bool control = m.kind == MemberKind::UserControl;
        w.line("VERSION 5.00");
        w.line(std::string(control ? "Begin VB.UserControl " : "Begin VB.PropertyPage ") + name + " ");
        if (!control) w.line("   Caption         =   \"" + name.substr(3) + "\"");
        w.line("   ClientHeight    =   " + std::to_string(1500 + w.pick(3000)));
        w.line("   ClientLeft      =   0");
        w.line("   ClientTop       =   0");
        w.line("   ClientWidth     =   " + std::to_string(2400 + w.pick(3000)));
        if (control) w.line("   ToolboxBitmap   =   \"" + name + ".ctx\":0000");
        // A page has a label and a text box per property it edits; a control a few parts.
        int top = 120;
        for (std::size_t k = 0; k < m.standards.size(); ++k) {
            const Standard& s = kStandard[m.standards[k]];
            if (control ? k > 2 : s.shape != Shape::Value) continue;
            const std::string prefix = control ? (k == 0   ? "picCanvas"
                                                  : k == 1 ? "lblCaption"
                                                           : "txtEdit")
                                               : "txt";
            const std::string part = control ? prefix : prefix + s.name;
            const char* type = !control || k == 2 ? "VB.TextBox " : k == 0 ? "VB.PictureBox " : "VB.Label ";
            w.line(std::string("   Begin ") + type + part + " ");
            w.line("      Height          =   285");
            w.line("      Left            =   1920");
            w.line("      TabIndex        =   " + std::to_string(k));
            w.line("      Top             =   " + std::to_string(top));
            w.line("      Width           =   1095");
            w.line("   End");
            if (!control) {
                w.line(std::string("   Begin VB.Label lbl") + s.name + " ");
                w.line(std::string("      Caption         =   \"") + s.name + ":\"");
                w.line("      Height          =   255");
                w.line("      Left            =   120");
                w.line("      Top             =   " + std::to_string(top));
                w.line("      Width           =   1575");
                w.line("   End");
            }
            top += 360;
        }
        w.line("End");
        w.designerAttributes(name, control);
    }
    declarations(m);
    for (std::size_t k = 0; k < m.standards.size(); ++k) standard(m, k);
    if (m.kind != MemberKind::PropertyPage) ownProperties(m, 3 + static_cast<int>(w.pick(7)));
    switch (m.kind) {
        case MemberKind::UserControl:
            controlHandlers(m);
            ownRoutines(m, 14 + static_cast<int>(w.pick(12)), 20, 80);
            break;
        case MemberKind::PropertyPage:
            pageHandlers(m);
            ownRoutines(m, 2 + static_cast<int>(w.pick(3)), 6, 30);
            break;
        default:
            w.line("Private Sub Class_Initialize()");
            w.line("    m_bRedraw = True");
            w.line("End Sub");
            w.line("");
            w.line("Private Sub Class_Terminate()");
            w.line("    Set m_oOwner = Nothing");
            w.line("End Sub");
            w.line("");
            w.line("Friend Sub fInit(ByVal oOwner As Object, ByVal sKey As String)");
            w.line("    Set m_oOwner = oOwner");
            w.line("End Sub");
            w.line("");
            ownRoutines(m, 8 + static_cast<int>(w.pick(9)), 6, 32);
            break;
    }
    w.endMember(m.kind, name);
}

void ControlsProject::module(int index) {
    const std::string name = "modCommon" + std::to_string(index + 1);
    m_kind = MemberKind::Module;
    w.line("Attribute VB_Name = \"" + name + "\"");
    w.line("Option Explicit");
    w.line("");
    const int apis = 60 + static_cast<int>(w.pick(40));
    for (int a = 0; a < apis; ++a) w.line(apiDeclaration(w, "Public", index * 100 + a));
    w.line("");
    if (index == 0) {
        w.line("Public Type RECT");
        for (const char* field : {"Left", "Top", "Right", "Bottom"})
            w.line("    " + std::string(field) + " As Long");
        w.line("End Type");
        w.line("");
    }
    declareFields();
    for (int r = index * kHelpersPerModule; r < (index + 1) * kHelpersPerModule; ++r) {
        w.line("Public Function " + helper(r) +
               "(ByVal hDC As Long, Optional ByVal oCtl As Object, Optional ByVal lTint As Long) As Long");
        m_exit = "Exit Function";
        locals();
        body(4 + static_cast<int>(w.pick(14)));
        w.line("End Function");
        w.line("");
    }
    w.endMember(MemberKind::Module, name);
}

// The standard members a file of `kind` re-implements, and which of them it keeps in a variable.
Member planned(ProfileWriter& w, MemberKind kind, std::string name) {
    Member m{kind, std::move(name), {}, {}};
    for (int i = 0; i < kStandardCount; ++i) {
        if (!w.chance(standardPercent(i, kind))) continue;
        m.standards.push_back(i);
        const bool method = kStandard[i].shape == Shape::Method;
        m.field.push_back(kind != MemberKind::PropertyPage && !method && (i >= 24 || w.chance(30)));
    }
    return m;
}

// The `index`th name made of a prefix and a list of nouns, numbered once the nouns run out.
template <std::size_t N>
std::string nthName(const char* prefix, const char* const (&nouns)[N], int index) {
    const int round = index / static_cast<int>(N);
    return prefix + std::string(nouns[index % N]) + (round > 0 ? std::to_string(round + 1) : "");
}

}  // namespace

SyntheticProjectResult writeControlsProfile(const std::string& folder, double scale, std::uint32_t seed) {
    ProfileWriter w(folder, seed);
    // The imitated library: 35 user controls, 29 property pages, 45 item classes and 2 modules.
    const int controls = scaledCount(35, scale), pages = scaledCount(29, scale, 0);
    const int classes = scaledCount(45, scale, 0), modules = scaledCount(2, scale);
    ControlsProject project(w, modules);
    // Modules come first so that every control finds its helpers declared.
    for (int i = 0; i < modules; ++i) project.module(i);
    for (int i = 0; i < controls; ++i)
        project.member(planned(w, MemberKind::UserControl, nthName("uc", kControlNouns, i)));
    for (int i = 0; i < pages; ++i)
        project.member(planned(w, MemberKind::PropertyPage, nthName("pag", kControlNouns, i)));
    for (int i = 0; i < classes; ++i)
        project.member(planned(w, MemberKind::Class, nthName("c", kItemNouns, i)));
    return w.finish("Type=Control", "SynthControls");
}

}  // namespace tally::bench
