#include "core/parser/TextCapture.h"

#include <string>

#include "core/parser/CompanionText.h"
#include "core/parser/LiteralTexts.h"
#include "core/project/DiskPath.h"
#include "core/project/PathOps.h"
#include "core/text/CharacterLayout.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

struct Capture {
    std::string text;
    std::string label;
};

Capture messageBoxText(std::string_view statement) {
    Capture capture{{}, "MsgBox"};
    constexpr std::size_t kTextStart = 8;  // after "MsgBox", its "(" or blank, and the opening quote
    if (statement.size() <= kTextStart) return capture;
    std::size_t close = statement.find('"', kTextStart);
    if (close != std::string_view::npos && close > kTextStart)
        capture.text = std::string(statement.substr(kTextStart, close - kTextStart));
    return capture;
}

Capture assignedText(std::string_view statement) {
    Capture capture;
    // Item calls and icon keys are written with a ".": most lines have none and skip their tests.
    const bool hasDot = contains(statement, ".");
    if (hasDot && findIgnoreCase(statement, "listitems.add") != std::string_view::npos) {
        capture.text = argumentText(statement, ItemCall::ListItemsAdd);
        if (!capture.text.empty()) capture.label = "ListItems.Add";
    } else if (hasDot && findIgnoreCase(statement, "nodes.add") != std::string_view::npos) {
        capture.text = argumentText(statement, ItemCall::NodesAdd);
        if (!capture.text.empty()) capture.label = "Nodes.Add";
    } else if (hasDot && (contains(statement, ".SmallIcon = \"") || contains(statement, ".LargeIcon = \""))) {
        // An icon key names a picture, not a text.
    } else {
        capture.text = quotedTexts(statement);
        if (!capture.text.empty())
            capture.label = contains(statement, "MsgBox") ? std::string("MsgBox")
                                                          : trim(statement.substr(0, statement.find(' ')));
    }
    return capture;
}

bool startsLikeAsciiText(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ' || c == '&';
}

// The Cyrillic letters Windows-1251 keeps below 0xC0 (Ё, ё, the Ukrainian, Belarusian, Serbian and
// Macedonian ones); the rest of that range is signs and quotes.
bool isLowCyrillicLetter(unsigned char c) {
    static constexpr std::string_view kLetters =
        "\x80\x81\x83\x8A\x8C\x8D\x8E\x8F\x90\x9A\x9C\x9D\x9E\x9F\xA1\xA2\xA3\xA5\xA8\xAA\xAF\xB2\xB3\xB4\xB8\xBA"
        "\xBC\xBD\xBE\xBF";
    return kLetters.find(static_cast<char>(c)) != std::string_view::npos;
}

// Whether a text (trimmed, not empty) starts like one a person reads. Windows-1252 projects keep
// the ASCII rule: a letter, a digit, a blank or an access-key "&". In other code pages a character
// beyond ASCII counts too, as captions there often start in the page's own script: a two-byte
// character of a double-byte page (and a half-width katakana of 932), a well-formed multi-byte
// UTF-8 sequence, and in the other single-byte pages a byte from 0xC0 on, where all of them keep
// their letters (plus the Cyrillic letters 1251 has below it).
bool startsLikeText(std::string_view text, int codePage) {
    if (startsLikeAsciiText(text.front())) return true;
    const auto first = static_cast<unsigned char>(text.front());
    if (codePage == kCodePageWestern || first < 0x80) return false;
    if (isDoubleByteCodePage(codePage))
        return characterLength(text, 0, codePage) == 2 || (codePage == 932 && first >= 0xA6 && first <= 0xDF);
    if (codePage == kCodePageUtf8) return characterLength(text, 0, codePage) > 1;
    return first >= 0xC0 || (codePage == 1251 && isLowCyrillicLetter(first));
}

}  // namespace

std::string_view spellIconOf(std::string_view fileText) {
    std::string_view ending = fileText.substr(fileText.size() >= 3 ? fileText.size() - 3 : 0);
    if (equalsIgnoreCase(ending, "frm")) return "form";
    if (equalsIgnoreCase(ending, "cls")) return "class";
    if (equalsIgnoreCase(ending, "ctl")) return "userctl";
    if (equalsIgnoreCase(ending, "bas")) return "module";
    return {};
}

void captureText(DeclarationState& state, std::string_view statement) {
    Capture capture;
    if (startsWith(statement, "MsgBox(") || startsWith(statement, "MsgBox "))
        capture = messageBoxText(statement);
    else if (contains(statement, "\"") && contains(statement, " = "))
        capture = assignedText(statement);
    // Most statements hold no text: outside a designer block they have nothing more to do here.
    if (capture.text.empty() && !state.inDesignerBlock) return;

    if (state.inDesignerBlock) {
        // Designer values such as "BorderStyle = 1 'Fixed Single" were counted as comments.
        if (contains(statement, "'")) --state.current.lines.comment;
        if (capture.label != "Caption" && capture.label != "Text") {
            if (capture.label == "List" && contains(capture.text, ".frx") && !state.frxRead) {
                state.frxRead = true;
                capture.label = trim(capture.text);
                capture.text =
                    readCompanionText(resolveOnDisk(ensureTrailingSeparator(directoryOf(state.path)) + capture.label,
                                                    state.ctx.codePage));
            } else {
                capture.text.clear();
            }
        }
    }
    if (contains(capture.text, ".frx")) capture.text.clear();
    std::string_view trimmed = trimView(capture.text);
    if (trimmed.empty() || !startsLikeText(trimmed, state.ctx.codePage)) return;

    // Filled where it lies: a Spell row is six strings, and the table holds many.
    SpellRow& row = state.model.spell.emplace_back();
    if (state.firstRowOfFile) {
        row.file = state.fileName;
        row.icon = spellIconOf(row.file);
    } else {
        row.file = " ";
    }
    state.firstRowOfFile = false;
    if (state.firstRowOfRoutine) row.routine = trimView(state.routineName);
    state.firstRowOfRoutine = false;
    row.label = std::move(capture.label);
    row.value = std::move(capture.text);
}

}  // namespace tally
