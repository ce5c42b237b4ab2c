#include "ui/codeview/FindDialogPlacement.h"

#include <algorithm>

namespace tally {

namespace {

constexpr int kMargin = 12;

}  // namespace

QPoint findDialogFirstPlace(const QRect& pane, const QSize& dialog, const QRect& match) {
    QRect place(QPoint(std::max(pane.left(), pane.right() - dialog.width() - kMargin), pane.top() + kMargin),
                dialog);
    return findDialogClearOf(place, match, pane);
}

QPoint findDialogClearOf(const QRect& dialog, const QRect& match, const QRect& pane) {
    if (match.isEmpty() || !dialog.intersects(match)) return dialog.topLeft();
    // Above the match when it lies in the lower half of the pane, below it otherwise; the pane's
    // edge is only a preference, so a dialog taller than the room left still clears the match.
    int y = match.center().y() > pane.center().y() ? match.top() - dialog.height() - kMargin
                                                   : match.bottom() + 1 + kMargin;
    return QPoint(dialog.left(), y);
}

}  // namespace tally
