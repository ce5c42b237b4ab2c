#include "core/project/TreeSkeleton.h"

namespace tally {

namespace {

struct SkeletonNode {
    std::string_view key;
    std::string_view text;
    std::string_view image;
};

constexpr SkeletonNode kCategories[] = {
    {kFormsKey, "Forms", {}},
    {kModulesKey, "Modules", {}},
    {kClassesKey, "Class Modules", {}},
    {kUserControlsKey, "User Controls", {}},
    {kPropertyPagesKey, "Property Pages", {}},
    {kPropertiesKey, "Properties", {}},
    {kReferencesKey, "References", {}},
    {kObjectsKey, "Objects", {}},
    {kDllsKey, "DLLs", {}},
};

// The double spaces are part of the texts: the reports read the numbers back after " - ".
constexpr SkeletonNode kCounters[] = {
    {"formcnt", "0 Forms", "form"},
    {"modcnt", "0 Modules", "module"},
    {"classcnt", "0 Classes", "class"},
    {"ctrlctcnt", "0 User Controls", "userctl"},
    {"propshtcnt", "0 Property Pages", "propsht"},
    {"linecnt", "Code Lines  - 0", "code"},
    {"cmntcnt", "Comments - 0", "comment"},
    {"whitect", "Blank Lines  - 0", "blank"},
    {"controlsct", "Control Count  - 0", "control"},
    {"subcnt", "Sub Count  - 0", "sub"},
    {"funcnt", "Function Count  - 0", "func"},
    {"propcnt", "Property Count  - 0", "prop"},
    {"dllcnt", "DLL Declarations - 0", "dll"},
};

}  // namespace

void buildTreeSkeleton(ProjectTree& tree, bool withCounters) {
    tree.clear();
    tree.add({}, kProjectKey, "Project", "proj");
    for (const SkeletonNode& category : kCategories)
        tree.add(kProjectKey, category.key, category.text, kFolderImage, kFolderSelectedImage);
    tree.setSorted(kFormsKey, true);
    tree.setSorted(kModulesKey, true);
    tree.setSorted(kClassesKey, true);
    // Expanding the root is what shows the "DLLs" node.
    tree.setExpanded(kProjectKey, true);
    if (!withCounters) return;
    for (const SkeletonNode& counter : kCounters)
        tree.add(kPropertiesKey, counter.key, counter.text, counter.image);
}

}  // namespace tally
