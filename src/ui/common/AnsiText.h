#pragma once
// Text crossing the widget boundary. The model keeps Windows-1252 bytes; paths are the file
// system's own bytes. Widgets speak QString.

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>

namespace tally {

// Model text (Windows-1252 bytes) as a QString.
QString fromAnsi(std::string_view bytes);
// A QString as model text; characters Windows-1252 cannot hold become '?'.
std::string toAnsi(const QString& text);
// A path as the file system spells it, for showing.
QString fromLocalPath(std::string_view path);
// A path chosen in a dialog, as the bytes the file system and the core use.
std::string toLocalPath(const QString& path);

}  // namespace tally
