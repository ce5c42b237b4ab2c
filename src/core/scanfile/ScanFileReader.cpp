#include "core/scanfile/ScanFileReader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/os/RegularFile.h"
#include "core/scanfile/ScanFieldForms.h"
#include "core/scanfile/ScanFileFormat.h"
#include "core/scanfile/ScanLineCursor.h"
#include "core/scanfile/ScanNodeTable.h"
#include "core/support/ErrorNumbers.h"
#include "core/text/LongTextHash.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

std::string sectionName(ScanSection section) {
    return std::string(scanSectionName(section));
}

// Reads one scan file of either version into a model of its own, so that a failure part way never
// leaves a half-read model behind.
class ScanReader {
public:
    explicit ScanReader(ScanLineFeed& feed) : m_in(feed) {}

    void readInto(ProjectModel& m) {
        readHeader(m);
        readSections(m);
    }

private:
    void readHeader(ProjectModel& m) {
        m_in.enterHeader("");
        std::string_view version = trimView(m_in.plainLine());
        if (version == kScanVersion1)
            m_version2 = false;
        else if (version != kScanVersion2)
            m_in.fail(
                error::kInvalidFileFormat, "Invalid file format",
                "should be \"" + std::string(kScanVersion1) + "\" or \"" + std::string(kScanVersion2) + "\"");

        m_in.enterHeader("ProjectPath");
        m.projectPath = std::string(m_in.plainLine());
        // The directory keeps the separator the path itself uses.
        std::size_t slash = m.projectPath.find_last_of("\\/");
        m.projectDir = slash == std::string::npos ? std::string() : m.projectPath.substr(0, slash + 1);

        m_in.enterHeader("caption");
        std::string_view caption = m_in.plainLine();
        m.caption = trimView(caption).empty() ? std::string(kApplicationTitle) : std::string(caption);

        m.parseStart = headerNumber("ParseStart");
        m.parseTime = headerNumber("ParseTime");
    }

    double headerNumber(std::string_view what) {
        m_in.enterHeader(what);
        std::optional<double> value = parsePrintedNumber(m_in.plainLine());
        if (!value) m_in.fail(error::kTypeMismatch, "Type mismatch", "should be a number");
        return *value;
    }

    // After the header come the nine sections, each once. Lines outside a section (a stray line, an
    // "End" line of its own) are passed over and the sections are taken in the order they come; a
    // file that ends before every section was read is cut short.
    void readSections(ProjectModel& m) {
        constexpr std::size_t kSections = kScanSectionNames.size();
        std::array<bool, kSections> seen{};
        for (std::size_t read = 0; read < kSections;) {
            if (m_in.atEnd()) {
                const auto missing = static_cast<std::size_t>(std::find(seen.begin(), seen.end(), false) - seen.begin());
                m_in.enterHeader("Begin " + std::string(kScanSectionNames[missing]));
                m_in.plainLine();  // fails: the file is cut short
            }
            std::string_view line = trimView(m_in.plainLine());
            std::optional<ScanSection> section = openedSection(line);
            if (!section) continue;
            const auto index = static_cast<std::size_t>(*section);
            m_in.enterHeader("");
            if (seen[index])
                m_in.fail(error::kInvalidFileFormat, "Invalid file format",
                          "opens section " + sectionName(*section) + " a second time");
            seen[index] = true;
            ++read;
            readSection(m, *section, line);
        }
        if (m_subsBeforeFiles) placeEarlySubs(m);
    }

    static std::optional<ScanSection> openedSection(std::string_view line) {
        if (!startsWith(line, "Begin ")) return std::nullopt;
        for (std::size_t i = 0; i < kScanSectionNames.size(); ++i) {
            std::string_view name = kScanSectionNames[i];
            std::string_view rest = line.substr(6);
            if (startsWith(rest, name) && (rest.size() == name.size() || rest[name.size()] == ' '))
                return static_cast<ScanSection>(i);
        }
        return std::nullopt;
    }

    void readSection(ProjectModel& m, ScanSection section, std::string_view line) {
        switch (section) {
            case ScanSection::Types: return readTypes(m, line);
            case ScanSection::Project: return readProject(m, line);
            case ScanSection::Files: return readFiles(m, line);
            case ScanSection::Subs: return readSubs(m, line);
            case ScanSection::Controls: return readControls(m, line);
            case ScanSection::DecVar: return readVars(m.decVar, section, line);
            case ScanSection::UnVar: return readVars(m.unVar, section, line);
            case ScanSection::PubVar: return readVars(m.pubVar, section, line);
            case ScanSection::Spell: return readSpell(m, line);
        }
    }

