#pragma once
// Where the modeless Find dialog goes so that it never hides the text it finds: first in the top
// right corner of the code pane, beside the code (VB code keeps to the left), and, when a match is
// found under it, to the other half of the pane.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tally {

// The dialog's first place: the top right corner of `pane` (global coordinates), clear of `match`
// when there is room.
QPoint findDialogFirstPlace(const QRect& pane, const QSize& dialog, const QRect& match);

// Where the dialog at `dialog` (its frame, global coordinates) must move so that it leaves `match`
// free: the half of the pane the match is not in. The place it has when it does not cover the match.
QPoint findDialogClearOf(const QRect& dialog, const QRect& match, const QRect& pane);

}  // namespace tally
