#include "core/project/ProjectReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/os/FileFacts.h"
#include "core/os/RegularFile.h"
#include "core/project/DiskPath.h"
#include "core/project/FolderEntries.h"
#include "core/project/PathOps.h"
#include "core/project/ProjectFileText.h"
#include "core/project/TreeSkeleton.h"
#include "core/support/SourceLines.h"
#include "core/text/CodePageDetection.h"
#include "core/text/TextOps.h"
#include "core/text/Windows1252.h"

namespace tally {

namespace {

// One kind of source file a project file names.
struct MemberKind {
    std::string_view prefix;
    std::string_view categoryKey;
    std::string_view counterKey;
    std::string_view image;
    std::string_view counterSuffix;
    // Where a form-like file declares its name; empty for modules and classes, whose name is in the line.
    std::string_view keyword;
    // A second place to look when the first is missing: an MDI form is still listed as "Form=".
    std::string_view fallbackKeyword;
};

enum MemberIndex { kModule, kClass, kForm, kUserControl, kPropertyPage, kMemberKinds };

// In the order the prefixes are tested.
constexpr std::array<MemberKind, kMemberKinds> kKinds = {{
    {"Module=", kModulesKey, "modcnt", "module", " Modules"},
    {"Class=", kClassesKey, "classcnt", "class", " Classes"},
    {"Form=", kFormsKey, "formcnt", "form", " Forms", "Begin VB.Form", "Begin VB.MDIForm"},
    {"UserControl=", kUserControlsKey, "ctrlctcnt", "userctl", " User Controls", "Begin VB.UserControl"},
    {"PropertyPage=", kPropertyPagesKey, "propshtcnt", "propsht", " Property Pages", "Begin VB.PropertyPage"},
}};

// The order of the counter nodes under "Properties".
constexpr std::array<MemberIndex, kMemberKinds> kCounterOrder = {kForm, kModule, kClass, kUserControl,
                                                                 kPropertyPage};

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The text after the first `n` characters, as the fixed-width version keys are read.
std::string after(std::string_view line, std::size_t n) {
    return std::string(line.substr(std::min(n, line.size())));
}

// The name of a form-like file, from its first "Begin" line of that kind.
// `status` is the look at the path that came with it.
std::string declaredName(const MemberKind& kind, const std::string& path, const PathStatus& status) {
    // The name line comes first in a form; the head of the file gives it without reading the rest.
    // Only a keyword found with its whole line in the head decides; otherwise the whole file is read.
    constexpr std::size_t kHeadLength = 4096;
    std::optional<std::string> text = readFileHead(path, kHeadLength, status);
    if (!text) return {};
    std::size_t at = text->find(kind.keyword);
    bool lineInHead =
        at != std::string::npos && text->find_first_of("\r\n", at + kind.keyword.size()) != std::string::npos;
    if (text->size() == kHeadLength && !lineInHead) text = readFileBytes(path, status);
    if (!text) return {};
    std::optional<std::string> name = nameFromText(*text, kind.keyword);
    if (!name && !kind.fallbackKeyword.empty()) name = nameFromText(*text, kind.fallbackKeyword);
    return name.value_or(std::string());
}

// Appends the Files row of a file whose disk facts are known.
int addFileRow(ProjectModel& model, std::string_view path, std::string_view name, const PathStatus& status,
               bool hasFrx) {
    FileRec rec;
    rec.name = std::string(name);
    rec.path = std::string(path);
    rec.scanned = status.modifiedOle();
    rec.size = static_cast<std::int32_t>(std::min<std::int64_t>(status.length, INT32_MAX));
    rec.hasFrx = hasFrx;
    return model.addFile(std::move(rec));
}

class ProjectFileReader {
public:
    // `codePage` is the project file's: member names are matched to the disk's as it folds them.
    ProjectFileReader(ProjectModel& model, const FileVersionSource& versions, int codePage, CodecFactory codecs)
        : m_model(model), m_versions(versions), m_folders(codePage), m_utf8Folders(kCodePageUtf8) {
        if (codecs && codePage != kCodePageWestern && codePage != kCodePageUtf8) m_nameCodec = codecs(codePage);
    }

    void readLine(std::string_view line) {
        for (std::size_t i = 0; i < kKinds.size(); ++i) {
            if (startsWith(line, kKinds[i].prefix)) {
                addMember(i, line.substr(kKinds[i].prefix.size()));
                return;
            }
        }
        if (startsWith(line, "Reference=")) {
            addReference(line);
        } else if (startsWith(line, "Object=")) {
            addObject(line);
        } else if (startsWith(line, "Title=")) {
            keepIfNotEmpty(m_title, unquote(line.substr(6)));
        } else if (startsWith(line, "Name=")) {
            keepIfNotEmpty(m_name, unquote(line.substr(5)));
        } else if (startsWith(line, "MajorVer=")) {
            // Whole keys only: add-ins write look-alikes such as "RevisionVersion=0".
            m_major = after(line, 9);
        } else if (startsWith(line, "MinorVer=")) {
            m_minor = after(line, 9);
        } else if (startsWith(line, "RevisionVer=")) {
            m_revision = after(line, 12);
        }
    }

    void finish() {
        ProjectTree& tree = m_model.tree;
        if (!m_title.empty())
            tree.setText(kProjectKey, m_title + " " + m_major + "." + m_minor + "." + m_revision);
        m_model.caption =
            m_name.empty() ? std::string(kApplicationTitle) : m_name + " - " + std::string(kApplicationTitle);
        for (MemberIndex i : kCounterOrder) {
            const MemberKind& kind = kKinds[i];
            if (m_counts[i] < 1)
                tree.remove(kind.categoryKey);
            else
                tree.add(kPropertiesKey, kind.counterKey,
                         toDecimal(m_counts[i]) + std::string(kind.counterSuffix), kind.image);
        }
    }

private:
    static void keepIfNotEmpty(std::string& setting, std::string value) {
        if (!value.empty()) setting = std::move(value);
    }