    // Reads the count of the opening line "Begin <section> <count>".
    long long openSection(ScanSection section, std::string_view line) {
        const std::string begin = "Begin " + sectionName(section);
        m_in.enterHeader("");
        if (!startsWith(line, begin + " "))
            m_in.fail(error::kInvalidFileFormat, "Invalid file format", "should be \"" + begin + "\" and a count");
        std::int32_t count = 0;
        switch (parseScanInteger(line.substr(begin.size() + 1), count)) {
            case IntegerCheck::Ok:
                break;
            case IntegerCheck::NotANumber:
                m_in.fail(error::kTypeMismatch, "Type mismatch",
                          "should give the count of section " + sectionName(section) + " as a number");
            case IntegerCheck::Overflow:
                m_in.fail(error::kOverflow, "Overflow", "gives a count too large for 32 bits");
        }
        if (count < 0) m_in.fail(error::kInvalidFileFormat, "Invalid file format", "gives a negative count");
        m_in.enterSection(section, count);
        return count;
    }

    void closeSection(ScanSection section, long long count) {
        const std::string end = "End " + sectionName(section);
        if (trimView(m_in.plainLine()) != end)
            m_in.fail(error::kInvalidFileFormat, "Invalid file format",
                      "should be \"" + end + "\": the section holds more than its count of " +
                          toDecimal(count) + " records, or a record has too many lines");
    }

    void readTypes(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Types, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            TypeRec type;
            type.name = m_in.text();
            type.typeKind = m_in.integer();
            type.uses = m_in.integer();
            m.types.push_back(std::move(type));
        }
        closeSection(ScanSection::Types, count);
    }

    void readProject(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Project, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            const int firstLine = m_in.lineNumber() + 1;
            ScanNode node;
            node.parentKey = m_in.text();
            node.key = m_in.text();
            node.text = m_in.text();
            node.image = m_in.text();
            node.selectedImage = m_in.text();
            node.expanded = m_in.text() == "1";
            // A project tree is four levels deep; a deeper one is not a tree this program wrote, and
            // would only cost the views their stack.
            if (node.parentKey != kScanTopParentKey && m.tree.contains(node.parentKey) &&
                m.tree.depthOf(node.parentKey) + 1 >= kLargestScanTreeDepth)
                m_in.fail(error::kInvalidFileFormat, "Invalid file format", firstLine,
                          "nests the node \"" + node.key + "\" deeper than " +
                              toDecimal(kLargestScanTreeDepth) + " levels");
            switch (addScanNode(m.tree, node)) {
                case NodeAddOutcome::Added:
                    break;
                case NodeAddOutcome::UnknownParent:
                    m_in.fail(error::kElementNotFound, "Element not found", firstLine,
                              "names the parent \"" + node.parentKey + "\", which is not an earlier node");
                case NodeAddOutcome::DuplicateKey:
                    m_in.fail(error::kKeyNotUnique, "Key is not unique in collection", firstLine + 1,
                              "repeats the node key \"" + node.key + "\"");
            }
        }
        closeSection(ScanSection::Project, count);
    }

    void readFiles(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Files, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            FileRec file;
            file.name = m_in.text();
            file.path = m_in.text();
            file.scanned = m_in.date();
            file.size = m_in.integer();
            file.hasFrx = m_in.boolean();
            std::int32_t subCount = m_in.integer();
            if (subCount < 0)
                m_in.fail(error::kInvalidFileFormat, "Invalid file format", "gives a negative routine count");
            m.files.push_back(std::move(file));
            m_subCounts.push_back(subCount);
        }
        closeSection(ScanSection::Files, count);
        m_filesRead = true;
    }

    // The count of the Subs section is the largest routine count of one slot; the records are those
    // of every slot in turn, as many as the Files section gave each slot. A Subs section met before
    // the Files section is read up to its end line and placed once the counts are known.
    void readSubs(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Subs, line);
        m_subsCount = count;
        if (!m_filesRead) {
            m_subsBeforeFiles = true;
            for (long long record = 0; !m_in.nextLineIs("End Subs"); ++record) {
                m_in.startRecord(record);
                m_earlySubs.push_back(readSub());
            }
            closeSection(ScanSection::Subs, count);
            return;
        }
        long long largest = 0, total = 0;
        for (std::int32_t n : m_subCounts) {
            largest = std::max<long long>(largest, n);
            total += n;
        }
        checkSubsCount(count, largest);
        m_in.enterSection(ScanSection::Subs, total);
        m.subs.assign(m.files.size(), {});
        long long record = 0;
        for (std::size_t slot = 0; slot < m_subCounts.size(); ++slot) {
            for (std::int32_t position = 0; position < m_subCounts[slot]; ++position) {
                m_in.startRecord(record++);
                m.subs[slot].push_back(readSub());
            }
        }
        closeSection(ScanSection::Subs, count);
    }

    void checkSubsCount(long long count, long long largest) {
        if (count != largest)
            m_in.fail(error::kInvalidFileFormat, "Invalid file format",
                      "counts " + toDecimal(count) +
                          " routines, but the largest routine count of a file is " + toDecimal(largest));
    }

    void placeEarlySubs(ProjectModel& m) {
        long long largest = 0, total = 0;
        for (std::int32_t n : m_subCounts) {
            largest = std::max<long long>(largest, n);
            total += n;
        }
        m_in.enterSection(ScanSection::Subs, m_subsCount);
        checkSubsCount(m_subsCount, largest);
        if (total != static_cast<long long>(m_earlySubs.size()))
            m_in.fail(error::kInvalidFileFormat, "Invalid file format",
                      "ends the file, but section Subs held " + toDecimal(static_cast<long long>(m_earlySubs.size())) +
                          " routines where the files count " + toDecimal(total));
        m.subs.assign(m.files.size(), {});
        std::size_t next = 0;
        for (std::size_t slot = 0; slot < m_subCounts.size(); ++slot)
            for (std::int32_t position = 0; position < m_subCounts[slot]; ++position)
                m.subs[slot].push_back(std::move(m_earlySubs[next++]));
    }

    SubRec readSub() {
        SubRec sub;
        sub.name = m_in.text();
        sub.kind = m_in.integer();
        sub.file = m_in.text();
        sub.scope = m_in.integer();
        sub.returnType = m_in.text();
        sub.timesCalled = m_in.integer();
        sub.calledBy = sharedList(m_in.textView());
        sub.calls = sharedList(m_in.textView());
        sub.params = unescapeScanText(m_in.text());
        sub.oldStyle = m_in.boolean();
        sub.lineCount = m_in.integer();
        sub.problems = m_in.integer();
        sub.isEvent = m_in.boolean();
        sub.checked = m_version2 ? m_in.boolean() : false;
        return sub;
    }

    void readControls(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Controls, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            ControlRec control;
            control.name = m_in.text();
            control.controlKind = m_in.integer();
            m.controls.push_back(std::move(control));
        }
        closeSection(ScanSection::Controls, count);
    }

    void readVars(std::vector<VarRec>& rows, ScanSection section, std::string_view line) {
        long long count = openSection(section, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            VarRec var;
            var.name = m_in.text();
            var.scope = m_in.text();
            var.file = m_in.text();
            var.filesNotUsing = m_in.integer();
            var.isConst = m_in.boolean();
            var.commented = m_in.boolean();
            var.checked = m_version2 ? m_in.boolean() : false;
            rows.push_back(std::move(var));
        }
        closeSection(section, count);
    }

    void readSpell(ProjectModel& m, std::string_view line) {
        long long count = openSection(ScanSection::Spell, line);
        for (long long i = 0; i < count; ++i) {
            m_in.startRecord(i);
            SpellRow row;
            row.file = m_in.text();
            row.routine = m_in.text();
            row.label = unescapeScanText(m_in.text());
            row.value = unescapeScanText(m_in.text());
            row.corrected = unescapeScanText(m_in.text());
            row.icon = m_in.iconKey();
            m.spell.push_back(std::move(row));
        }
        closeSection(ScanSection::Spell, count);
    }

    ScanLineCursor m_in;
    bool m_version2 = true;
    std::vector<std::int32_t> m_subCounts;
    bool m_filesRead = false;
    bool m_subsBeforeFiles = false;
    long long m_subsCount = 0;
    std::vector<SubRec> m_earlySubs;
    // The CalledBy and Calls lists read so far, by their text: namesakes, and the routines of one
    // property, that were saved with one list each share it again once read. The keys view the
    // shared buffers themselves.
    // The lists are long (a namesake's CalledBy list names every caller), so they are hashed a word at
    // a time, and a list seen before is found from its view without a copy.
    std::unordered_map<std::string_view, SharedText, LongTextHash> m_lists;

    SharedText sharedList(std::string_view text) {
        if (text.empty()) return {};
        auto found = m_lists.find(text);
        if (found != m_lists.end()) return found->second;
        SharedText list(text);
        m_lists.emplace(list.view(), list);
        return list;
    }
};

