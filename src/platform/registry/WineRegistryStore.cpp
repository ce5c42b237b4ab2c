#include "platform/registry/WineRegistryStore.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>

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

// The classes keys that 64-bit Windows keeps apart for 32-bit programs below Wow6432Node.
constexpr std::array<std::string_view, 4> kRedirectedClasses{"CLSID", "TypeLib", "Interface", "AppID"};
constexpr std::string_view kWow64Node = "Wow6432Node";

bool isRedirected(std::string_view name) {
    for (std::string_view redirected : kRedirectedClasses)
        if (equalsIgnoreCase(name, redirected)) return true;
    return false;
}

// Adds the names of `more` that `names` lacks (in any case), keeping both orders.
void mergeNames(std::optional<std::vector<std::string>>& names,
                std::optional<std::vector<std::string>> more) {
    if (!more) return;
    if (!names) {
        names = std::move(more);
        return;
    }
    std::unordered_set<std::string> seen;
    seen.reserve(names->size());
    for (const std::string& name : *names) seen.insert(toLower(name));
    for (std::string& name : *more)
        if (seen.insert(toLower(name)).second) names->push_back(std::move(name));
}

}  // namespace

std::string pickWineRegistryFolder(std::string_view winePrefix, std::string_view defaultPrefix,
                                   std::string_view ownFolder) {
    if (!winePrefix.empty()) return std::string(winePrefix);
    if (!defaultPrefix.empty()) {
        const auto isFile = [](const std::string& path) {
            std::error_code ec;
            return std::filesystem::is_regular_file(path, ec);
        };
        const std::string prefix(defaultPrefix);
        if (isFile(prefix + "/system.reg") || isFile(prefix + "/user.reg")) return prefix;
    }
    return std::string(ownFolder);
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
    const std::lock_guard lock(m_mutex);
    return sid();
}

std::string WineRegistryStore::sid() const {
    // Older Wine names the root "\\User\\<SID>", Wine 8 "REGISTRY\\User\\<SID>".
    std::vector<std::string_view> parts = registryPathParts(file(kUser).current().root());
    if (!parts.empty() && equalsIgnoreCase(parts[0], "REGISTRY")) parts.erase(parts.begin());
    if (parts.size() == 2 && equalsIgnoreCase(parts[0], "User")) return std::string(parts[1]);
    return std::string(kWineUserSid);
}

WineRegistryStore::Place WineRegistryStore::classesPlace(FileIndex index, std::string_view below) const {
    const std::string path = joined(registryPathParts(below), 0);
    return {index, path.empty() ? "Software\\Classes" : "Software\\Classes\\" + path};
}

bool WineRegistryStore::win64() const {
    // Every file of a prefix names its architecture; system.reg is the one Wine writes first.
    const std::string& arch = file(kSystem).current().arch();
    return equalsIgnoreCase(arch.empty() ? file(kUser).current().arch() : arch, "win64");
}

bool WineRegistryStore::classesExist(std::string_view below) const {
    return exists(classesPlace(kUser, below)) || exists(classesPlace(kSystem, below));
}

std::string WineRegistryStore::classesPath(std::string_view path) const {
    const std::vector<std::string_view> parts = registryPathParts(path);
    std::string plain = joined(parts, 0);
    if (parts.size() < 2 || !isRedirected(parts[0]) || !win64()) return plain;
    // The whole entry (CLSID\{...}) comes from the 32-bit side when that has it, so that no key
    // below it is taken from the 64-bit registration of the same class.
    const std::string wow(kWow64Node);
    return classesExist(wow + "\\" + joined({parts[0], parts[1]}, 0)) ? wow + "\\" + plain : plain;
}

std::optional<std::vector<std::string>> WineRegistryStore::classesSubkeys(std::string_view below) const {
    // The user's keys first, then the machine's that the user has not.
    auto names = file(kUser).current().subkeys(classesPlace(kUser, below).path);
    mergeNames(names, file(kSystem).current().subkeys(classesPlace(kSystem, below).path));
    return names;
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
            if (equalsIgnoreCase(parts[0], sid())) return {kUser, joined(parts, 1)};
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
    const std::lock_guard lock(m_mutex);
    if (hive == Hive::ClassesRoot) {
        const std::vector<std::string_view> parts = registryPathParts(path);
        if (parts.size() == 1 && isRedirected(parts[0]) && win64()) {
            // The 32-bit registrations first, as a 32-bit program finds them, then the 64-bit ones
            // without a 32-bit twin, so that nothing registered goes unlisted.
            auto names = classesSubkeys(std::string(kWow64Node) + "\\" + std::string(parts[0]));
            mergeNames(names, classesSubkeys(parts[0]));
            return names;
        }
        auto names = classesSubkeys(classesPath(path));
        // The hive itself always opens, even before either side has any classes.
        if (!names && parts.empty()) return std::vector<std::string>{};
        return names;
    }
    if (hive == Hive::Users && registryPathParts(path).empty())
        return std::vector<std::string>{std::string(kDefaultUser), sid()};
    const Place at = place(hive, path);
    if (at.file < 0) return std::nullopt;
    return file(at.file).current().subkeys(at.path);
}

