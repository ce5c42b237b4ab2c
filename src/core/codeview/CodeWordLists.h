#pragma once
// The two word lists of the code view: built-in functions and keywords, each one string in which
// every word stands between asterisks, in its canonical spelling. A word belongs to a list exactly
// when "*" word "*" occurs in it; the lookups below answer that without searching the strings.

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace tally {

// Built-in functions, methods and objects.
inline constexpr std::string_view kFunctionList =
    "*Abs*Add*AddItem*AppActivate*Array*Asc*Atn*Beep*Begin*BeginProperty*ChDir*ChDrive*Choose*Chr*Clear*"
    "Collection*Command*Cos*CreateObject*CurDir*DateAdd*DateDiff*DatePart*DateSerial*DateValue*Day*DDB*"
    "DeleteSetting*Dir*DoEvents*EndProperty*Environ*EOF*Err*Exp*FileAttr*FileCopy*FileDateTime*FileLen*Fix*"
    "Format*FV*GetAllSettings*GetAttr*GetObject*GetSetting*Hex*Hide*Hour*InputBox*InStr*Int*Int*IPmt*IRR*"
    "IsArray*IsDate*IsEmpty*IsError*IsMissing*IsNull*IsNumeric*IsObject*Item*Kill*LCase*Left*Len*Load*Loc*"
    "LOF*Log*LTrim*Me*Mid*Minute*MIRR*MkDir*Month*Now*NPer*NPV*Oct*Pmt*PPmt*PV*QBColor*Raise*Randomize*Rate*"
    "Remove*RemoveItem*Reset*RGB*Right*RmDir*Rnd*RTrim*SaveSetting*Second*SendKeys*SetAttr*Sgn*Shell*Sin*Sin*"
    "SLN*Space*Sqr*Str*StrComp*StrConv*Switch*SYD*Tan*Text*Time*Time*Timer*TimeSerial*TimeValue*Trim*"
    "TypeName*UCase*Unload*Val*VarType*WeekDay*Width*Year*";

// Statements, declarations, types and operators.
inline constexpr std::string_view kKeywordList =
    "*Implements*RaiseEvent*Friend*Optional*ByRef*#Const*#Else*#ElseIf*#End "
    "If*#If*Alias*Alias*And*As*Base*Binary*Boolean*Byte*ByVal*Call*Case*CBool*CByte*CCur*CDate*CDbl*CDec*"
    "CInt*CLng*Close*Compare*Const*CSng*CStr*Currency*CVar*CVErr*Decimal*Declare*DefBool*DefByte*DefCur*"
    "DefDate*DefDbl*DefDec*DefInt*DefLng*DefObj*DefSng*DefStr*DefVar*Dim*Do*Double*Each*Else*ElseIf*End*Enum*"
    "Eqv*Erase*Error*Error$*Exit*Explicit*False*For*Function*Get*Global*GoSub*GoTo*If*Imp*In*Input*Input*"
    "Integer*Is*LBound*Let*Lib*Like*Line*Lock*Long*Loop*LSet*Name*New*Next*Not*Object*On*Open*Option*Or*"
    "Output*Print*Private*Property*Public*Put*Random*Read*ReDim*Resume*Return*RSet*Seek*Select*Set*Single*"
    "Spc*Static*String*Stop*Sub*Tab*Then*True*Type*UBound*Unlock*Variant*Wend*While*With*Xor*Nothing*To*";

// One list made searchable by exact word and by lower-case word.
class CodeWordList {
public:
    explicit CodeWordList(std::string_view list);

    // True when the word, compared exactly, is in the list.
    bool containsExact(std::string_view word) const { return m_exact.contains(word); }
    // The list's spelling of a lower-case word (the first entry that matches ignoring case), or
    // an empty view when the word is not in the list.
    std::string_view canonicalOfLower(std::string_view lowerWord) const;
    // The longest entry, to skip lookups of words that cannot match.
    std::size_t longestEntry() const { return m_longest; }

private:
    std::string m_lower;  // the list in lower case; the keys of m_byLower point into it
    std::unordered_set<std::string_view> m_exact;
    std::unordered_map<std::string_view, std::string_view> m_byLower;
    std::size_t m_longest = 0;
};

// Both lists, built once.
class CodeWordLists {
public:
    const CodeWordList& functions() const { return m_functions; }
    const CodeWordList& keywords() const { return m_keywords; }

    // The lists of the program; they never change.
    static const CodeWordLists& standard();

private:
    CodeWordLists();

    CodeWordList m_functions;
    CodeWordList m_keywords;
};

}  // namespace tally
