#include "ui/spell/SpellCheckCommand.h"

#include <QSettings>

#include "core/spell/SpellMessages.h"
#include "core/spell/WordList.h"
#include "platform/SettingsFolder.h"
#include "platform/SpellerChoice.h"
#include "ui/common/AnsiText.h"
#include "ui/common/BackgroundCall.h"
#include "ui/common/ProjectText.h"
#include "ui/spell/SpellCheckDialog.h"

namespace tally {

std::string chosenDictionary() {
    const std::string folder = settingsFolder();
    if (folder.empty()) return {};
    QSettings settings(QString::fromStdString(folder + "/tallyscan6.ini"), QSettings::IniFormat);
    return settings.value(QStringLiteral("Spelling/Dictionary")).toString().toStdString();
}

bool runSpellCheck(QWidget* parent, ProjectModel& model, UserPrompts& prompts) {
    const std::string folder = settingsFolder();
    const std::string wordList = folder.empty() || model.projectPath.empty() ? std::string()
                                                                             : wordListPath(folder, model.projectPath);
    const std::string dictionary = chosenDictionary();
    std::vector<std::string> wordLists;
    if (!wordList.empty()) wordLists.push_back(wordList);
    // Without a chosen dictionary the project's code page picks the language (ru_RU for 1251, ...).
    const int codePage = sourceCodecs().codePage();
    OpenedSpeller opened = runWhilePainting([&] { return openSpeller(dictionary, wordLists, codePage); });
    if (!opened.dictionary) {
        prompts.notify(QString::fromUtf8(kNoSpeller.data(), static_cast<int>(kNoSpeller.size())),
                       MessageIcon::Information, applicationTitle());
        return false;
    }
    // A dictionary that failed to load answers nothing: the dialog says so at the first word.
    std::function<void(const std::string&)> keep;
    if (!wordList.empty())
        keep = [&](const std::string& word) {
            opened.speller->add(word);
            Outcome saved = saveWordList(wordList, opened.speller->words());
            if (!saved.ok)
                prompts.notify(QString::fromStdString(saved.detail.empty() ? saved.description : saved.detail),
                               MessageIcon::Exclamation, applicationTitle());
        };
    SpellCheckDialog dialog(model.spell, *opened.speller, prompts,
                            QString::fromStdString(brokenDictionaryMessage(opened.dictionaryPath)), keep, parent,
                            codePage);
    dialog.exec();
    return dialog.changedRows();
}

}  // namespace tally
