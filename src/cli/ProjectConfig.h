#pragma once
// tallyscan6.json beside a project file: what a pipeline would otherwise repeat on every command
// line. {"failOn": ["never-called", ...], "exclude": ["Vendor/**", ...], "codePage": "auto",
// "baseline": "ci/baseline.psf"}; the baseline is relative to the file's folder. Options given on
// the command line come on top: lists and patterns add to the file's, a code page or baseline
// replaces its.

#include <string>

#include "cli/CliArguments.h"

namespace tally {

inline constexpr const char* kProjectConfigName = "tallyscan6.json";

// Reads the config beside `projectPath` into `args`. Empty when there is none or it was applied;
// otherwise what is wrong with it ("tallyscan6.json: line 3: expected ':'").
std::string applyProjectConfig(CliArguments& args, const std::string& projectPath);

}  // namespace tally
