#include "core/spell/WordList.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "core/os/FileFacts.h"
#include "core/os/SafeFileWriter.h"
#include "core/project/PathOps.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

namespace tally {

WordList readWordList(const std::string& path) {
    WordList words;
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return words;
    std::string_view text = *bytes;
    for (std::size_t from = 0; from < text.size();) {
        std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty() && line.front() != '#') {
            words.emplace(line);
            // A list typed in a UTF-8 editor holds "Café" as UTF-8; the project's captions hold it
            // in Windows-1252. Both forms are kept.
            if (isValidUtf8(line) && hasHighByte(line)) {
                std::string ansi = utf8ToWindows1252(line);
                if (ansi.find('?') == std::string::npos || line.find('?') != std::string_view::npos)
                    words.insert(std::move(ansi));
            }
        }
        from = end + 1;
    }
    return words;
}

Outcome saveWordList(const std::string& path, const WordList& words) {
    std::string text;
    for (const std::string& word : words) text += word + "\r\n";
    // The words folder of the settings is made on the first save.
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return SafeFileWriter(path).write(text);
}

std::string wordListPath(const std::string& settingsFolder, const std::string& projectPath) {
    // FNV-1a: short, stable across runs and machines.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : projectPath) hash = (hash ^ c) * 16777619u;
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    return settingsFolder + "/words/" + fileNameOf(projectPath) + "-" + hex + ".txt";
}

SpellerSuggestions WordListSpeller::suggest(std::string_view word) {
    if (m_words.count(word)) return {};
    return m_inner.suggest(word);
}

SpellerStatus WordListSpeller::check(std::string_view word, bool& correct) {
    if (m_words.count(word)) {
        correct = true;
        return SpellerStatus::Answered;
    }
    return m_inner.check(word, correct);
}

}  // namespace tally
