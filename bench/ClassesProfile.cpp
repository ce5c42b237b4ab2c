// The "classes" profile: a .NET-style class library of heavily commented classes that share their
// member names, a few huge ones made of property triplets, and modules of helpers they all call.

#include <string>
#include <vector>

#include "ProfileWriter.h"
#include "SyntheticProfiles.h"

namespace tally::bench {

namespace {

// A member many classes have: its header after the scope, how often a class has it, and its
// Property Let and Set companions.
struct Shared {
    const char* scope;
    const char* header;
    int percent;
    bool let = false, set = false;
};

const Shared kShared[] = {
    {"Public", "Function ToString() As String", 90},
    {"Public", "Function Equals(ByRef Value As Variant) As Boolean", 88},
    {"Public", "Function GetHashCode() As Long", 86},
    {"Private", "Function IObject_Equals(ByRef Value As Variant) As Boolean", 80},
    {"Private", "Function IObject_GetHashCode() As Long", 80},
    {"Private", "Function IObject_ToString() As String", 80},
    {"Private", "Sub Class_Initialize()", 55},
    {"Private", "Sub Class_Terminate()", 25},
    {"Friend", "Sub Init(ByRef Source As Variant)", 40},
    {"Public", "Property Get Name() As String", 25, true},
    {"Public", "Property Get Value() As Variant", 22, true, true},
    {"Public", "Property Get Count() As Long", 28},
    {"Public", "Property Get Item(ByRef Index As Variant) As Variant", 22, true, true},
    {"Public", "Sub Add(ByRef Value As Variant)", 18},
    {"Public", "Sub Remove(ByRef Value As Variant)", 15},
    {"Public", "Sub Clear()", 18},
    {"Public", "Function Contains(ByRef Value As Variant) As Boolean", 15},
    {"Public", "Function IndexOf(ByRef Value As Variant, Optional ByRef StartIndex As Variant) As Long", 12},
    {"Public", "Sub CopyTo(ByRef Arr As Variant, ByVal Index As Long)", 14},
    {"Public", "Function Clone() As Object", 25},
    {"Private", "Function ICloneable_Clone() As Object", 24},
    {"Public", "Function CompareTo(ByRef Value As Variant) As Long", 12},
    {"Private", "Function IComparable_CompareTo(ByRef Value As Variant) As Long", 12},
    {"Public", "Function GetEnumerator() As IEnumerator", 20},
    {"Public", "Function NewEnum() As IUnknown", 20},
    {"Private", "Function IEnumerable_GetEnumerator() As IEnumerator", 18},
    {"Private", "Property Get ICollection_Count() As Long", 12},
    {"Private", "Sub ICollection_CopyTo(ByRef Arr As Variant, ByVal Index As Long)", 12},
    {"Public", "Property Get IsReadOnly() As Boolean", 10},
    {"Public", "Property Get IsFixedSize() As Boolean", 9},
    {"Public", "Property Get Length() As Long", 12},
    {"Public", "Property Get Capacity() As Long", 9, true},
    {"Public", "Property Get Keys() As ICollection", 7},
    {"Public", "Property Get Values() As ICollection", 7},
    {"Public", "Property Get Key() As Variant", 9},
    {"Public", "Sub Insert(ByVal Index As Long, ByRef Value As Variant)", 10},
    {"Public", "Sub RemoveAt(ByVal Index As Long)", 10},
    {"Public", "Function ToArray() As Variant", 12},
    {"Public", "Sub Reverse()", 7},
    {"Public", "Sub Sort()", 7},
    {"Public", "Sub Dispose()", 10},
};

// The interfaces the shared members implement, written as the first classes.
const char* const kInterfaces[] = {"IObject",     "ICloneable",  "IComparable",
                                   "IEnumerable", "ICollection", "IEnumerator"};

const char* const kTypeNouns[] = {"ArrayList",  "Hashtable",     "Stack",     "Queue",      "SortedList",
                                  "BitArray",   "StringBuilder", "Encoding",  "Stream",     "TextReader",
                                  "TextWriter", "DateTime",      "TimeSpan",  "Version",    "RandomNumber",
                                  "Guid",       "Exception",     "Comparer",  "BigDecimal", "Int64",
                                  "Path",       "FileInfo",      "Directory", "Calendar"};
const char* const kVerbs[] = {"Get",    "Set",     "Read",   "Write", "Parse",
                              "Format", "Convert", "Append", "Copy",  "Find"};
const char* const kNouns[] = {"Bytes",  "Chars",  "Range",  "String",   "Number",
                              "Buffer", "Offset", "Length", "Position", "Element"};
const char* const kSummaries[] = {"Returns a string representation of this object instance.",
                                  "Determines whether this instance equals the value given.",
                                  "Returns a pseudo-unique number that identifies this object instance.",
                                  "Copies the elements to an array, starting at the index given.",
                                  "Returns an enumerator that walks the elements in order.",
                                  "Removes every element; the capacity stays as it was.",
                                  "Reads the value from the underlying buffer, growing it when needed.",
                                  "Gets or sets the value of the setting, as the culture formats it."};
const char* const kRemarks[] = {"The index runs from zero, as in the .NET classes.",
                                "Values that are objects are compared with their own Equals method.",
                                "Raises an ArgumentOutOfRangeException when the index is past the end.",
                                "This is the default member of the class.",
                                "Passing Nothing raises an ArgumentNullException."};
// Helpers of the first module, called from every class.
const char* const kHelpers[] = {"ThrowArgumentNull", "ThrowArgumentOutOfRange", "ObjectEquals",
                                "ObjectToString",    "ObjectGetHashCode",       "CopyVariant",
                                "NewEnumerator",     "ThrowInvalidOperation"};
// Names of the settings the huge classes expose, as prefix and suffix.
const char* const kPrefixes[] = {"Number",   "Currency", "Percent", "Date",  "Time",
                                 "Calendar", "Month",    "Day",     "Era",   "Short",
                                 "Long",     "Native",   "Digit",   "Group", "List"};
const char* const kSuffixes[] = {
    "DecimalSeparator", "GroupSeparator", "Symbol", "Pattern", "Names", "Format", "Digits", "Sizes", "Style",
    "Designator",       "Name",           "Count",  "Mode",    "Width", "Value",  "Index",  "Offset"};

template <std::size_t N>
std::string nthName(const char* const (&nouns)[N], int index) {
    const int round = index / static_cast<int>(N);
    return std::string(nouns[index % N]) + (round > 0 ? std::to_string(round + 1) : "");
}

class ClassesProject {
public:
    explicit ClassesProject(ProfileWriter& writer) : w(writer) {}

