#pragma once
// Synthetic projects shaped like three kinds of real VB6 project, next to the default one of
// SyntheticProject.h. Each profile writes, at its full size, about the files, lines and routines of
// the project it imitates; a line target scales the file and routine counts in proportion.
//
// - controls: a common-controls library. User controls and property pages re-implement the standard
//   properties (Tag, DragIcon, MouseIcon, Width, Left, ...) as Property Get/Let pairs, so well over a
//   hundred names are declared in ten or more files, and the same names are the common words of the
//   code (".Width", "UserControl.Tag = ...").
// - forms: a photo editor. Hundreds of tool forms with big designer blocks, Form_Load and a shared
//   toolbar's cmdBar_OkClick in most of them, helpers in modules called from every form, and lines of
//   up to about a thousand characters (string concatenations, API declarations).
// - classes: a .NET-style class library. Heavily commented classes, a few of about 4,000 lines made
//   of short Get/Let/Set property triplets, and the same member names (Name, Value, Count, Item, Add,
//   Equals, ToString, ...) in many classes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "SyntheticProject.h"

namespace tally::bench {

enum class SyntheticProfile { Default, Controls, Forms, Classes };

// The profile called `name` ("default", "controls", "forms" or "classes").
std::optional<SyntheticProfile> profileNamed(std::string_view name);

// Writes the project of a profile other than Default into `folder` (created when missing) as
// "Synthetic.vbp" and its members, at about `lines` lines (0: the size of the imitated project).
SyntheticProjectResult writeProfiledProject(const std::string& folder, SyntheticProfile profile,
                                            long long lines, std::uint32_t seed);

// The three profiles, each at `scale` times the size of the project it imitates.
SyntheticProjectResult writeControlsProfile(const std::string& folder, double scale, std::uint32_t seed);
SyntheticProjectResult writeFormsProfile(const std::string& folder, double scale, std::uint32_t seed);
SyntheticProjectResult writeClassesProfile(const std::string& folder, double scale, std::uint32_t seed);

// The line count of each profile's full size.
long long profileFullLines(SyntheticProfile profile);

}  // namespace tally::bench
