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
    CallsList(const SharedText& text) : m_holder(text.buffer()) {}                // NOLINT: a text is a list
    CallsList(std::string text) : CallsList(SharedText(std::move(text))) {}      // NOLINT
    CallsList(std::string_view text) : CallsList(SharedText(text)) {}            // NOLINT
    CallsList(const char* text) : CallsList(SharedText(text)) {}                 // NOLINT
    // The list of caller group `group` of `table`.
    CallsList(std::shared_ptr<const CalleeTable> table, std::uint32_t group);

    // The entries as text; made anew on every call for a list kept as numbers.
    std::string text() const {
        if (isTable()) return static_cast<const CalleeTable*>(m_holder.get())->listOf(m_group);
        return m_holder ? *static_cast<const std::string*>(m_holder.get()) : std::string();
    }
    // An empty plain text holds no buffer, and a table's list always calls something.
    bool empty() const { return !m_holder; }
    // Whether `other` is the same list of the same table, which a writer may render once for both.
    bool sameListAs(const CallsList& other) const {
        return m_holder && m_holder == other.m_holder && m_group == other.m_group;
    }

    friend bool operator==(const CallsList& a, const CallsList& b) {
        return a.sameListAs(b) || a.text() == b.text();
    }
    friend bool operator==(const CallsList& a, std::string_view b) { return a.text() == b; }
    friend bool operator==(const CallsList& a, const char* b) { return a.text() == b; }
    friend std::string operator+(std::string a, const CallsList& b) { return a.append(b.text()); }
    friend std::string operator+(const char* a, const CallsList& b) { return std::string(a).append(b.text()); }

private:
    static constexpr std::uint32_t kPlainText = UINT32_MAX;
    bool isTable() const { return m_group != kPlainText; }

    // A plain text's buffer (a const std::string), or the table the list is a group of: one pointer
    // rather than one of each, as every routine row holds a list.
    std::shared_ptr<const void> m_holder;
    std::uint32_t m_group = kPlainText;
};

}  // namespace tally