    void interfaceClass(const std::string& name);
    void libraryClass(const std::string& name);
    void hugeClass(const std::string& name);
    void module(int index);

private:
    void fileHeader(const std::string& name);
    // The documentation comment over a member: a summary, parameters, result and remarks.
    void docComment(const std::string& header);
    // About `lines` statements for the routine of `header`, which `exit` leaves.
    void body(int lines, const std::string& header, const std::string& exit);
    void member(const std::string& scope, const std::string& header, int lines);

    ProfileWriter& w;
};

void ClassesProject::fileHeader(const std::string& name) {
    w.line("'    CopyRight (c) 2005-2012 Synthetic Library Authors");
    w.line("'");
    w.line("'    This library is free software; it may be copied, changed and shared");
    w.line("'    under the terms that come with it, in the hope that it will be useful,");
    w.line("'    but without any warranty, not even that it is fit for a purpose.");
    w.line("'");
    w.line("'    Module: " + name);
    w.line("'");
    w.line("");
    w.line("''");
    w.line("' " + std::string(w.any(kSummaries)));
    w.line("'");
    w.line("' @see " + nthName(kTypeNouns, static_cast<int>(w.pick(24))));
    w.line("'");
    w.line("Option Explicit");
}

void ClassesProject::docComment(const std::string& header) {
    w.line("''");
    w.line("' " + std::string(w.any(kSummaries)));
    w.line("'");
    // One @param line per parameter, named as in the header.
    for (std::size_t at = header.find("By"); at != std::string::npos; at = header.find("By", at + 1)) {
        if (header.compare(at, 6, "ByRef ") != 0 && header.compare(at, 6, "ByVal ") != 0) continue;
        const std::size_t end = header.find(' ', at + 6);
        w.line("' @param " + header.substr(at + 6, end - at - 6) + " The value the member works on.");
    }
    if (header.find("Function ") != std::string::npos || header.find("Get ") != std::string::npos)
        w.line("' @return The result, of the type the header names.");
    if (w.chance(20)) w.line("' @see " + nthName(kTypeNouns, static_cast<int>(w.pick(24))));
    if (w.chance(50)) {
        w.line("' @remarks " + std::string(w.any(kRemarks)));
        if (w.chance(50)) w.line("' " + std::string(w.any(kRemarks)));
    }
}

void ClassesProject::body(int lines, const std::string& header, const std::string& exit) {
    // Statements on the parameters Value and Index only where the header has them.
    const bool value = header.find(" Value As ") != std::string::npos;
    const bool index = header.find(" Index As ") != std::string::npos;
    for (int n = 0; n < lines;) {
        switch (w.pick(10)) {
            case 0:
                w.line(value ? "    If IsMissing(Value) Then ThrowArgumentNull \"Value\""
                             : "    mVersion = mVersion + 1");
                ++n;
                break;
            case 1:
                w.line("    For i = 0 To mCount - 1");
                w.line(value ? "        If ObjectEquals(mItems(i), Value) Then"
                             : "        If IsEmpty(mItems(i)) Then");
                w.line("            Exit For");
                w.line("        End If");
                w.line("    Next i");
                n += 5;
                break;
            case 2:
                w.line("    ' " + std::string(w.any(kRemarks)));
                ++n;
                break;
            case 3:
                w.line("    mCount = mCount + 1");
                ++n;
                break;
            case 4:
                w.line(
                    index
                        ? "    If Index < 0 Or Index >= mCount Then ThrowArgumentOutOfRange \"Index\", Index"
                        : "    If mCount < 0 Then ThrowInvalidOperation \"mCount\"");
                ++n;
                break;
            case 5:
                w.line("    mVersion = mVersion + 1");
                ++n;
                break;
            case 6:
                w.line("    sResult = ObjectToString(mItems(mCount - 1)) & \", \" & CStr(oOther.Count)");
                ++n;
                break;
            case 7:
                w.line(value && index ? "    CopyVariant mItems(Index), Value"
                                      : "    CopyVariant mItems(0), mItems(mCount)");
                ++n;
                break;
            case 8:
                w.line(value ? "    Set oOther = Value" : "    Set oOther = Nothing");
                w.line("    If oOther.Count <> mCount Then " + exit);
                n += 2;
                break;
            default:
                w.line("    lHash = lHash Xor ObjectGetHashCode(mItems(i)) ' keep the bits of every element");
                ++n;
                break;
        }
    }
}

void ClassesProject::member(const std::string& scope, const std::string& header, int lines) {
    docComment(header);
    const std::string end = header.rfind("Function ", 0) == 0 ? "End Function"
                            : header.rfind("Sub ", 0) == 0    ? "End Sub"
                                                              : "End Property";
    w.line(scope + " " + header);
    if (header.rfind("Function NewEnum", 0) == 0) w.line("Attribute NewEnum.VB_UserMemId = -4");
    w.line("    Dim i As Long, lHash As Long, sResult As String, oOther As Object");
    body(lines, header, "Exit " + end.substr(4));
    w.line(end);
    w.line("");
}

void ClassesProject::interfaceClass(const std::string& name) {
    w.classHeader(name);
    fileHeader(name);
    w.line("");
    std::vector<std::string> headers;
    for (const Shared& s : kShared) {
        const std::string header = s.header;
        const std::size_t at = header.find(name + "_");
        if (at != std::string::npos)
            headers.push_back(header.substr(0, at) + header.substr(at + name.size() + 1));
    }
    if (headers.empty())
        headers = {"Function MoveNext() As Boolean", "Property Get Current() As Variant", "Sub Reset()"};
    for (const std::string& header : headers) {
        docComment(header);
        w.line("Public " + header);
        w.line(header.rfind("Function ", 0) == 0 ? "End Function"
               : header.rfind("Sub ", 0) == 0    ? "End Sub"
                                                 : "End Property");
        w.line("");
    }
    w.endMember(MemberKind::Class, name);
}

void ClassesProject::libraryClass(const std::string& name) {
    std::vector<const Shared*> members;
    std::vector<std::string> interfaces;
    std::vector<std::string> declined;  // interfaces the class does not implement
    for (const Shared& s : kShared) {
        const std::string header = s.header;
        // A class implements an interface with all its members or not at all: the first member met
        // decides.
        std::string interface;
        for (const char* i : kInterfaces)
            if (header.find(std::string(" ") + i + "_") != std::string::npos) interface = i;
        const auto has = [](const std::vector<std::string>& list, const std::string& item) {
            for (const std::string& i : list)
                if (i == item) return true;
            return false;
        };
        if (interface.empty()) {
            if (!w.chance(s.percent)) continue;
        } else if (!has(interfaces, interface)) {
            if (has(declined, interface)) continue;
            if (!w.chance(s.percent)) {
                declined.push_back(interface);
                continue;
            }
            interfaces.push_back(interface);
        }
        members.push_back(&s);
    }
    w.classHeader(name);
    fileHeader(name);
    w.line("");
    for (const std::string& i : interfaces) w.line("Implements " + i);
    w.line("");
    w.line("Private mItems() As Variant");
    w.line("Private mCount As Long");
    w.line("Private mVersion As Long");
    w.line("Private mName As String");
    w.line("");
    for (const Shared* s : members) {
        const std::string header = s->header;
        member(s->scope, header, 1 + static_cast<int>(w.pick(5)));
        if (!s->let && !s->set) continue;
        // The Let and Set companions take the Get's arguments and one more, of the type it returns.
        const std::size_t paren = header.find('(');
        const std::string property = header.substr(13, paren - 13);  // after "Property Get "
        const std::string arguments = header.substr(paren + 1, header.rfind(')') - paren - 1);
        const std::string type = header.substr(header.rfind(" As ") + 4);
        const std::string rhs = (arguments.empty() ? "" : arguments + ", ") + "ByRef RHS As " + type + ")";
        if (s->let) member(s->scope, "Property Let " + property + "(" + rhs, 1 + static_cast<int>(w.pick(3)));
        if (s->set) member(s->scope, "Property Set " + property + "(" + rhs, 1 + static_cast<int>(w.pick(3)));
    }
    const int own = 4 + static_cast<int>(w.pick(8));
    const int offset = static_cast<int>(w.pick(100));
    for (int r = 0; r < own; ++r) {
        const int combo = (offset + r * 11) % 100;
        member("Public",
               std::string("Function ") + kVerbs[combo % 10] + kNouns[combo / 10] +
                   "(ByRef Value As Variant, Optional ByVal Index As Long) As Variant",
               1 + static_cast<int>(w.pick(7)));
    }
    w.endMember(MemberKind::Class, name);
}

void ClassesProject::hugeClass(const std::string& name) {
    w.classHeader(name);
    fileHeader(name);
    w.line("");
    constexpr int kProperties =
        static_cast<int>(sizeof kPrefixes / sizeof kPrefixes[0] * sizeof kSuffixes / sizeof kSuffixes[0]);
    for (int p = 0; p < kProperties; ++p)
        w.line("Private m" + std::string(kPrefixes[p % 15]) + kSuffixes[p / 15] + " As Variant");
    w.line("");
    // Short property procedures, most of them Get/Let/Set triplets.
    for (int p = 0; p < kProperties; ++p) {
        const std::string property = std::string(kPrefixes[p % 15]) + kSuffixes[p / 15];
        const int shape = static_cast<int>(w.pick(10));  // 0: Get only, 1-3: Get/Let, else all three
        w.line("''");
        w.line("' Returns or sets the " + property + " of the culture, as the formats use it.");
        if (w.chance(50)) w.line("' The default comes from the invariant culture.");
        w.line("'");
        w.line("Public Property Get " + property + "() As Variant");
        w.line("    CopyVariant " + property + ", m" + property);
        w.line("End Property");
        w.line("");
        if (shape == 0) continue;
        w.line("Public Property Let " + property + "(ByRef RHS As Variant)");
        w.line("    m" + property + " = RHS");
        w.line("End Property");
        w.line("");
        if (shape < 4) continue;
        w.line("Public Property Set " + property + "(ByRef RHS As Variant)");
        w.line("    Set m" + property + " = RHS");
        w.line("End Property");
        w.line("");
    }
    w.endMember(MemberKind::Class, name);
}

void ClassesProject::module(int index) {
    const std::string name = "mod" + nthName(kTypeNouns, index);
    w.line("Attribute VB_Name = \"" + name + "\"");
    fileHeader(name);
    w.line("");
    if (index == 0) {
        for (const char* helper : kHelpers)
            member("Public",
                   std::string("Function ") + helper +
                       "(ByRef Value As Variant, Optional ByRef Index As Variant) As Variant",
                   4 + static_cast<int>(w.pick(12)));
    }
    const int routines = 16 + static_cast<int>(w.pick(16));
    for (int r = 0; r < routines; ++r) {
        const bool exported = r % 2 == 0;
        const std::string routine = std::string(kVerbs[r % 10]) + kNouns[(r / 10 + index) % 10] +
                                    (exported ? nthName(kTypeNouns, index) : "");
        member(exported ? "Public" : "Private", "Function " + routine + "(ByRef Value As Variant) As Variant",
               2 + static_cast<int>(w.pick(11)));
    }
    w.endMember(MemberKind::Module, name);
}

}  // namespace

SyntheticProjectResult writeClassesProfile(const std::string& folder, double scale, std::uint32_t seed) {
    ProfileWriter w(folder, seed);
    // The imitated library: 373 files, of them 337 classes, 3 huge classes and 33 modules.
    const int classes = scaledCount(337, scale), huge = scaledCount(3, scale, 0),
              modules = scaledCount(33, scale);
    ClassesProject project(w);
    for (int i = 0; i < modules; ++i) project.module(i);
    for (const char* name : kInterfaces) project.interfaceClass(name);
    for (int i = 0; i < huge; ++i)
        project.hugeClass(i == 0 ? std::string("NumberFormatInfo") : "CultureTable" + std::to_string(i));
    const int interfaces = static_cast<int>(sizeof kInterfaces / sizeof kInterfaces[0]);
    for (int i = interfaces; i < classes; ++i) project.libraryClass(nthName(kTypeNouns, i - interfaces));
    return w.finish("Type=OleDll", "SynthClasses");
}

}  // namespace tally::bench
