#include "SyntheticRoutine.h"

#include <cstdio>

namespace tally::bench {

std::string syntheticRoutine(int lines) {
    static const char* const kShapes[] = {
        "    Dim sName%d As String\r\n",
        "    nCount = nCount + Len(sName%d) ' total\r\n",
        "    If Left$(s, 1) = \"A\" Then s = UCase(s)\r\n",
        "    For i = 1 To UBound(a%d): Call Process(a(i)): Next\r\n",
        "    Rem reset the counter %d\r\n",
        "    MsgBox \"Total \" & CStr(nCount%d), vbInformation\r\n",
        "\r\n",
        "    Set obj%d = New Collection\r\n",
    };
    std::string text = "Private Sub RunTheLongRoutine(ByVal lngStart As Long)\r\n";
    char line[256];
    for (int i = 1; i < lines - 1; ++i) {
        const char* shape = kShapes[i % 8];
        std::snprintf(line, sizeof line, shape, i, i, i);
        text += line;
    }
    text += "End Sub\r\n";
    return text;
}

std::vector<MarkRec> syntheticMarks() {
    std::vector<MarkRec> marks;
    for (int i = 0; i < 60; ++i) marks.push_back({"sName" + std::to_string(i * 80), 255});
    marks.push_back({"Process", 128});
    marks.push_back({"nCount", 0xFF0000});
    return marks;
}

}  // namespace tally::bench
