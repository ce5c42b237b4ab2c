#pragma once
// The code view's text as the editor widget holds it. The core's text is Windows-1252 bytes whose
// lines end in CR LF (two characters); the editor holds one paragraph break per line. A CR or LF
// standing alone (a stray byte in a CR LF file) is shown as its control picture, "␍" or "␊": one
// character for one byte, so positions stay in step and the byte comes back unchanged.

#include <QString>
#include <string>
#include <string_view>

namespace tally {

// Core text as editor text: each CR LF becomes '\n' (a paragraph break when inserted).
QString editorTextOf(std::string_view coreText);
// Editor text (from QTextDocument::toRawText or QTextCursor::selectedText) as core text: paragraph
// breaks and '\n' become CR LF; characters Windows-1252 cannot hold become '?'.
std::string coreTextOf(QStringView editorText);

}  // namespace tally
