#pragma once
// The program's look: the Fusion style with a light, calm palette and a few style sheet touches
// (header strips, list headers, the review toolbar's pressed buttons).

class QApplication;

namespace tally {

// Applies the look to the whole application; call once after the QApplication exists.
void applyAppStyle(QApplication& app);

}  // namespace tally
