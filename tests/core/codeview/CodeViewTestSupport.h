#pragma once
// Helpers shared by the code view tests: a picture of a view's colours, a scripted save prompt and
// a clipboard in memory.

#include <string>
#include <vector>

#include "core/codeview/ClipboardAccess.h"
#include "core/codeview/MemoryRichTextView.h"
#include "core/codeview/SaveItPrompt.h"

namespace tally::testing {

// One letter per character: '.' plain, 'k' keyword, 'c' comment, 'r' red, 'd' dark red,
// 'b' blue, '?' any other colour.
inline std::string paint(const MemoryRichTextView& view) {
    std::string out;
    for (Colour c : view.colours()) {
        switch (c) {
            case kPlainColour:
                out += '.';
                break;
            case kKeywordColour:
                out += 'k';
                break;
            case kCommentColour:
                out += 'c';
                break;
            case 255:
                out += 'r';
                break;
            case 128:
                out += 'd';
                break;
            case 0xFF0000:
                out += 'b';
                break;
            default:
                out += '?';
                break;
        }
    }
    return out;
}

// Answers the "Save It" dialog and its questions from a script and records what was asked.
class ScriptedPrompt final : public SaveItPrompt {
public:
    SaveItChoice choice = SaveItChoice::ContinueWithoutSaving;
    std::string saveAsPath;  // empty: the save dialog is cancelled
    bool yes = true;

    std::vector<std::string> labels;
    std::vector<std::string> filters;
    std::vector<std::string> questions;
    std::vector<std::pair<std::string, MessageIcon>> messages;
    bool zipOffered = false;

    SaveItChoice choose(std::string_view label, std::span<const SaveItButton> buttons) override {
        labels.emplace_back(label);
        zipOffered = buttons[1].enabled;
        return choice;
    }
    std::optional<std::string> chooseSaveAsPath(std::string_view, std::string_view filter) override {
        filters.emplace_back(filter);
        if (saveAsPath.empty()) return std::nullopt;
        return saveAsPath;
    }
    bool askYesNo(std::string_view question) override {
        questions.emplace_back(question);
        return yes;
    }
    void showMessage(std::string_view text, MessageIcon icon) override { messages.emplace_back(text, icon); }
};

class MemoryClipboard final : public ClipboardAccess {
public:
    std::string content;
    void clear() override { content.clear(); }
    void setText(std::string_view text) override { content = std::string(text); }
    std::string text() const override { return content; }
    bool hasText() const override { return !content.empty(); }
};

}  // namespace tally::testing
