#include "core/scanfile/ScanFileWriter.h"

#include "core/scanfile/ScanFieldForms.h"
#include "core/scanfile/ScanFileFormat.h"
#include "core/scanfile/ScanNodeTable.h"
#include "core/scanfile/ScanSaveTarget.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

// Builds the scan file's lines. With a stream, the text goes to it a block at a time as it grows:
// a project where many files define the same routine names writes the long CalledBy list of each
// name once per namesake, and the file can be a hundred times the size of the sources. Blocks of
// the stream's size go through it without being copied again.
class ScanTextBuilder {
public:
    explicit ScanTextBuilder(SafeWriteStream* stream = nullptr) : m_stream(stream) {}

    void line(std::string_view text) {
        m_out += text;
        endLine();
    }
    // A quoted text, written in place rather than quoted into a copy first: a CalledBy list can
    // be megabytes long.
    void text(std::string_view value) {
        appendQuotedScanText(m_out, value);
        endLine();
    }
    void escapedText(std::string_view value) { line(quoteScanText(escapeScanText(value))); }
    void integer(long long value) { line(toDecimal(value)); }
    void boolean(bool value) { line(formatScanBoolean(value)); }
    void date(double value) { line(formatScanDate(value)); }
    void begin(ScanSection section, std::size_t count) {
        line("Begin " + std::string(scanSectionName(section)) + " " +
             toDecimal(static_cast<long long>(count)));
    }
    void end(ScanSection section) { line("End " + std::string(scanSectionName(section))); }

    // The text not yet handed to the stream: all of it without one.
    std::string take() {
        if (m_stream) {
            m_stream->add(m_out);
            m_out.clear();
        }
        return std::move(m_out);
    }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;

    void endLine() {
        m_out += kScanLineEnd;
        if (m_stream && m_out.size() >= kBlock) {
            m_stream->add(m_out);
            m_out.clear();
        }
    }

    SafeWriteStream* m_stream;
    std::string m_out;
};

// Thrown once the text has grown past the largest scan file that opens again: the write stops
// there, and the temporary file goes with it.
struct ScanFileTooLarge {};

// Hands the text on to the file, counting it.
class BoundedStream final : public SafeWriteStream {
public:
    BoundedStream(SafeWriteStream& to, std::int64_t largest) : m_to(to), m_largest(largest) {}

    void add(std::string_view bytes) override {
        m_written += static_cast<std::int64_t>(bytes.size());
        if (m_written > m_largest) throw ScanFileTooLarge{};
        m_to.add(bytes);
    }
    bool failed() const override { return m_to.failed(); }

private:
    SafeWriteStream& m_to;
    std::int64_t m_largest;
    std::int64_t m_written = 0;
};

void writeVars(ScanTextBuilder& out, ScanSection section, const std::vector<VarRec>& rows) {
    out.begin(section, rows.size());
    for (const VarRec& var : rows) {
        out.text(var.name);
        out.text(var.scope);
        out.text(var.file);
        out.integer(var.filesNotUsing);
        out.boolean(var.isConst);
        out.boolean(var.commented);
        out.boolean(var.checked);
    }
    out.end(section);
}

void writeSubs(ScanTextBuilder& out, const ProjectModel& model) {
    out.begin(ScanSection::Subs, static_cast<std::size_t>(model.largestSlotCount()));
    // The Get, Let and Set of a property come one after another with the same Calls list: its text
    // is made once for them.
    const CallsList* lastCalls = nullptr;
    std::string callsText;
    for (int slot = 0; slot < model.fileCount(); ++slot) {
        for (int position = 0; position < model.subCount(slot); ++position) {
            const SubRec& sub = model.subs[slot][position];
            out.text(sub.name);
            out.integer(sub.kind);
            out.text(sub.file);
            out.integer(sub.scope);
            out.text(sub.returnType);
            out.integer(sub.timesCalled);
            out.text(sub.calledBy);
            if (!lastCalls || !sub.calls.sameListAs(*lastCalls)) callsText = sub.calls.text();
            lastCalls = &sub.calls;
            out.text(callsText);
            out.escapedText(sub.params);
            out.boolean(sub.oldStyle);
            out.integer(sub.lineCount);
            out.integer(sub.problems);
            out.boolean(sub.isEvent);
            out.boolean(sub.checked);
        }
    }
    out.end(ScanSection::Subs);
}

