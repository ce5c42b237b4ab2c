// WriteAssociation on Windows: the classes keys written through the real registry, below a scratch
// key so that a run on a real machine leaves its own associations alone.
#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "core/settings/ScanFileAssociation.h"
#include "platform/desktop/AssociationChoice.h"
#include "platform/registry/RegistryStoreChoice.h"

namespace tally {

namespace {

// Every hive of the inner store moved below one key of HKEY_CURRENT_USER: "HKEY_CLASSES_ROOT\.psf"
// becomes "<root>\HKEY_CLASSES_ROOT\.psf".
class ScratchRootStore final : public RegistryStore {
public:
    ScratchRootStore(RegistryStore& inner, std::string root) : m_inner(inner), m_root(std::move(root)) {}

    std::optional<std::vector<std::string>> subkeys(Hive hive, std::string_view path) const override {
        return m_inner.subkeys(Hive::CurrentUser, moved(hive, path));
    }
    std::optional<std::vector<RegValue>> values(Hive hive, std::string_view path) const override {
        return m_inner.values(Hive::CurrentUser, moved(hive, path));
    }
    std::optional<RegValue> value(Hive hive, std::string_view path, std::string_view name) const override {
        return m_inner.value(Hive::CurrentUser, moved(hive, path), name);
    }
    bool setValue(Hive hive, std::string_view path, const RegValue& value) override {
        return m_inner.setValue(Hive::CurrentUser, moved(hive, path), value);
    }
    bool createKey(Hive hive, std::string_view path) override {
        return m_inner.createKey(Hive::CurrentUser, moved(hive, path));
    }
    bool deleteKey(Hive hive, std::string_view path) override {
        return m_inner.deleteKey(Hive::CurrentUser, moved(hive, path));
    }

private:
    std::string moved(Hive hive, std::string_view path) const {
        std::string out = m_root + "\\" + std::string(hiveName(hive));
        if (!path.empty()) out += "\\" + std::string(path);
        return out;
    }

    RegistryStore& m_inner;
    std::string m_root;
};

std::string defaultText(const std::string& path) {
    DWORD type = 0;
    std::string data;
    if (!test::queryValue(HKEY_CURRENT_USER, path, "", type, data) || type != REG_SZ) return "<none>";
    return std::string(cutAtNul(data));
}

}  // namespace

TEST(WindowsAssociation, WritesTheClassesKeysThatOpenScanFilesWithTheProgram) {
    test::ScratchKey scratch;
    std::unique_ptr<RegistryStore> registry = makeWin32RegistryStore();
    ScratchRootStore store(*registry, scratch.path());
    // The program's own choice on Windows: the registry's association, the shell told afterwards.
    std::unique_ptr<FileAssociation> chosen = openSystemAssociation(store);
    FileAssociation& association = *chosen;
    EXPECT_FALSE(association.present());

    // The program path as the association stores it: the short form of a path with blanks.
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    const std::string program = associationProgramPath(self);
    EXPECT_EQ(program.find(' '), std::string::npos) << program;

    ASSERT_TRUE(association.write(program));
    EXPECT_TRUE(association.present());
    const std::string classes = scratch / "HKEY_CLASSES_ROOT";
    EXPECT_EQ(defaultText(classes + "\\.psf"), "Project.Scanfile");
    EXPECT_EQ(defaultText(classes + "\\Project.Scanfile"), "Project Scan File");
    const std::string command = defaultText(classes + "\\Project.Scanfile\\shell\\open\\command");
    EXPECT_EQ(command.rfind(program, 0), 0u) << command;
    EXPECT_EQ(defaultText(scratch / "HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.psf"), "Project.Scanfile");
}

}  // namespace tally
