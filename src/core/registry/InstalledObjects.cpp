#include "core/registry/InstalledObjects.h"

#include "core/os/SystemFiles.h"
#include "core/registry/RegistryFormat.h"
#include "core/registry/RegistryValues.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

std::string defaultText(const RegistryStore& store, const std::string& path) {
    return readValueText(store, Hive::ClassesRoot, path, "", "");
}

}  // namespace

std::string serverFileText(std::string_view server) {
    std::string_view text = server;
    if (std::size_t at = text.find(" /"); at != std::string_view::npos) text = text.substr(0, at);
    if (std::size_t at = text.find(" -"); at != std::string_view::npos) text = text.substr(0, at);
    text = trimView(text);
    if (!text.empty() && text.front() == '"') text.remove_prefix(1);
    if (!text.empty() && text.back() == '"') text.remove_suffix(1);
    return std::string(trimView(text));
}

ObjectInfo getObjectInfo(const RegistryStore& store, std::string_view clsid, const ObjectFolders& folders,
                         const ServerFiles& files) {
    ObjectInfo info;
    const std::string key = "CLSID\\" + std::string(clsid);
    info.name = defaultText(store, key);
    std::string server = defaultText(store, key + "\\InProcServer32");
    if (server.empty()) server = defaultText(store, key + "\\LocalServer32");
    if (server.empty()) server = defaultText(store, key + "\\InstalledVersion\\Path");
    if (server.empty()) return info;
    std::string_view name = trimView(info.name);
    if (name.empty()) return info;
    if (name.front() == '{') {
        info.name.clear();
        return info;
    }
    info.version = defaultText(store, key + "\\Version");
    server = serverFileText(server);
    if (server.find(':') != std::string::npos) {
        info.path = server;
        info.diskPath = files.find(server);
        info.found = !info.diskPath.empty();
        return info;
    }
    for (const std::string* folder : {&folders.windowsDir, &folders.systemDir}) {
        if (folder->empty()) continue;
        std::string candidate = *folder + server;
        std::string onDisk = files.find(candidate);
        if (onDisk.empty()) continue;
        info.path = std::move(candidate);
        info.diskPath = std::move(onDisk);
        info.found = true;
        return info;
    }
    return info;
}

std::vector<ObjectRow> listInstalledObjects(const RegistryStore& store, const ObjectFolders& folders,
                                            const ServerFiles& files, const ObjectListProgress& progress) {
    std::vector<ObjectRow> rows;
    std::optional<std::vector<std::string>> clsids = store.subkeys(Hive::ClassesRoot, "CLSID");
    if (!clsids) return rows;
    const std::size_t total = clsids->size();
    for (std::size_t done = 0; done < total; ++done) {
        const std::string clsid(cutAtNul((*clsids)[done]));
        ObjectInfo info = getObjectInfo(store, clsid, folders, files);
        if (!trimView(info.name).empty() && !trimView(info.version).empty()) {
            rows.push_back(ObjectRow{.clsid = clsid, .text = properCase(info.name), .icon = info.found ? "class" : "class1",
                                     .version = std::move(info.version), .path = std::move(info.path),
                                     .diskPath = std::move(info.diskPath)});
        }
        if (progress && !progress(done + 1, total)) break;
    }
    return rows;
}

ObjectFolders objectFoldersOf(const DiskServerFiles& files) {
    if (!sys::windowsFolder().empty()) return {sys::windowsFolder(), sys::systemFolder()};
    if (files.driveFolder('C').empty()) return {};
    return {"C:\\windows\\", "C:\\windows\\system32\\"};
}

std::string installedObjectsNodeText(std::size_t count) {
    return "Installed Objects - " + std::to_string(count);
}

}  // namespace tally
