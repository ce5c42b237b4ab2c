#pragma once
// What one zip run shares between its steps and the libzip callbacks that store its files: the
// caller's events, the message level, whether the user stopped the run, and the first failure a
// callback met (libzip passes on only a code, the run wants the path and the reason).

#include <optional>
#include <string>

#include "core/archive/Archiver.h"
#include "core/support/Outcome.h"

namespace tally::archive {

class ZipRunContext {
public:
    ZipRunContext(const ZipEvents& events, int messageLevel) : m_events(events), m_level(messageLevel) {}

    // A line about a file handled ("  adding: Forms/Main.frm"): shown at level 0 only.
    void tell(const std::string& line) const {
        if (m_level <= 0 && m_events.message) m_events.message(line);
    }
    // A problem (a pattern that matched nothing, an error): shown at levels 0 and 1.
    void warn(const std::string& line) const {
        if (m_level <= 1 && m_events.message) m_events.message(line);
    }

    // Asks the Progress event about `path`; true (and from then on cancelled()) when it says stop.
    bool stopBefore(const std::string& path) {
        if (!m_cancelled && m_events.progress && m_events.progress(path)) m_cancelled = true;
        return m_cancelled;
    }
    bool cancelled() const { return m_cancelled; }
    void cancel() { m_cancelled = true; }

    // The password for encrypting `entry`; nothing (and the run cancelled) when none is given.
    std::optional<std::string> passwordFor(const std::string& entry) {
        std::optional<std::string> password;
        if (m_events.passwordRequest) password = m_events.passwordRequest(entry);
        // An empty answer is a dialog closed without a password: encrypting with "" would protect
        // nothing while the user believes the files are safe.
        if (!password || password->empty()) {
            m_cancelled = true;
            return std::nullopt;
        }
        return password;
    }

    // Keeps the first failure met while storing; later ones follow from it.
    void fail(Outcome failure) {
        if (!m_failure) m_failure = std::move(failure);
    }
    const std::optional<Outcome>& failure() const { return m_failure; }

private:
    const ZipEvents& m_events;
    int m_level;
    bool m_cancelled = false;
    std::optional<Outcome> m_failure;
};

}  // namespace tally::archive
