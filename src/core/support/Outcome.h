#pragma once
// The one shape in which every reader, writer and starter of the core reports how it went: success,
// or a failure with the classic error number, its description, a detail naming the file and the
// system's reason, and the whole message the user is shown.

#include <string>
#include <utility>

#include "core/support/ErrorNumbers.h"

namespace tally {

struct Outcome {
    bool ok = false;
    int errorNumber = 0;      // 0 on success; otherwise a number of ErrorNumbers.h or a shell code
    std::string description;  // e.g. "Path not found"
    std::string detail;       // e.g. "Path not found: /no/such/dir/a.psf (No such file or directory)"
    std::string message;      // the text for the user; empty when the caller composes its own

    explicit operator bool() const { return ok; }

    static Outcome success() { return Outcome{true, 0, {}, {}, {}}; }
    static Outcome failure(int number, std::string description, std::string detail = {},
                           std::string message = {}) {
        return Outcome{false, number, std::move(description), std::move(detail), std::move(message)};
    }
};

}  // namespace tally