void writeScanText(ScanTextBuilder& out, const ProjectModel& model) {
    out.line(kScanVersion2);
    out.line(model.projectPath);
    out.line(model.caption);
    out.line(formatPrintedNumber(model.parseStart));
    out.line(formatPrintedNumber(model.parseTime));

    out.begin(ScanSection::Types, model.types.size());
    for (const TypeRec& type : model.types) {
        out.text(type.name);
        out.integer(type.typeKind);
        out.integer(type.uses);
    }
    out.end(ScanSection::Types);

    const std::vector<ScanNode> nodes = scanNodesOf(model.tree);
    out.begin(ScanSection::Project, nodes.size());
    for (const ScanNode& node : nodes) {
        out.text(node.parentKey);
        out.text(node.key);
        out.text(node.text);
        out.text(node.image);
        out.text(node.selectedImage);
        out.text(node.expanded ? "1" : "");
    }
    out.end(ScanSection::Project);

    out.begin(ScanSection::Files, model.files.size());
    for (int row = 0; row < model.fileCount(); ++row) {
        const FileRec& file = model.files[row];
        out.text(file.name);
        out.text(file.path);
        out.date(file.scanned);
        out.integer(file.size);
        out.boolean(file.hasFrx);
        out.integer(model.subCount(row));
    }
    out.end(ScanSection::Files);

    writeSubs(out, model);

    out.begin(ScanSection::Controls, model.controls.size());
    for (const ControlRec& control : model.controls) {
        out.text(control.name);
        out.integer(control.controlKind);
    }
    out.end(ScanSection::Controls);

    writeVars(out, ScanSection::DecVar, model.decVar);
    writeVars(out, ScanSection::UnVar, model.unVar);
    writeVars(out, ScanSection::PubVar, model.pubVar);

    out.begin(ScanSection::Spell, model.spell.size());
    for (const SpellRow& row : model.spell) {
        out.text(row.file);
        out.text(row.routine);
        out.escapedText(row.label);
        out.escapedText(row.value);
        out.escapedText(row.corrected);
        // A row without an icon has no key at all, which is written as an empty line.
        if (row.icon.empty())
            out.line("");
        else
            out.text(row.icon);
    }
    out.end(ScanSection::Spell);
}

}  // namespace

std::string scanFileText(const ProjectModel& model) {
    ScanTextBuilder out;
    writeScanText(out, model);
    return out.take();
}

Outcome saveScanFile(const ProjectModel& model, std::string_view path, bool cautionsAgreed,
                     std::int64_t largestFile) {
    std::string refusal = scanSaveRefusal(model, path);
    if (!refusal.empty()) return Outcome::failure(error::kPathFileAccessError, "Path/File access error", std::move(refusal));
    try {
        return SafeFileWriter(std::string(path))
            .writeStreamed(
                [&model, largestFile](SafeWriteStream& stream) {
                    BoundedStream bounded(stream, largestFile);
                    ScanTextBuilder out(&bounded);
                    writeScanText(out, model);
                    out.take();
                },
                cautionsAgreed);
    } catch (const ScanFileTooLarge&) {
        // Saved, the file would be refused when opened: the save fails instead, and an older
        // scan file at the path stays as it was.
        return Outcome::failure(error::kPathFileAccessError, "Path/File access error",
                                std::string(path) + " would be larger than " +
                                    toDecimal(largestFile >> 20) +
                                    " MB, too large to be opened again; nothing was written");
    }
}

}  // namespace tally