Outcome failed(ProjectModel& model, int number, std::string description) {
    model.clear();
    Outcome result;
    result.errorNumber = number;
    result.message = std::string(kScanReadFailureText) + "\r\n\r\n" + toDecimal(number) + " - " + description;
    result.description = std::move(description);
    return result;
}

Outcome readScanLines(ScanLineFeed& feed, std::string_view path, ProjectModel& model) {
    ProjectModel restored;
    try {
        ScanReader(feed).readInto(restored);
    } catch (const ScanReadError& error) {
        return failed(model, error.number, error.description);
    }
    restored.scanFilePath = std::string(path);
    model = std::move(restored);
    Outcome result;
    result.ok = true;
    return result;
}

}  // namespace

Outcome readScanText(std::string_view text, std::string_view path, ProjectModel& model) {
    ScanLineFeed feed(text);
    return readScanLines(feed, path, model);
}

Outcome openScanFile(std::string_view path, ProjectModel& model) {
    const std::string p(path);
    RegularFile file(p, kLargestScanFile);
    if (!file.check().ok()) {
        if (file.check().refusal == FileRefusal::Missing) return failed(model, error::kFileNotFound, "File not found: " + p);
        return failed(model, error::kPathFileAccessError, scanAccessErrorText(p, file.check(), kLargestScanFile));
    }
    ScanLineFeed feed(file, p, kLargestScanFile);
    return readScanLines(feed, path, model);
}

}  // namespace tally
