#pragma once
// What the viewer's toolbar shows for the selection in the pane: the style buttons are down only
// when the whole selection has the style, and one alignment button is down when every paragraph
// of the selection has that alignment (none when they differ).

class QTextCursor;

namespace tally {

enum class SelectionAlignment { Left, Center, Right, Mixed };

struct ReportSelectionState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    SelectionAlignment alignment = SelectionAlignment::Left;
    bool operator==(const ReportSelectionState&) const = default;
};

// The state of `cursor`'s selection; without a selection, of the format typing would take there
// and of the caret's paragraph. Justified paragraphs count as left, as the toolbar has no button
// for them.
ReportSelectionState selectionStateOf(const QTextCursor& cursor);

}  // namespace tally
