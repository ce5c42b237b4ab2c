// The "forms" profile: a photo editor of hundreds of tool forms with big designer blocks, its own
// user controls on them, effect modules and image classes.

#include <algorithm>
#include <string>
#include <vector>

#include "ProfileWriter.h"
#include "SyntheticProfiles.h"

namespace tally::bench {

namespace {

// The project's own controls; the first three are on nearly every tool form.
const char* const kControls[] = {"pdCommandBar",       "pdFxPreviewCtl",   "pdSlider",
                                 "pdButton",           "pdLabel",          "pdCheckBox",
                                 "pdColorSelector",    "pdDropDown",       "pdTitle",
                                 "pdButtonStrip",      "pdTextBox",        "pdSpinner",
                                 "pdHyperlink",        "pdContainer",      "pdCanvas",
                                 "pdListBox",          "pdRadioButton",    "pdScrollBar",
                                 "pdGradientSelector", "pdBrushSelector",  "pdPenSelector",
                                 "pdResize",           "pdColorWheel",     "pdColorVariants",
                                 "pdHistory",          "pdNavigator",      "pdRuler",
                                 "pdStatusBar",        "pdPictureBox",     "pdProgressBar",
                                 "pdAccelerator",      "pdDownload",       "pdNewOld",
                                 "pdRandomize",        "pdMetadataExport", "pdColorDepth",
                                 "pdSearchBar",        "pdTreeviewOD",     "pdListBoxOD",
                                 "pdTextBoxInner",     "pdDropDownFont",   "pdButtonToolbox",
                                 "pdSliderStandalone", "pdLayerList",      "pdPaletteUI",
                                 "pdNetworkUI",        "pdStrip",          "pdTooltip",
                                 "pdImageStrip",       "pdMagnifier",      "pdFontDialog",
                                 "pdCommandBarMini",   "pdCrossFade",      "pdGrid",
                                 "pdMRUList",          "pdBrushPreview"};
const char* const kEffects[] = {
    "Blur",      "Sharpen",  "Emboss",    "Noise",  "Levels",   "Curves", "Vignette", "Mosaic",
    "Posterize", "Solarize", "Twirl",     "Ripple", "Pinch",    "Smudge", "Median",   "Dilate",
    "Erode",     "Glow",     "Shadow",    "Bevel",  "Outline",  "Fog",    "Clouds",   "Fibers",
    "Crystal",   "Kaleido",  "Polar",     "Lens",   "Channel",  "Sepia",  "Tint",     "Vibrance",
    "Exposure",  "Gamma",    "Threshold", "Dither", "Halftone", "Grain",  "Bloom",    "Sketch"};
const char* const kSettings[] = {"Radius", "Strength", "Angle",   "Amount",   "Quality", "Size",
                                 "Hue",    "Detail",   "Opacity", "Softness", "Offset",  "Density"};
const char* const kFormEvents[] = {"cmdBar_CancelClick()",
                                   "cmdBar_ResetClick()",
                                   "cmdBar_RequestPreviewUpdate()",
                                   "cmdBar_AddCustomPresetData()",
                                   "cmdBar_ReadCustomPresetData()",
                                   "Form_Activate()",
                                   "Form_Resize()",
                                   "Form_QueryUnload(Cancel As Integer, UnloadMode As Integer)"};
const int kFormEventPercents[] = {30, 62, 55, 35, 35, 25, 20, 15};
const char* const kVerbs[] = {"Get",  "Set",  "Apply",  "Calc", "Build",
                              "Fill", "Find", "Update", "Load", "Save"};
const char* const kNouns[] = {"Pixel",  "Layer",  "Mask",   "Palette", "Histogram",
                              "Region", "Stroke", "Kernel", "Buffer",  "Channel"};
const char* const kPhrases[] = {
    "the image is too large for this tool",    "please choose a smaller radius or a lower quality",
    "the preview shows the selection only",    "changes are applied to the active layer",
    "this may take a while on older machines", "press Ctrl to keep the proportions"};

// The helpers of the first module, which every tool form calls.
const char* const kInterface[] = {"ApplyThemeAndTranslations",
                                  "ReleaseFormTheming",
                                  "Process",
                                  "Message",
                                  "SetProgBarVal",
                                  "SetProgBarMax",
                                  "PrepImageData",
                                  "FinalizeImageData",
                                  "TranslateText",
                                  "BuildParamList",
                                  "ShowPDDialog",
                                  "PDMsgBox"};

template <std::size_t N>
std::string nthName(const char* prefix, const char* const (&nouns)[N], int index) {
    const int round = index / static_cast<int>(N);
    return prefix + std::string(nouns[index % N]) + (round > 0 ? std::to_string(round + 1) : "");
}

class FormsProject {
public:
    FormsProject(ProfileWriter& writer, int controls, int modules)
        : w(writer), m_controls(controls), m_modules(modules) {}

