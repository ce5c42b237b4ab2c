#pragma once
// Seeded, deterministic synthetic projects for comparing the fast passes with the literal ones.
// The colliding kind is made to break fast matching: thousands of names drawn from a tiny alphabet
// (so that they are prefixes, suffixes and inner parts of one another), names inside strings and
// comments, type characters, empty names, the same name private in one file and global in another,
// continuation lines, odd headers, mixed line ends and files that do not exist. The realistic kind
// looks like an ordinary project and is used for timings.

#include <cstdint>

#include "ScratchProject.h"

namespace tally::test {

struct GeneratorOptions {
    int files = 10;
    int routinesPerFile = 6;
    int linesPerRoutine = 10;
    int routineNames = 400;
    int variableNames = 300;
    bool realistic = false;
};

// Writes the files into the project's folder and fills Files, Subs, PubVar, DecVar, UnVar, Types and
// the tree as the declaration pass would have left them (more or less: the tables are also seeded
// with rows that match nothing, or too much).
void generateProject(ScratchProject& project, std::uint32_t seed, const GeneratorOptions& options);

}  // namespace tally::test
