#pragma once
// The .psf association: whether double-clicking a scan file opens it in this program, the
// question put on the first start, and what its answers do. Windows keeps the association in the
// classes keys of the registry; other desktops in a MIME type and a .desktop entry.

#include <functional>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

inline constexpr std::string_view kScanExtension = ".psf";
inline constexpr std::string_view kScanProgId = "Project.Scanfile";
inline constexpr std::string_view kScanTypeName = "Project Scan File";

class FileAssociation {
public:
    virtual ~FileAssociation() = default;
    // The association is in place.
    virtual bool present() const = 0;
    // WriteAssociation: makes `programPath` the program scan files open with; false when a step
    // failed (the remaining ones are skipped).
    virtual bool write(const std::string& programPath) = 0;
};

// The registry's association: the eight default values of the classes keys (HKEY_CLASSES_ROOT
// and HKEY_LOCAL_MACHINE\SOFTWARE\Classes), the shell told once all are written.
class RegistryAssociation final : public FileAssociation {
public:
    RegistryAssociation(RegistryStore& store, std::function<void()> tellShell = {})
        : m_store(store), m_tellShell(std::move(tellShell)) {}
    bool present() const override;
    bool write(const std::string& programPath) override;

private:
    RegistryStore& m_store;
    std::function<void()> m_tellShell;
};

// The association prompt's answer as the dialog hands it back: 1 for Yes or 4 for No, plus 1 when
// "Don't ask me this again." is ticked; 0 when the dialog was closed otherwise.
int associationAnswer(bool yes, bool dontAskAgain);

// CheckAssociation's first steps: the question is put when the association is not present and
// the user has not asked not to be asked again ("NoMore").
bool shouldAskAboutAssociation(const FileAssociation& association, const RegistryStore& settings);

// The answer carried out: 1 writes the association, 2 also stores "NoMore", 5 only stores it,
// anything else does nothing.
void applyAssociationAnswer(int answer, FileAssociation& association, RegistryStore& settings,
                            const std::string& programPath);

}  // namespace tally
