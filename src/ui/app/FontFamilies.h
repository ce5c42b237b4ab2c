#pragma once
// The family a font setting names, as installed here: the family itself when it is installed,
// otherwise its metric twin (Arial's is Liberation Sans, the alias fontconfig itself knows), so
// that a setting written on Windows keeps its line widths instead of falling to whatever default
// font the system picks.

#include <QString>

namespace tally {

QString installedFontFamily(const QString& family);

}  // namespace tally
