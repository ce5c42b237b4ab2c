#pragma once
// The "It Calls" list of a routine: entries "name - file\x01", one for each routine it calls, in the
// order of the routines in the model.
//
// A routine that names a property every user control declares (.Width, .Tag) calls each of those
// namesakes, so the texts of all lists together grow with callers times namesakes: hundreds of
// megabytes on a large controls library, though nobody reads more than one list at a time. The
// usage pass therefore keeps its lists as numbers in one table shared by every routine, and a list
// becomes text only when it is shown or saved. Namesakes that share a CalledBy list are called by the
// same routines; the table keeps them as one class, and a caller's list is the classes it calls.
// A list read from a scan file or set by hand is plain text.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/SharedText.h"

namespace tally {

struct CalleeTable {
    // The text of callee i is text[offsets[i], offsets[i + 1]).
    std::string text;
    std::vector<std::size_t> offsets{0};
    // The callees of class c, in increasing order: members[memberStart[c], memberStart[c + 1]).
    std::vector<std::uint32_t> memberStart{0};
    std::vector<std::uint32_t> members;
    // The classes caller group g calls, in any order: classes[classStart[g], classStart[g + 1]).
    std::vector<std::uint32_t> classStart{0};
    std::vector<std::uint32_t> classes;

    // The list text of caller group `group`: its callees' texts in increasing callee order.
    std::string listOf(std::uint32_t group) const;
    // Every class has a callee, so a group calls something when it calls a class.
    bool callsAny(std::uint32_t group) const { return classStart[group] < classStart[group + 1]; }
};

class CallsList {
public:
    CallsList() = default;
    CallsList(SharedText text) : m_plain(std::move(text)) {}                   // NOLINT: a text is a list
    CallsList(std::string text) : m_plain(std::move(text)) {}                  // NOLINT
    CallsList(std::string_view text) : m_plain(text) {}                        // NOLINT
    CallsList(const char* text) : m_plain(text) {}                             // NOLINT
    // The list of caller group `group` of `table`.
    CallsList(std::shared_ptr<const CalleeTable> table, std::uint32_t group);

    // The entries as text; made anew on every call for a list kept as numbers.
    std::string text() const { return m_table ? m_table->listOf(m_group) : m_plain.str(); }
    bool empty() const { return m_table ? false : m_plain.empty(); }
    // Whether `other` is the same list of the same table, which a writer may render once for both.
    bool sameListAs(const CallsList& other) const {
        return m_table ? m_table == other.m_table && m_group == other.m_group : m_plain.sharesWith(other.m_plain);
    }

    friend bool operator==(const CallsList& a, const CallsList& b) {
        return a.sameListAs(b) || a.text() == b.text();
    }
    friend bool operator==(const CallsList& a, std::string_view b) { return a.text() == b; }
    friend bool operator==(const CallsList& a, const char* b) { return a.text() == b; }
    friend std::string operator+(std::string a, const CallsList& b) { return a.append(b.text()); }
    friend std::string operator+(const char* a, const CallsList& b) { return std::string(a).append(b.text()); }

private:
    SharedText m_plain;
    std::shared_ptr<const CalleeTable> m_table;  // none for a plain text
    std::uint32_t m_group = 0;
};

}  // namespace tally