    void addMember(std::size_t index, std::string_view entry) {
        const MemberKind& kind = kKinds[index];
        std::string name;
        std::string fileText;
        if (kind.keyword.empty()) {
            ModuleEntry parts = splitModuleEntry(entry);
            name = std::move(parts.name);
            fileText = std::move(parts.fileText);
        } else {
            fileText = std::string(entry);
        }
        // Windows ignores blanks after a file name ("Module=modA; a.bas   ").
        while (!fileText.empty() && (fileText.back() == ' ' || fileText.back() == '\t')) fileText.pop_back();
        // An entry that names no file would key its node by the project folder.
        if (trimView(fileText).empty()) return;
        PathStatus status;
        std::string path = resolveMemberPath(m_model.projectDir, fileText, &status, &m_folders);
        if (!status.present) retryInUtf8(fileText, path, status);
        // A file named twice keeps its first node: tree keys are unique and the passes read it once.
        if (m_model.tree.contains(path)) return;
        if (!kind.keyword.empty()) name = declaredName(kind, path, status);
        if (!m_model.tree.add(kind.categoryKey, path, name + " (" + fileNameOf(path) + ")", kind.image))
            return;
        // The status came with the path; the folder listing spares a look for each missing companion.
        addFileRow(m_model, path, name, status, fileExists(m_folders, frxPathOf(path)));
        ++m_counts[index];
    }

    void addReference(std::string_view line) {
        std::size_t hash = line.rfind('#');
        if (hash == std::string_view::npos) return;
        // References carry no natural key; a running number keeps the keys unique.
        m_model.tree.add(kReferencesKey, "", line.substr(hash + 1));
    }

    void addObject(std::string_view line) {
        std::size_t semicolon = line.rfind(';');
        if (semicolon == std::string_view::npos) return;
        std::string library = trim(line.substr(semicolon + 1));
        if (library.empty()) return;
        std::string version = m_versions.fileVersion(library);
        if (version.empty()) version = objectLibraryVersion(line);
        m_model.tree.add(kObjectsKey, library, library + " - " + version);
    }

    // Archivers and copies often write names in UTF-8 where the project file has them in its code
    // page; the member is the UTF-8 one when only that is on the disk.
    void retryInUtf8(std::string_view fileText, std::string& path, PathStatus& status) {
        if (!m_nameCodec || isValidUtf8(fileText)) return;
        const std::string utf8 = m_nameCodec->toUtf8(fileText);
        if (utf8.find("\xEF\xBF\xBD") != std::string::npos) return;  // not a name of this code page
        PathStatus found;
        std::string converted = resolveMemberPath(m_model.projectDir, utf8, &found, &m_utf8Folders);
        if (!found.present) return;
        path = std::move(converted);
        status = found;
    }

    ProjectModel& m_model;
    const FileVersionSource& m_versions;
    FolderEntries m_folders;
    FolderEntries m_utf8Folders;
    std::unique_ptr<TextCodec> m_nameCodec;  // the project file's code page, when names may need it
    std::array<int, kMemberKinds> m_counts{};
    std::string m_title, m_name, m_major, m_minor, m_revision;
};

bool isSectionHeader(std::string_view line) {
    std::string_view text = trimView(line);
    return text.size() >= 2 && text.front() == '[' && text.back() == ']';
}

Outcome failOpen(ProjectModel& model, int number, std::string_view description, std::string message) {
    model.clear();
    buildTreeSkeleton(model.tree, true);
    model.caption = std::string(kApplicationTitle);
    return Outcome::failure(number, std::string(description), message, message);
}

}  // namespace

Outcome openProject(ProjectModel& model, std::string_view projectPath,
                              const FileVersionSource& versions, CancelFlag* cancel, CodecFactory codecs) {
    if (trimView(projectPath).empty())
        return failOpen(model, error::kFileNotFound, "File not found", "No project file was given.");
    std::string path = absolutePath(projectPath);
    FileRead read = readRegularFile(path);
    if (!read.bytes) {
        bool missing = read.check.refusal == FileRefusal::Missing;
        return failOpen(model, missing ? error::kFileNotFound : error::kPathFileAccessError,
                        missing ? "File not found" : "Path/File access error",
                        path + " " + refusalPhrase(read.check) + ".");
    }
    std::optional<std::string>& text = read.bytes;

    model.files.clear();
    model.subs.clear();
    buildTreeSkeleton(model.tree, false);
    model.projectPath = path;
    model.projectDir = ensureTrailingSeparator(directoryOf(path));

    std::string_view content = *text;
    // Project files saved by newer editors may start with a byte order mark.
    if (startsWith(content, kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
    // The member names are in the code page of the machine that saved the project; a trail byte of a
    // Japanese or Chinese name must not be matched as a letter ignoring case.
    ProjectFileReader reader(model, versions, detectCodePage({content}), codecs);
    for (std::string_view line : splitLines(content)) {
        // The project's own settings come first; from the first "[Section]" header on, the lines
        // belong to add-ins ("[MS Transaction Server]", "[vbAdvance]") and name no members.
        if (isSectionHeader(line)) break;
        reader.readLine(line);
    }
    reader.finish();

    model.reset();
    if (cancel) cancel->store(false);
    return Outcome::success();
}

}  // namespace tally
