#include "cli/CliSpelling.h"

#include "cli/ProjectText.h"
#include "cli/ReviewOutput.h"
#include "cli/TerminalText.h"
#include "core/spell/SpellSweep.h"
#include "core/text/Windows1252.h"
#include "platform/SettingsFolder.h"
#include "platform/SpellerChoice.h"

namespace tally {

namespace {

std::string joined(const std::vector<std::string>& words, std::string_view separator,
                   std::string (*convert)(std::string_view)) {
    std::string out;
    for (const std::string& word : words) out += (out.empty() ? "" : std::string(separator)) + convert(word);
    return out;
}

std::string shown(std::string_view text) {
    return terminalTextFromAnsi(text);
}

std::string utf8(std::string_view text) {
    return projectUtf8(text);
}

void printFindings(std::ostream& out, const std::vector<SpellFinding>& findings, OutputFormat format) {
    switch (format) {
        case OutputFormat::Text:
            out << "# Spelling\n";
            for (const SpellFinding& f : findings)
                out << shown(f.file) << '\t' << shown(f.routine) << '\t' << shown(f.label) << '\t' << shown(f.word)
                    << '\t' << joined(f.suggestions, ", ", shown) << '\n';
            break;
        case OutputFormat::Csv:
            out << "File,Control/Routine,Variable/Property,Word,Suggestions\r\n";
            for (const SpellFinding& f : findings)
                out << csvField(utf8(f.file)) << ',' << csvField(utf8(f.routine)) << ',' << csvField(utf8(f.label))
                    << ',' << csvField(utf8(f.word)) << ',' << csvField(joined(f.suggestions, "; ", utf8)) << "\r\n";
            break;
        case OutputFormat::Json:
            out << "{\n  \"spelling\": [";
            for (std::size_t i = 0; i < findings.size(); ++i) {
                const SpellFinding& f = findings[i];
                out << (i ? ",\n" : "\n") << "    {\"file\": " << jsonString(utf8(f.file))
                    << ", \"routine\": " << jsonString(utf8(f.routine)) << ", \"property\": " << jsonString(utf8(f.label))
                    << ", \"word\": " << jsonString(utf8(f.word)) << ", \"suggestions\": [";
                for (std::size_t s = 0; s < f.suggestions.size(); ++s)
                    out << (s ? ", " : "") << jsonString(utf8(f.suggestions[s]));
                out << "]}";
            }
            out << (findings.empty() ? "]\n}\n" : "\n  ]\n}\n");
            break;
        case OutputFormat::Sarif:
        case OutputFormat::Junit:
        case OutputFormat::CodeClimate:
            break;  // refused by the argument check
    }
}

}  // namespace

int runSpelling(CliEnvironment& env, const CliArguments& args, const ProjectModel& model) {
    if (!args.spell && !args.failOnSpelling) return kExitOk;
    std::vector<std::string> wordLists;
    if (const std::string folder = settingsFolder(); !folder.empty() && !model.projectPath.empty())
        wordLists.push_back(wordListPath(folder, model.projectPath));
    if (!args.wordsFile.empty()) wordLists.push_back(args.wordsFile);
    // Without a --dictionary the project's code page picks the language (ru_RU for 1251, ...).
    const int codePage = projectCodec().codePage();
    OpenedSpeller opened = openSpeller(args.dictionary, wordLists, codePage);
    if (std::string failure = opened.failure(); !failure.empty()) {
        env.err << "tallyscan6-cli: " << terminalText(failure) << '\n';
        return kExitUsage;
    }
    SpellSweep sweep = sweepSpelling(model.spell, *opened.speller, codePage);
    if (sweep.dictionaryBroken) {
        env.err << "tallyscan6-cli: " << terminalText(opened.failure()) << '\n';
        return kExitUsage;
    }
    if (args.spell) printFindings(env.out, sweep.findings, args.format);
    if (args.failOnSpelling && !sweep.findings.empty()) {
        const std::size_t count = sweep.findings.size();
        env.err << "tallyscan6-cli: " << count << " word" << (count == 1 ? "" : "s") << " not in the dictionary\n";
        return kExitReviewFailed;
    }
    return kExitOk;
}

}  // namespace tally
