#pragma once
// Key presses as the code view's rules name them: Windows virtual-key codes and the modifier bits
// Shift = 1, Ctrl = 2, Alt = 4.

#include <Qt>

namespace tally {

// The virtual-key code of a Qt key; 0 for a key that has none here.
int windowsKeyCode(int qtKey);
// The modifier bits of Qt's keyboard modifiers.
int windowsModifiers(Qt::KeyboardModifiers modifiers);

}  // namespace tally
