#pragma once
// Answers every question of the main window with No and opens no file, so that the bench tools
// run without anybody at the keyboard.

#include "core/settings/ShellRunner.h"
#include "ui/common/UserPrompts.h"

namespace tally::bench {

class QuietPrompts final : public UserPrompts {
public:
    void notify(const QString&, MessageIcon, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    QString chooseOpenFile(const QString&, const QString&) override { return {}; }
    QStringList chooseOpenFiles(const QString&, const QString&) override { return {}; }
    QString chooseSaveFile(const QString&, const QString&, const QString&) override { return savePath; }
    SaveItChoice chooseSaveIt(const QString&, std::span<const SaveItButton>) override {
        return SaveItChoice::ContinueWithoutSaving;
    }

    QString savePath;  // what the save dialog answers; empty: cancelled
};

// Starts nothing.
class NoShell final : public ShellRunner {
public:
    int start(const ShellRequest&) override { return kShellStarted; }
};

}  // namespace tally::bench
