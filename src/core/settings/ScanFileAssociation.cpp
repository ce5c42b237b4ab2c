#include "core/settings/ScanFileAssociation.h"

#include <array>

#include "core/registry/RegistryValues.h"
#include "core/settings/AppSettings.h"

namespace tally {

namespace {

constexpr std::string_view kAssociateKey = "Associate";
constexpr std::string_view kNoMore = "NoMore";

struct AssociationStep {
    Hive hive;
    std::string key;
    std::string text;
};

std::array<AssociationStep, 8> associationSteps(const std::string& programPath) {
    const std::string progId(kScanProgId);
    const std::string command = programPath + " \"%1\"";
    const std::string classes = "SOFTWARE\\Classes\\";
    return {{
        {Hive::ClassesRoot, std::string(kScanExtension), progId},
        {Hive::ClassesRoot, progId, std::string(kScanTypeName)},
        {Hive::ClassesRoot, progId + "\\shell\\open\\command", command},
        {Hive::ClassesRoot, progId + "\\DefaultIcon", programPath},
        {Hive::LocalMachine, classes + std::string(kScanExtension), progId},
        {Hive::LocalMachine, classes + progId, std::string(kScanTypeName)},
        {Hive::LocalMachine, classes + progId + "\\shell\\open\\command", command},
        {Hive::LocalMachine, classes + progId + "\\DefaultIcon", programPath},
    }};
}

}  // namespace

bool RegistryAssociation::present() const {
    return readValueText(m_store, Hive::ClassesRoot, kScanExtension, "", "") == kScanProgId &&
           readValueText(m_store, Hive::ClassesRoot, kScanProgId, "", "") == kScanTypeName;
}

bool RegistryAssociation::write(const std::string& programPath) {
    for (const AssociationStep& step : associationSteps(programPath)) {
        m_store.createKey(step.hive, step.key);
        if (!saveValue(m_store, step.hive, step.key, regtype::kString, "", step.text)) return false;
    }
    if (m_tellShell) m_tellShell();
    return true;
}

int associationAnswer(bool yes, bool dontAskAgain) {
    return (yes ? 1 : 4) + (dontAskAgain ? 1 : 0);
}

bool shouldAskAboutAssociation(const FileAssociation& association, const RegistryStore& settings) {
    if (association.present()) return false;
    return readSetting(settings, kAssociateKey, "") != kNoMore;
}

void applyAssociationAnswer(int answer, FileAssociation& association, RegistryStore& settings,
                            const std::string& programPath) {
    if (answer == 1 || answer == 2) association.write(programPath);
    if (answer == 2 || answer == 5) writeSetting(settings, kAssociateKey, "", kNoMore);
}

}  // namespace tally
