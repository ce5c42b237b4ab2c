#pragma once
// Helpers shared by the code view tests: a picture of a view's colours, a scripted save prompt and
// a scratch folder.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tally-codeview-XXXXXX").string();
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        m_path = ::mkdtemp(name.data());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    std::string path(const std::string& name) const { return (m_path / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    std::string read(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
    const std::filesystem::path& root() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace tally::testing
