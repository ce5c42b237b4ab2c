#pragma once
// Writes a synthetic but plausible VB6 project of a chosen size, the same for the same seed: forms
// with designer blocks, standard modules and classes whose routines call one another across files,
// with module and public variables, untyped and unused ones, comments, literals and continuations.

#include <cstdint>
#include <string>

namespace tally::bench {

struct SyntheticProjectOptions {
    std::uint32_t seed = 1;
    int files = 100;  // source files (about a fifth forms, a fifth classes, the rest modules)
    int routinesPerFile = 20;
    int linesPerRoutine = 20;  // body lines
    int callsPerRoutine = 3;
    int moduleVariables = 4;  // private module-level variables per file
    int publicVariables = 2;  // public variables per standard module
    int controlsPerForm = 12;
};

struct SyntheticProjectResult {
    bool ok = false;
    std::string projectPath;
    std::string error;
    int files = 0;  // source files written
    long long lines = 0;
    long long bytes = 0;
};

// Writes the project into `folder` (created when missing) as "Synthetic.vbp" and its members.
SyntheticProjectResult writeSyntheticProject(const std::string& folder,
                                             const SyntheticProjectOptions& options);

}  // namespace tally::bench
