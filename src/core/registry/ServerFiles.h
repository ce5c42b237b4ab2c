#pragma once
// Where the server file of an installed object is on this disk. The registry names servers the
// Windows way ("C:\WINDOWS\system32\comctl32.ocx", or a bare "msvbvm60.dll" for the Windows or
// system folder); under Wine a drive letter stands for a folder of the prefix and names ignore case.

#include <string>
#include <string_view>

namespace tally {

class ServerFiles {
public:
    virtual ~ServerFiles() = default;
    // The disk path of the regular file `path` names, or empty when there is none.
    virtual std::string find(std::string_view path) const = 0;
};

// This machine's files: on Windows the path as it stands; elsewhere a drive path is mapped into
// the Wine prefix (`winePrefix`, else ~/.wine: its dosdevices links, drive_c for C:) and looked
// up without regard to case, and any other path is looked up as it is.
class DiskServerFiles final : public ServerFiles {
public:
    explicit DiskServerFiles(std::string winePrefix = {});
    std::string find(std::string_view path) const override;

    // The prefix folder a drive letter maps to ("x:" under dosdevices, else drive_c for C:);
    // empty when it has none.
    std::string driveFolder(char letter) const;

private:
    std::string m_prefix;  // ends in "/", empty on Windows
};

}  // namespace tally
