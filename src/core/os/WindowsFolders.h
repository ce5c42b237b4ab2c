#pragma once
// The Windows folder and the system folder of this machine. Off Windows they are the folders of
// the Wine prefix ($WINEPREFIX, else ~/.wine), when the prefix has them; otherwise there are none.

#include <string>

namespace tally {

struct WindowsFolders {
    std::string windowsDir;  // ends in a separator; empty when there is none
    std::string systemDir;   // ends in a separator; empty when there is none
};

// The folders of the prefix `winePrefix` names, or of `home`/.wine when it is empty; each folder
// that is not an existing directory is left empty.
WindowsFolders wineWindowsFolders(const std::string& winePrefix, const std::string& home);

// The same for this process's environment.
WindowsFolders systemWindowsFolders();

}  // namespace tally
