#pragma once
// The .psf association on freedesktop desktops (GNOME, KDE, Xfce...): a MIME type for "*.psf" and
// a .desktop entry that opens such files with this program, both in the user's data folder
// ($XDG_DATA_HOME, else ~/.local/share), after which the desktop's caches are brought up to date
// (update-mime-database, update-desktop-database) as Windows is told with SHChangeNotify.

#include <functional>
#include <string>
#include <vector>

#include "core/settings/ScanFileAssociation.h"

namespace tally {

inline constexpr const char* kScanMimeType = "application/x-tallyscan6-scan";

// Runs a tool and waits for it; its failure is not an error of the association.
using ToolRunner = std::function<void(const std::vector<std::string>& argv)>;

class FreedesktopAssociation final : public FileAssociation {
public:
    explicit FreedesktopAssociation(std::string dataHome, ToolRunner runTool = {});
    // Present: the MIME type file declares our type for *.psf, and the .desktop entry opens that
    // type with a program that exists.
    bool present() const override;
    bool write(const std::string& programPath) override;

    std::string mimeFile() const { return m_dataHome + "/mime/packages/tallyscan6.xml"; }
    std::string desktopFile() const { return m_dataHome + "/applications/tallyscan6.desktop"; }

private:
    std::string m_dataHome;
    ToolRunner m_runTool;
};

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share; empty when neither is set.
std::string userDataHome(const std::string& xdgDataHome, const std::string& home);
std::string userDataHome();

// The MIME package and the .desktop entry as written.
std::string scanMimePackage();
std::string scanDesktopEntry(const std::string& programPath);

// Runs the tool found along $PATH and waits for it; does nothing when it is not installed.
void runToolAndWait(const std::vector<std::string>& argv);

}  // namespace tally