    void form(int index);
    void userControl(int index);
    void module(int index);
    void imageClass(int index);

private:
    std::string control(int i) const { return nthName("", kControls, i % m_controls); }
    // A line of pixel-loop and interface code, or a few.
    int statement();
    void body(int lines) {
        for (int n = 0; n < lines;) n += statement();
    }
    void routine(const std::string& header, const std::string& end, int lines);
    // A string concatenation of about `length` characters on one line.
    std::string longConcatenation(const std::string& target, int length);
    void designer(const std::string& name, const std::vector<std::string>& settings, int controls);

    // The first routine of module `index`, always exported.
    static std::string moduleExport(int index) {
        return std::string(kVerbs[0]) + nthName("", kEffects, index) + kNouns[index % 10];
    }

    ProfileWriter& w;
    int m_controls, m_modules;
    bool m_inForm = false;            // the file being written is a form
    std::string m_exit = "Exit Sub";  // the statement that leaves the routine being written
};

int FormsProject::statement() {
    switch (w.pick(16)) {
        case 0:
            w.line("    For x = initX To finalX");
            w.line("        quickVal = x * qvDepth");
            w.line(
                "        r = imageData(quickVal + 2, y): g = imageData(quickVal + 1, y): b = "
                "imageData(quickVal, y)");
            w.line("        imageData(quickVal, y) = gLookup(b)");
            w.line("    Next x");
            return 5;
        case 1:
            w.line("    If (x And progBarCheck) = 0 Then SetProgBarVal x + curDIBValues.Left");
            return 1;
        case 2:
            w.line("    Message \"" + std::string(w.any(kPhrases)) + "...\"");
            return 1;
        case 3:
            w.line("    tmpString = TranslateText(\"" + std::string(w.any(kPhrases)) + "\")");
            return 1;
        case 4:
            if (!m_inForm) return 0;
            w.line(
                "    pdFxPreview.Move pdFxPreview.Left, pdFxPreview.Top, Me.ScaleWidth - pdFxPreview.Left, "
                "cmdBar.Top - pdFxPreview.Top");
            return 1;
        case 5:
            w.line("    dstWidth = curDIB.GetDIBWidth: dstHeight = curDIB.GetDIBHeight");
            return 1;
        case 6:
            w.line("    ' " + std::string(w.any(kPhrases)));
            return 1;
        case 7:
            w.line("");
            return 1;
        case 8:
            w.line("    If lValue < 0 Then " + m_exit);
            return 1;
        case 9:
            w.line("    Set tmpLayer = New pdLayer");
            w.line("    tmpLayer.Width = dstWidth");
            w.line("    tmpLayer.Height = dstHeight");
            return 3;
        case 10:
            w.line("    lValue = " +
                   moduleExport(static_cast<int>(w.pick(static_cast<std::uint32_t>(m_modules)))) +
                   "(curDIB)");
            return 1;
        case 11:
            if (!m_inForm) return 0;
            w.line("    If Not cmdBar.PreviewsAllowed Then " + m_exit);
            return 1;
        case 12:
            w.line("    lValue = lValue + (r * 0.299 + g * 0.587 + b * 0.114) * " +
                   std::to_string(w.pick(100)) + " / 100");
            return 1;
        case 13:
            w.line("    Select Case lMode");
            w.line("        Case 0: lValue = r");
            w.line("        Case 1: lValue = g");
            w.line("        Case Else: lValue = b");
            w.line("    End Select");
            return 5;
        default:
            w.line("    y = y + 1");
            return 1;
    }
}

void FormsProject::routine(const std::string& header, const std::string& end, int lines) {
    w.line(header);
    m_exit = "Exit " + end.substr(4);
    w.line("    Dim x As Long, y As Long, r As Long, g As Long, b As Long, quickVal As Long, lValue As Long");
    w.line("    Dim initX As Long, finalX As Long, qvDepth As Long, progBarCheck As Long, lMode As Long");
    w.line("    Dim dstWidth As Long, dstHeight As Long, tmpString As String, tmpLayer As pdLayer");
    w.line("    Dim imageData() As Byte, gLookup(255) As Byte");
    body(lines);
    w.line(end);
    w.line("");
}

std::string FormsProject::longConcatenation(const std::string& target, int length) {
    std::string text = "    " + target + " = TranslateText(\"" + w.any(kPhrases) + "\")";
    while (static_cast<int>(text.size()) < length)
        text += std::string(w.chance(30) ? " & vbCrLf & vbCrLf" : "") + " & TranslateText(\"" +
                w.any(kPhrases) + "\") & \" \" & CStr(lValue)";
    return text;
}

void FormsProject::designer(const std::string& name, const std::vector<std::string>& settings, int controls) {
    w.line("VERSION 5.00");
    w.line("Begin VB.Form " + name + " ");
    w.line("   Appearance      =   0  'Flat");
    w.line("   AutoRedraw      =   -1  'True");
    w.line("   BackColor       =   &H80000005&");
    w.line("   BorderStyle     =   4  'Fixed ToolWindow");
    w.line("   Caption         =   \" " + name.substr(4) + "\"");
    w.line("   ClientHeight    =   6540");
    w.line("   ClientLeft      =   45");
    w.line("   ClientTop       =   285");
    w.line("   ClientWidth     =   12030");
    w.line("   BeginProperty Font ");
    w.line("      Name            =   \"Tahoma\"");
    w.line("      Size            =   8.25");
    w.line("      Charset         =   0");
    w.line("      Weight          =   400");
    w.line("      Underline       =   0   'False");
    w.line("      Italic          =   0   'False");
    w.line("      Strikethrough   =   0   'False");
    w.line("   EndProperty");
    w.line("   LinkTopic       =   \"Form1\"");
    w.line("   MaxButton       =   0   'False");
    w.line("   MinButton       =   0   'False");
    w.line("   ScaleHeight     =   436");
    w.line("   ScaleMode       =   3  'Pixel");
    w.line("   ScaleWidth      =   802");
    w.line("   ShowInTaskbar   =   0   'False");
    const std::string project = "SynthForms.";
    auto begin = [&](const std::string& type, const std::string& id, int tab, const std::string& indent) {
        w.line(indent + "Begin " + type + " " + id + " ");
        w.line(indent + "   Height          =   " + std::to_string(300 + w.pick(500)));
        w.line(indent + "   Left            =   " + std::to_string(w.pick(800)));
        w.line(indent + "   TabIndex        =   " + std::to_string(tab));
        w.line(indent + "   Top             =   " + std::to_string(w.pick(6000)));
        w.line(indent + "   Width           =   " + std::to_string(1000 + w.pick(5000)));
    };
    begin(project + control(0), "cmdBar", 0, "   ");
    w.line("      Align           =   2  'Align Bottom");
    w.line("      _ExtentX        =   21220");
    w.line("      _ExtentY        =   1323");
    w.line("   End");
    begin(project + control(1), "pdFxPreview", 1, "   ");
    w.line("   End");
    int tab = 2;
    for (const std::string& setting : settings) {
        begin(project + control(2), "slt" + setting, tab++, "   ");
        w.line("      Caption         =   \"" + setting + "\"");
        w.line("      Min             =   1");
        w.line("      Max             =   " + std::to_string(10 + w.pick(990)));
        w.line("      Value           =   " + std::to_string(1 + w.pick(10)));
        w.line("      _ExtentX        =   10398");
        w.line("      _ExtentY        =   1270");
        w.line("   End");
    }
    // The rest sit in frames of four each, with a control between the frames.
    bool inFrame = false;
    for (int c = 0; c < controls; ++c) {
        if (c % 6 == 0) {
            begin("VB.Frame", "fraGroup" + std::to_string(c), tab++, "   ");
            w.line("      Caption         =   \"" + std::string(w.any(kSettings)) + "\"");
            inFrame = true;
            continue;
        }
        const std::string indent = inFrame ? "      " : "   ";
        const bool own = w.chance(60);
        begin(own ? project + control(3 + static_cast<int>(w.pick(20))) : std::string("VB.Label"),
              (own ? "ctlOption" : "lblInfo") + std::to_string(c), tab++, indent);
        w.line(indent + "   Caption         =   \"" + w.any(kPhrases) + "\"");
        w.line(indent + "End");
        if (inFrame && c % 6 == 4) {
            w.line("   End");
            inFrame = false;
        }
    }
    if (inFrame) w.line("   End");
    w.line("End");
    w.designerAttributes(name, false);
}

void FormsProject::form(int index) {
    m_inForm = true;
    const std::string effect = nthName("", kEffects, index);
    const std::string name = "Form" + effect;
    std::vector<std::string> settings;
    const int sliders = 1 + static_cast<int>(w.pick(5));
    const int first = static_cast<int>(w.pick(12));
    for (int s = 0; s < sliders; ++s) settings.push_back(kSettings[(first + s) % 12]);
    // A few tool forms are big dialogs with many controls.
    const int controls = w.chance(10) ? 60 + static_cast<int>(w.pick(60)) : 10 + static_cast<int>(w.pick(34));
    designer(name, settings, controls);
    w.line("'***************************************************************************");
    w.line("'" + effect + " tool dialog");
    w.line("'Applies the " + effect + " effect to the active layer, with a live preview.");
    w.line("'***************************************************************************");
    w.line("Option Explicit");
    w.line("");
    w.line("Private m_Last" + settings[0] + " As Long");
    w.line("");
    routine("Public Sub Apply" + effect +
                "(ByVal effectParams As String, Optional ByVal toPreview As Boolean = False, "
                "Optional ByRef dstPic As " +
                control(1) + ")",
            "End Sub", 40 + static_cast<int>(w.pick(160)));
    if (w.chance(75)) {
        w.line("Private Sub cmdBar_OkClick()");
        w.line("    Process \"" + effect + "\", GetLocalParamString(), UNDO_Layer");
        w.line("End Sub");
        w.line("");
    }
    for (std::size_t e = 0; e < sizeof kFormEvents / sizeof kFormEvents[0]; ++e)
        if (w.chance(kFormEventPercents[e]))
            routine(std::string("Private Sub ") + kFormEvents[e], "End Sub", 2 + static_cast<int>(w.pick(8)));
    if (w.chance(86)) {
        w.line("Private Sub Form_Load()");
        w.line("    cmdBar.SetPreviewStatus False");
        for (const std::string& s : settings) w.line("    slt" + s + ".Max = curDIB.GetDIBWidth \\ 2");
        if (w.chance(40)) w.line(longConcatenation("Me.Caption", 200 + static_cast<int>(w.pick(800))));
        w.line("    ApplyThemeAndTranslations Me");
        w.line("    cmdBar.SetPreviewStatus True");
        w.line("    UpdatePreview");
        w.line("End Sub");
        w.line("");
    }
    if (w.chance(80)) {
        w.line("Private Sub Form_Unload(Cancel As Integer)");
        w.line("    ReleaseFormTheming Me");
        w.line("End Sub");
        w.line("");
    }
    for (const std::string& s : settings) {
        w.line("Private Sub slt" + s + "_Change()");
        w.line("    UpdatePreview");
        w.line("End Sub");
        w.line("");
    }
    w.line("Private Sub UpdatePreview()");
    w.line("    If cmdBar.PreviewsAllowed Then Apply" + effect + " GetLocalParamString(), True, pdFxPreview");
    w.line("End Sub");
    w.line("");
    w.line("Private Function GetLocalParamString() As String");
    std::string params = "    GetLocalParamString = BuildParamList(";
    for (std::size_t s = 0; s < settings.size(); ++s)
        params += std::string(s ? ", " : "") + "\"" + settings[s] + "\", slt" + settings[s] + ".Value";
    w.line(params + ")");
    w.line("End Function");
    w.line("");
    const int helpers = 5 + static_cast<int>(w.pick(9));
    for (int r = 0; r < helpers; ++r)
        routine(
            std::string("Private Sub ") + kVerbs[(index + r) % 10] + kNouns[(index / 10 + r * 3) % 10] + "()",
            "End Sub", 4 + static_cast<int>(w.pick(22)));
    w.endMember(MemberKind::Form, name);
}

void FormsProject::userControl(int index) {
    m_inForm = false;
    const std::string name = control(index);
    w.line("VERSION 5.00");
    w.line("Begin VB.UserControl " + name + " ");
    w.line("   ClientHeight    =   600");
    w.line("   ClientWidth     =   3600");
    w.line("   ScaleMode       =   3  'Pixel");
    w.line("   ToolboxBitmap   =   \"" + name + ".ctx\":0000");
    w.line("End");
    w.designerAttributes(name, false);
    w.line("Option Explicit");
    w.line("");
    w.line("Public Event Change()");
    w.line("Public Event Click()");
    // The toolbar at the foot of every tool form.
    if (index == 0)
        for (const char* event : {"OkClick", "CancelClick", "ResetClick", "RequestPreviewUpdate",
                                  "AddCustomPresetData", "ReadCustomPresetData"})
            w.line(std::string("Public Event ") + event + "()");
    w.line("Private m_Caption As String");
    w.line("Private m_PreviewStatus As Boolean");
    w.line("");
    if (index == 0) {
        w.line("Public Sub SetPreviewStatus(ByVal newStatus As Boolean)");
        w.line("    m_PreviewStatus = newStatus");
        w.line("End Sub");
        w.line("");
        w.line("Public Function PreviewsAllowed() As Boolean");
        w.line("    PreviewsAllowed = m_PreviewStatus");
        w.line("End Function");
        w.line("");
    }
    static const char* const kProperties[] = {
        "Caption",  "Enabled",       "FontSize",      "Value",   "Min",       "Max",
        "hWnd",     "ContainerHwnd", "Width",         "Height",  "Left",      "Top",
        "FontBold", "SigDigits",     "NotchPosition", "Padding", "Alignment", "Tag"};
    // The toolbar, the preview and the slider have them all: the forms use them.
    for (const char* p : kProperties) {
        if (index >= 3 && !w.chance(55)) continue;
        const std::string property = p;
        w.line("Public Property Get " + property + "() As Variant");
        w.line("    " + property + " = UserControl.Extender." + property);
        w.line("End Property");
        w.line("");
        w.line("Public Property Let " + property + "(ByVal newValue As Variant)");
        w.line("    UserControl.Extender." + property + " = newValue");
        w.line("    PropertyChanged \"" + property + "\"");
        w.line("End Property");
        w.line("");
    }
    routine("Public Sub UpdateAgainstCurrentTheme()", "End Sub", 10 + static_cast<int>(w.pick(30)));
    for (const char* h : {"Initialize", "InitProperties", "Resize", "Paint", "Show", "Terminate",
                          "EnterFocus", "ExitFocus", "GotFocus", "LostFocus"})
        if (w.chance(75))
            routine(std::string("Private Sub UserControl_") + h + "()", "End Sub",
                    3 + static_cast<int>(w.pick(14)));
    const int own = 10 + static_cast<int>(w.pick(11));
    for (int r = 0; r < own; ++r)
        routine(std::string("Private Sub ") + kVerbs[r % 10] + kNouns[(r / 10 + index) % 10] +
                    std::to_string(r / 10) + "()",
                "End Sub", 6 + static_cast<int>(w.pick(22)));
    w.endMember(MemberKind::UserControl, name);
}

void FormsProject::module(int index) {
    m_inForm = false;
    // The first module holds the helpers every form calls; the others are effect and API modules.
    const std::string topic = nthName("", kEffects, index);
    const std::string name = index == 0 ? "Interface" : "Filters_" + topic;
    w.line("Attribute VB_Name = \"" + name + "\"");
    w.line("Option Explicit");
    w.line("");
    const int apis = 4 + static_cast<int>(w.pick(12));
    for (int a = 0; a < apis; ++a) {
        // Now and then a declaration with dozens of parameters, up to about a thousand characters.
        const int parameters = w.chance(15) ? 10 + static_cast<int>(w.pick(30)) : 0;
        w.line(apiDeclaration(w, "Private", static_cast<int>(w.pick(49)) + 49 * a, parameters));
    }
    w.line("");
    if (index == 0) {
        // What the forms and the other modules share.
        w.line("Public Type RECT");
        for (const char* field : {"Left", "Top", "Right", "Bottom"})
            w.line("    " + std::string(field) + " As Long");
        w.line("End Type");
        w.line("Public Const UNDO_Layer As Long = 1");
        w.line("Public curDIB As pdDIB");
        w.line("Public curDIBValues As RECT");
        w.line("");
        for (const char* helper : kInterface)
            routine(std::string("Public Function ") + helper + "(ParamArray args() As Variant) As Variant",
                    "End Function", 10 + static_cast<int>(w.pick(40)));
    }
    const int routines = 20 + static_cast<int>(w.pick(16));
    for (int r = 0; r < routines; ++r) {
        const bool exported = r % 3 != 2;
        const std::string routineName =
            std::string(kVerbs[r % 10]) + (exported ? topic : "") + kNouns[(r / 10 + index) % 10];
        routine((exported ? "Public Function " : "Private Function ") + routineName +
                    "(ByRef srcDIB As pdDIB) As Long",
                "End Function", 12 + static_cast<int>(w.pick(38)));
    }
    w.endMember(MemberKind::Module, name);
}

void FormsProject::imageClass(int index) {
    m_inForm = false;
    static const char* const kClasses[] = {"pdLayer",   "pdDIB",   "pdParamXML",  "pdStringStack",
                                           "pdUndo",    "pdImage", "pdSelection", "pdGradient",
                                           "pdPalette", "pdFont",  "pdTimer",     "pdFSO"};
    const std::string name = nthName("", kClasses, index);
    w.classHeader(name);
    w.line("Option Explicit");
    w.line("");
    for (const char* field : {"Width", "Height", "Left", "Top", "Reset", "Clear", "Count", "Item", "Add"})
        w.line(std::string("Private m_") + field + " As Long");
    w.line("");
    static const char* const kMembers[] = {"Width", "Height", "Left",  "Top",  "GetDIBWidth", "GetDIBHeight",
                                           "Reset", "Clear",  "Count", "Item", "Add",         "GetLayerName"};
    // The layer and image classes have them all: the forms use them.
    for (const char* member : kMembers) {
        if (index >= 2 && !w.chance(45)) continue;
        const std::string property = member;
        routine("Public Property Get " + property + "() As Long", "End Property",
                1 + static_cast<int>(w.pick(4)));
        if (property.size() > 6) continue;  // Width, Height, Left, Top and the like can be set
        w.line("Public Property Let " + property + "(ByVal newValue As Long)");
        w.line("    m_" + property + " = newValue");
        w.line("End Property");
        w.line("");
    }
    const int own = 10 + static_cast<int>(w.pick(9));
    for (int r = 0; r < own; ++r)
        routine(std::string("Public Function ") + kVerbs[r % 10] + kNouns[(r / 10 + index) % 10] +
                    std::to_string(r / 10) + "(ByVal srcIndex As Long) As Long",
                "End Function", 6 + static_cast<int>(w.pick(26)));
    w.endMember(MemberKind::Class, name);
}

}  // namespace

SyntheticProjectResult writeFormsProfile(const std::string& folder, double scale, std::uint32_t seed) {
    ProfileWriter w(folder, seed);
    // The imitated editor: 232 forms, 56 user controls, 150 modules and 101 classes.
    const int forms = scaledCount(232, scale), controls = scaledCount(56, scale, 3);
    const int modules = scaledCount(150, scale), classes = scaledCount(101, scale, 2);
    FormsProject project(w, controls, modules);
    for (int i = 0; i < modules; ++i) project.module(i);
    for (int i = 0; i < classes; ++i) project.imageClass(i);
    for (int i = 0; i < controls; ++i) project.userControl(i);
    for (int i = 0; i < forms; ++i) project.form(i);
    return w.finish("Type=Exe", "SynthForms");
}

}  // namespace tally::bench
