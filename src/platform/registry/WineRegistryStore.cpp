#include "platform/registry/WineRegistryStore.h"

#include "core/registry/MemoryRegistryStore.h"
#include "core/text/TextOps.h"
#include "platform/registry/WineServerCheck.h"

namespace tally {

namespace {

constexpr std::string_view kDefaultUser = ".Default";
// The SID Wine gives the prefix's one user.
constexpr std::string_view kWineUserSid = "S-1-5-21-0-0-0-1000";

std::string joined(const std::vector<std::string_view>& parts, std::size_t from) {
    std::string path;
    for (std::size_t i = from; i < parts.size(); ++i) {
        if (!path.empty()) path.push_back('\\');
        path += parts[i];
    }
    return path;
}

bool containsName(const std::vector<std::string>& names, std::string_view name) {
    for (const std::string& n : names)
        if (equalsIgnoreCase(n, name)) return true;
    return false;
}

}  // namespace

std::string pickWineRegistryFolder(std::string_view winePrefix, std::string_view ownFolder) {
    return std::string(winePrefix.empty() ? ownFolder : winePrefix);
}

WineRegistryStore::WineRegistryStore(std::string folder, std::string serverRoot)
    : m_folder(std::move(folder)),
      m_serverRoot(std::move(serverRoot)),
      // New files name their root as Wine 8 writes it.
      m_files{WineHiveFile(m_folder.empty() ? "" : m_folder + "/system.reg", "REGISTRY\\Machine"),
              WineHiveFile(m_folder.empty() ? "" : m_folder + "/user.reg",
                           "REGISTRY\\User\\" + std::string(kWineUserSid)),
              WineHiveFile(m_folder.empty() ? "" : m_folder + "/userdef.reg", "REGISTRY\\User\\.Default")} {}

WineRegistryStore::WineRegistryStore(std::string folder)
    : WineRegistryStore(std::move(folder), defaultWineServerRoot()) {}

std::string WineRegistryStore::userSid() const {
    // Older Wine names the root "\\User\\<SID>", Wine 8 "REGISTRY\\User\\<SID>".
    std::vector<std::string_view> parts = registryPathParts(file(kUser).current().root());
    if (!parts.empty() && equalsIgnoreCase(parts[0], "REGISTRY")) parts.erase(parts.begin());
    if (parts.size() == 2 && equalsIgnoreCase(parts[0], "User")) return std::string(parts[1]);
    return std::string(kWineUserSid);
}

WineRegistryStore::Place WineRegistryStore::classesPlace(FileIndex index, std::string_view path) const {
    const std::string below = joined(registryPathParts(path), 0);
    return {index, below.empty() ? "Software\\Classes" : "Software\\Classes\\" + below};
}

WineRegistryStore::Place WineRegistryStore::place(Hive hive, std::string_view path) const {
    switch (hive) {
        case Hive::LocalMachine:
            return {kSystem, std::string(path)};
        case Hive::CurrentUser:
            return {kUser, std::string(path)};
        case Hive::Users: {
            const std::vector<std::string_view> parts = registryPathParts(path);
            if (parts.empty()) return {};
            if (equalsIgnoreCase(parts[0], kDefaultUser)) return {kUserDefault, joined(parts, 1)};
            if (equalsIgnoreCase(parts[0], userSid())) return {kUser, joined(parts, 1)};
            return {};
        }
        case Hive::ClassesRoot:
            break;
    }
    return {};
}

bool WineRegistryStore::exists(const Place& at) const {
    return at.file >= 0 && file(at.file).current().hasKey(at.path);
}

std::optional<std::vector<std::string>> WineRegistryStore::subkeys(Hive hive, std::string_view path) const {
    if (hive == Hive::ClassesRoot) {
        const Place user = classesPlace(kUser, path), machine = classesPlace(kSystem, path);
        auto names = file(kUser).current().subkeys(user.path);
        auto more = file(kSystem).current().subkeys(machine.path);
        // The hive itself always opens, even before either side has any classes.
        if (!names && !more && registryPathParts(path).empty()) return std::vector<std::string>{};
        if (!names) return more;
        if (more)
            for (std::string& name : *more)
                if (!containsName(*names, name)) names->push_back(std::move(name));
        return names;
    }
    if (hive == Hive::Users && registryPathParts(path).empty())
        return std::vector<std::string>{std::string(kDefaultUser), userSid()};
    const Place at = place(hive, path);
    if (at.file < 0) return std::nullopt;
    return file(at.file).current().subkeys(at.path);
}

std::optional<std::vector<RegValue>> WineRegistryStore::values(Hive hive, std::string_view path) const {
    if (hive == Hive::ClassesRoot) {
        auto found = file(kUser).current().values(classesPlace(kUser, path).path);
        auto more = file(kSystem).current().values(classesPlace(kSystem, path).path);
        if (!found && !more && registryPathParts(path).empty()) return std::vector<RegValue>{};
        if (!found) return more;
        if (more)
            for (RegValue& v : *more) {
                bool shadowed = false;
                for (const RegValue& mine : *found)
                    shadowed = shadowed || equalsIgnoreCase(mine.name, v.name);
                if (!shadowed) found->push_back(std::move(v));
            }
        return found;
    }
    if (hive == Hive::Users && registryPathParts(path).empty()) return std::vector<RegValue>{};
    const Place at = place(hive, path);
    if (at.file < 0) return std::nullopt;
    return file(at.file).current().values(at.path);
}

std::optional<RegValue> WineRegistryStore::value(Hive hive, std::string_view path,
                                                 std::string_view name) const {
    if (hive == Hive::ClassesRoot) {
        if (auto mine = file(kUser).current().value(classesPlace(kUser, path).path, name)) return mine;
        return file(kSystem).current().value(classesPlace(kSystem, path).path, name);
    }
    const Place at = place(hive, path);
    if (at.file < 0) return std::nullopt;
    return file(at.file).current().value(at.path, name);
}

std::string WineRegistryStore::writeRefusal() const {
    if (wineServerRunning(m_folder, m_serverRoot)) return std::string(kWineRegistryInUse);
    return {};
}

bool WineRegistryStore::writable() const {
    return !m_folder.empty() && writeRefusal().empty();
}

bool WineRegistryStore::setValueAt(const Place& at, const RegValue& value) {
    if (at.file < 0) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    return hive && hive->setValue(at.path, value) && f.save();
}

bool WineRegistryStore::createKeyAt(const Place& at) {
    if (at.file < 0) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    if (!hive) return false;
    return !hive->createKey(at.path) || f.save();
}

bool WineRegistryStore::deleteKeyAt(const Place& at) {
    if (at.file < 0 || registryPathParts(at.path).empty()) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    return hive && hive->deleteKey(at.path) && f.save();
}

bool WineRegistryStore::setValue(Hive hive, std::string_view path, const RegValue& value) {
    if (!writable()) return false;
    if (hive != Hive::ClassesRoot) return setValueAt(place(hive, path), value);
    // The machine's key takes the write unless only the user has the key.
    const Place machine = classesPlace(kSystem, path);
    if (exists(machine)) return setValueAt(machine, value);
    const Place user = classesPlace(kUser, path);
    return exists(user) && setValueAt(user, value);
}

bool WineRegistryStore::createKey(Hive hive, std::string_view path) {
    if (hive == Hive::ClassesRoot) {
        const Place machine = classesPlace(kSystem, path), user = classesPlace(kUser, path);
        if (exists(machine) || exists(user)) return true;
        if (!writable()) return false;
        // The new key goes where its nearest existing parent is, the machine's side when both are.
        std::vector<std::string_view> parts = registryPathParts(path);
        while (!parts.empty()) {
            parts.pop_back();
            const std::string parent = joined(parts, 0);
            if (exists(classesPlace(kSystem, parent))) break;
            if (exists(classesPlace(kUser, parent))) return createKeyAt(user);
        }
        return createKeyAt(machine);
    }
    if (hive == Hive::Users && registryPathParts(path).empty()) return true;
    const Place at = place(hive, path);
    if (exists(at)) return true;
    return writable() && createKeyAt(at);
}

bool WineRegistryStore::deleteKey(Hive hive, std::string_view path) {
    if (!writable() || registryPathParts(path).empty()) return false;
    if (hive != Hive::ClassesRoot) {
        const Place at = place(hive, path);
        return exists(at) && deleteKeyAt(at);
    }
    // Deleted from both sides, or the merged view would still show the other side's key.
    const Place machine = classesPlace(kSystem, path), user = classesPlace(kUser, path);
    bool deleted = false;
    if (exists(user)) deleted = deleteKeyAt(user) || deleted;
    if (exists(machine)) deleted = deleteKeyAt(machine) || deleted;
    return deleted;
}

}  // namespace tally