std::optional<std::vector<RegValue>> WineRegistryStore::values(Hive hive, std::string_view path) const {
    const std::lock_guard lock(m_mutex);
    if (hive == Hive::ClassesRoot) {
        const std::string below = classesPath(path);
        auto found = file(kUser).current().values(classesPlace(kUser, below).path);
        auto more = file(kSystem).current().values(classesPlace(kSystem, below).path);
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
    const std::lock_guard lock(m_mutex);
    if (hive == Hive::ClassesRoot) {
        const std::string below = classesPath(path);
        if (auto mine = file(kUser).current().value(classesPlace(kUser, below).path, name)) return mine;
        return file(kSystem).current().value(classesPlace(kSystem, below).path, name);
    }
    const Place at = place(hive, path);
    if (at.file < 0) return std::nullopt;
    return file(at.file).current().value(at.path, name);
}

std::string WineRegistryStore::writeRefusal() const {
    const std::lock_guard lock(m_mutex);
    return refusal();
}

std::string WineRegistryStore::refusal() const {
    if (wineServerRunning(m_folder, m_serverRoot)) return std::string(kWineRegistryInUse);
    return {};
}

bool WineRegistryStore::writable() const {
    return !m_folder.empty() && refusal().empty();
}

bool WineRegistryStore::commit(WineHiveFile& f) {
    // Asked again just before the file is replaced: a server may have started since the operation
    // began, and would write its own registry over the file when it stops.
    if (!writable()) {
        f.discard();
        return false;
    }
    return f.save();
}

bool WineRegistryStore::setValueAt(const Place& at, const RegValue& value) {
    if (at.file < 0) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    return hive && hive->setValue(at.path, value) && commit(f);
}

bool WineRegistryStore::createKeyAt(const Place& at) {
    if (at.file < 0) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    if (!hive) return false;
    return !hive->createKey(at.path) ? hive->hasKey(at.path) : commit(f);
}

bool WineRegistryStore::deleteKeyAt(const Place& at) {
    if (at.file < 0 || registryPathParts(at.path).empty()) return false;
    WineHiveFile& f = file(at.file);
    WineHive* hive = f.forChange();
    return hive && hive->deleteKey(at.path) && commit(f);
}

bool WineRegistryStore::setValue(Hive hive, std::string_view path, const RegValue& value) {
    const std::lock_guard lock(m_mutex);
    if (!writable()) return false;
    if (hive != Hive::ClassesRoot) return setValueAt(place(hive, path), value);
    // The user's key takes the write when there is one, as in Windows: it is the one reads find.
    const std::string below = classesPath(path);
    const Place user = classesPlace(kUser, below);
    if (exists(user)) return setValueAt(user, value);
    const Place machine = classesPlace(kSystem, below);
    return exists(machine) && setValueAt(machine, value);
}

bool WineRegistryStore::createKey(Hive hive, std::string_view path) {
    const std::lock_guard lock(m_mutex);
    if (hive == Hive::ClassesRoot) {
        const std::string below = classesPath(path);
        const Place machine = classesPlace(kSystem, below), user = classesPlace(kUser, below);
        if (exists(machine) || exists(user)) return true;
        if (!writable()) return false;
        // The new key goes where its nearest existing parent is, the machine's side when both are.
        std::vector<std::string_view> parts = registryPathParts(below);
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
    const std::lock_guard lock(m_mutex);
    if (!writable() || registryPathParts(path).empty()) return false;
    if (hive != Hive::ClassesRoot) {
        const Place at = place(hive, path);
        return exists(at) && deleteKeyAt(at);
    }
    // Deleted from both sides, or the merged view would still show the other side's key.
    const std::string below = classesPath(path);
    const Place machine = classesPlace(kSystem, below), user = classesPlace(kUser, below);
    bool deleted = false;
    if (exists(user)) deleted = deleteKeyAt(user) || deleted;
    if (exists(machine)) deleted = deleteKeyAt(machine) || deleted;
    return deleted;
}

}  // namespace tally
