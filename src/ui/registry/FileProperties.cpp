// "Properties" of an installed object's server file: Windows shows its own Properties sheet;
// elsewhere our dialog stands in for it.
#include "ui/registry/RegistryCommands.h"

#include <QDir>
#include <QWidget>

#include "ui/registry/FilePropertiesDialog.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace tally {

void showFileProperties(QWidget* parent, const QString& path, const VersionInfoSource& versions) {
#ifdef _WIN32
    const std::wstring file = QDir::toNativeSeparators(path).toStdWString();
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = parent ? reinterpret_cast<HWND>(parent->window()->winId()) : nullptr;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.nShow = SW_SHOW;
    if (ShellExecuteExW(&info) && info.hProcess) CloseHandle(info.hProcess);
    (void)versions;
#else
    FilePropertiesDialog dialog(path, versions, parent);
    dialog.exec();
#endif
}

}  // namespace tally
