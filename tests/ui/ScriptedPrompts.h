#pragma once
// Test stand-ins for the main window's dialogs and shell: message boxes answered from a script and
// recorded, file dialogs that return prepared paths, and a shell that records what it was asked.

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "core/settings/ShellRunner.h"
#include "ui/common/UserPrompts.h"

namespace tally::test {

struct ShownMessage {
    QString text;
    MessageIcon icon;
    QString title;
};

class ScriptedPrompts final : public UserPrompts {
public:
    void notify(const QString& text, MessageIcon icon, const QString& title) override {
        shown.push_back({text, icon, title});
    }
    bool askYesNo(const QString& text, const QString& title) override {
        shown.push_back({text, MessageIcon::Question, title});
        const bool answer = take(answers);
        if (onQuestion) onQuestion(text, answer);
        return answer;
    }
    QString chooseOpenFile(const QString& caption, const QString& filter) override {
        filters << filter;
        captions << caption;
        return take(openFiles);
    }
    QStringList chooseOpenFiles(const QString& caption, const QString& filter) override {
        filters << filter;
        captions << caption;
        return take(openFileLists);
    }
    QString chooseSaveFile(const QString& caption, const QString& filter, const QString& proposed) override {
        filters << filter;
        captions << caption;
        proposals << proposed;
        return take(saveFiles);
    }
    SaveItChoice chooseSaveIt(const QString& label, std::span<const SaveItButton>) override {
        saveItLabels << label;
        return take(saveItAnswers, SaveItChoice::ContinueWithoutSaving);
    }

    // The texts shown, in order.
    QStringList texts() const {
        QStringList all;
        for (const ShownMessage& message : shown) all << message.text;
        return all;
    }

    std::vector<ShownMessage> shown;
    std::deque<bool> answers;  // answers to questions; No when the script has run out
    std::function<void(const QString&, bool)> onQuestion;
    std::deque<QString> openFiles;
    std::deque<QStringList> openFileLists;  // answers of the several-files dialog
    std::deque<QString> saveFiles;
    QStringList filters, captions, proposals;
    std::deque<SaveItChoice> saveItAnswers;  // "Continue Without Saving" when the script has run out
    QStringList saveItLabels;  // the labels of the "Save It" dialogs shown

private:
    // The next answer of a script, or `fallback` when the script has run out.
    template <typename T>
    static T take(std::deque<T>& script, T fallback = {}) {
        if (script.empty()) return fallback;
        T next = std::move(script.front());
        script.pop_front();
        return next;
    }
};

class RecordingShell final : public ShellRunner {
public:
    int start(const ShellRequest& request) override {
        requests.push_back(request);
        return code;
    }
    std::vector<ShellRequest> requests;
    int code = kShellStarted;
};

}  // namespace tally::test
