#pragma once
// The user guide: HTML pages installed with the program (share/tallyscan6/help beside its bin
// folder) or, in a build tree, the pages of the source tree.

#include <QString>

namespace tally {

// The folder holding tools.htm; empty when the pages are nowhere to be found.
QString helpFolder();

// The page's file in that folder; empty when it is missing.
QString helpPage(const QString& topic);

}  // namespace tally
