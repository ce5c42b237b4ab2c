#include "ui/reports/ReportSelectionState.h"

#include <QFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace tally {

namespace {

SelectionAlignment alignmentOf(const QTextBlock& block) {
    Qt::Alignment horizontal = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignJustify) return SelectionAlignment::Left;
    if (horizontal & Qt::AlignHCenter) return SelectionAlignment::Center;
    if (horizontal & Qt::AlignRight) return SelectionAlignment::Right;
    return SelectionAlignment::Left;
}

bool isBold(const QTextCharFormat& format) {
    return format.fontWeight() >= QFont::DemiBold;
}

}  // namespace

ReportSelectionState selectionStateOf(const QTextCursor& cursor) {
    ReportSelectionState state;
    const QTextDocument* document = cursor.document();
    if (!document) return state;
    if (!cursor.hasSelection()) {
        QTextCharFormat format = cursor.charFormat();
        state.bold = isBold(format);
        state.italic = format.fontItalic();
        state.underline = format.fontUnderline();
        state.alignment = alignmentOf(cursor.block());
        return state;
    }
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    state.bold = state.italic = state.underline = true;
    bool anyText = false;
    bool firstBlock = true;
    for (QTextBlock block = document->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        SelectionAlignment alignment = alignmentOf(block);
        if (firstBlock) state.alignment = alignment;
        else if (state.alignment != alignment) state.alignment = SelectionAlignment::Mixed;
        firstBlock = false;
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextFragment fragment = it.fragment();
            int from = std::max(start, fragment.position());
            int to = std::min(end, fragment.position() + fragment.length());
            if (from >= to) continue;
            anyText = true;
            QTextCharFormat format = fragment.charFormat();
            state.bold = state.bold && isBold(format);
            state.italic = state.italic && format.fontItalic();
            state.underline = state.underline && format.fontUnderline();
        }
    }
    if (!anyText) state.bold = state.italic = state.underline = false;
    return state;
}

}  // namespace tally
