#pragma once
// The COM objects installed on the machine that carry a version: GetObjectInfo for one CLSID of
// HKEY_CLASSES_ROOT\CLSID and the rows of the "Installed Objects" list.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/registry/RegistryStore.h"
#include "core/registry/ServerFiles.h"

namespace tally {

struct ObjectInfo {
    std::string name;      // the CLSID's default value (cleared when it is itself a CLSID)
    std::string version;   // the default value of its Version key
    std::string path;      // the server file as found: the registry's full path, or the Windows or
                           // system folder joined with a bare name; empty when not found
    std::string diskPath;  // where that file is on this disk (for its version and properties)
    bool found = false;    // the server file exists
};

// The folders a bare server name is looked for in, each ending in a separator (or empty).
struct ObjectFolders {
    std::string windowsDir;
    std::string systemDir;
};

// The folders of this machine: the real ones on Windows; elsewhere the Windows and system folders
// of the Wine prefix behind `files` (as the registry names them, "C:\\windows\\"), or none.
ObjectFolders objectFoldersOf(const DiskServerFiles& files);

ObjectInfo getObjectInfo(const RegistryStore& store, std::string_view clsid, const ObjectFolders& folders,
                         const ServerFiles& files);

// A row of the objects list.
struct ObjectRow {
    std::string clsid;    // the row key, with braces
    std::string text;     // the name in proper case
    std::string icon;     // "class" when the server file was found, "class1" when not
    std::string version;
    std::string path;
    std::string diskPath;
};

// Told after each CLSID how many of how many are done; answering false stops the listing there.
using ObjectListProgress = std::function<bool(std::size_t done, std::size_t total)>;

// ListInstalledObjects: a row for every CLSID with both a name and a version, in the store's order.
std::vector<ObjectRow> listInstalledObjects(const RegistryStore& store, const ObjectFolders& folders,
                                            const ServerFiles& files, const ObjectListProgress& progress = {});

// The server text as a file name: cut before " /" and then before " -" (command-line switches),
// blanks and one leading and one trailing double quote stripped.
std::string serverFileText(std::string_view server);

// "Installed Objects - " + count: the node's text once the list is filled.
std::string installedObjectsNodeText(std::size_t count);

}  // namespace tally
