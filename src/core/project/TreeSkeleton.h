#pragma once
// The fixed frame of the project tree: the root, its category nodes and the counter nodes under
// "Properties". The reader hangs files, references and objects on it; the passes add counters.

#include <string_view>

#include "core/model/ProjectTree.h"

namespace tally {

// Keys of the root and of the category nodes.
inline constexpr std::string_view kProjectKey = "project";
inline constexpr std::string_view kFormsKey = "forms";
inline constexpr std::string_view kModulesKey = "modules";
inline constexpr std::string_view kClassesKey = "classes";
inline constexpr std::string_view kUserControlsKey = "controls";
inline constexpr std::string_view kPropertyPagesKey = "propshts";
inline constexpr std::string_view kPropertiesKey = "properties";
inline constexpr std::string_view kReferencesKey = "allreference";
inline constexpr std::string_view kObjectsKey = "allobject";
inline constexpr std::string_view kDllsKey = "alldlls";

// Image keys of a category node: closed (image) and open (selected image) folders.
inline constexpr std::string_view kFolderImage = "open";
inline constexpr std::string_view kFolderSelectedImage = "close";

// Clears the tree and adds the root and the category nodes; with counters it also adds the counter
// nodes at zero (the frame of an empty project).
void buildTreeSkeleton(ProjectTree& tree, bool withCounters);

}  // namespace tally
