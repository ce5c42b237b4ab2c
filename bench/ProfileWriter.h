#pragma once
// The common ground of the profiled synthetic projects (SyntheticProfiles.h): a seeded random
// source, the text of the member being written, the member files and the project file listing them.

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "SyntheticProject.h"

namespace tally::bench {

// The kinds of member a project file lists.
enum class MemberKind { Module, Class, Form, UserControl, PropertyPage };

// `full` scaled by `scale`, rounded, and never below `least`.
int scaledCount(int full, double scale, int least = 1);

class ProfileWriter {
public:
    ProfileWriter(std::string folder, std::uint32_t seed);

    // A number below n (0 when n is 0).
    std::uint32_t pick(std::uint32_t n) { return n == 0 ? 0 : m_random() % n; }
    // True `percent` times in a hundred.
    bool chance(int percent) { return static_cast<int>(pick(100)) < percent; }
    // Any word of a fixed list.
    template <std::size_t N>
    const char* any(const char* const (&words)[N]) {
        return words[pick(N)];
    }

    // Appends one line (CR LF ended) to the current member.
    void line(std::string_view text);
    // The header of a class: VERSION, the BEGIN block and the attribute lines.
    void classHeader(std::string_view name);
    // The attribute lines that follow a designer block, from VB_Name to VB_Exposed.
    void designerAttributes(std::string_view name, bool exposed);

    // Writes the current member to its file and lists it in the project file.
    void endMember(MemberKind kind, const std::string& name);
    // Writes the project file (`head` comes first, e.g. "Type=Exe") and returns the totals.
    SyntheticProjectResult finish(std::string_view head, std::string_view projectName);

    long long lines() const { return m_lines; }

private:
    std::string m_folder;
    std::mt19937 m_random;
    std::string m_text;
    std::string m_project;
    std::string m_error;
    long long m_lines = 0;
    long long m_bytes = 0;
    int m_files = 0;
};

// A Windows API declaration: the `index`th of a list of real entry points (aliased past its end),
// with `parameters` parameters (its own count when 0), e.g. `Private Declare Function BitBlt Lib ...`.
std::string apiDeclaration(ProfileWriter& writer, std::string_view scope, int index, int parameters = 0);

}  // namespace tally::bench
