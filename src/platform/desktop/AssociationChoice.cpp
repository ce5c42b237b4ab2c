#include "platform/desktop/AssociationChoice.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include "platform/desktop/FreedesktopAssociation.h"
#endif

namespace tally {

std::unique_ptr<FileAssociation> openSystemAssociation(RegistryStore& registry) {
#ifdef _WIN32
    return std::make_unique<RegistryAssociation>(
        registry, [] { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); });
#else
    (void)registry;
    return std::make_unique<FreedesktopAssociation>(userDataHome());
#endif
}

std::string associationProgramPath(const std::string& programFile) {
#ifdef _WIN32
    char shortPath[256] = {};
    const DWORD length = GetShortPathNameA(programFile.c_str(), shortPath, sizeof shortPath);
    if (length == 0 || length >= sizeof shortPath) return programFile;
    return std::string(shortPath, length);
#else
    return programFile;
#endif
}

}  // namespace tally
