#include "core/parser/CalledByLog.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "core/support/StableOrder.h"

namespace tally {

CalledByLog::CalledByLog(const ProjectModel& model) {
    m_slotStart.reserve(model.subs.size() + 1);
    m_slotStart.push_back(0);
    for (const std::vector<SubRec>& slot : model.subs)
        m_slotStart.push_back(m_slotStart.back() + slot.size());
    m_callerStarts.push_back(0);
    // Every routine of the model is a caller when its header is read: "<name> - <file> - " each.
    // Room for them all at once, rather than a text that doubles and leaves its old blocks behind.
    std::size_t callers = 0, callerBytes = 0;
    for (const std::vector<SubRec>& slot : model.subs) {
        callers += slot.size();
        for (const SubRec& routine : slot) callerBytes += routine.name.size() + routine.file.size() + 6;
    }
    m_callers.reserve(callerBytes);
    m_callerStarts.reserve(callers + 1);
}

void CalledByLog::startCaller(std::string_view entry) {
    m_callers.append(entry);
    m_callerStarts.push_back(m_callers.size());
}

void CalledByLog::add(std::size_t slot, std::size_t row, int line) {
    m_items.push_back({static_cast<std::uint32_t>(m_slotStart[slot] + row),
                       static_cast<std::uint32_t>(m_callerStarts.size() - 2), line});
}

void CalledByLog::setGlobalNameIds(const int* globalNameIds, std::size_t rows) {
    m_globalNameIds.assign(globalNameIds, globalNameIds + rows);
    m_nameCount = 0;
    for (int id : m_globalNameIds) m_nameCount = std::max(m_nameCount, static_cast<std::size_t>(id) + 1);
}

void CalledByLog::addForName(int nameId, int line) {
    m_nameItems.push_back(
        {static_cast<std::uint32_t>(nameId), static_cast<std::uint32_t>(m_callerStarts.size() - 2), line});
}

std::vector<std::uint32_t> CalledByLog::groupBy(const std::vector<Item>& items, std::size_t keys,
                                                std::vector<std::uint32_t>& first) {
    std::vector<std::uint32_t> order;
    groupByKey(
        keys,
        [&](auto&& emit) {
            for (std::size_t k = 0; k < items.size(); ++k) emit(static_cast<std::uint32_t>(k), items[k].routine);
        },
        first, order);
    return order;
}

std::string CalledByLog::listText(const std::vector<Item>& items, const std::uint32_t* first,
                                  const std::uint32_t* last) const {
    auto callerText = [&](const Item& item) {
        const std::size_t start = m_callerStarts[item.caller];
        return std::string_view(m_callers).substr(start, m_callerStarts[item.caller + 1] - start);
    };
    char digits[16];
    std::size_t length = 0;
    for (const std::uint32_t* k = first; k != last; ++k) {
        const Item& item = items[*k];
        length += callerText(item).size() +
                  static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, item.line).ptr - digits) +
                  1;
    }
    // The lists of a big project are tens of megabytes of short entries: each is copied into its
    // place in a text of the final length rather than appended piece by piece.
    std::string text(length, '\0');
    char* out = text.data();
    for (const std::uint32_t* k = first; k != last; ++k) {
        const Item& item = items[*k];
        const std::string_view caller = callerText(item);
        std::memcpy(out, caller.data(), caller.size());
        out = std::to_chars(out + caller.size(), text.data() + length, item.line).ptr;
        *out++ = '\x01';
    }
    return text;
}

void CalledByLog::writeTo(ProjectModel& model, CalledByOrigins* origins) {
    auto appendTo = [](SubRec& routine, const SharedText& text) {
        if (routine.calledBy.empty())
            routine.calledBy = text;  // shares the buffer
        else
            routine.calledBy += text.view();
    };
    if (origins) origins->clear();
    // The list text of items[order[first, last)), its callers noted.
    auto listOf = [&](const std::vector<Item>& items, const std::uint32_t* first, const std::uint32_t* last) {
        SharedText text = listText(items, first, last);
        if (origins)
            origins->addList(text, static_cast<std::size_t>(last - first),
                             [&](std::size_t k) { return items[first[k]].caller; });
        return text;
    };

    std::vector<std::uint32_t> first, firstOfName;
    const std::vector<std::uint32_t> order = groupBy(m_items, m_slotStart.back(), first);
    const std::vector<std::uint32_t> byName = groupBy(m_nameItems, m_nameCount, firstOfName);
    auto nameOf = [&](std::size_t routine) -> std::size_t {
        return routine < m_globalNameIds.size() ? static_cast<std::size_t>(m_globalNameIds[routine]) : m_nameCount;
    };
    auto hasNameItems = [&](std::size_t id) { return id < m_nameCount && firstOfName[id] != firstOfName[id + 1]; };

    // Each name's list is made once and shared by the project-wide routines of that name.
    std::vector<SharedText> lists(m_nameCount);
    for (std::size_t id = 0; id < m_nameCount; ++id)
        if (hasNameItems(id))
            lists[id] = listOf(m_nameItems, byName.data() + firstOfName[id], byName.data() + firstOfName[id + 1]);

    for (std::size_t slot = 0; slot + 1 < m_slotStart.size(); ++slot) {
        for (std::size_t routine = m_slotStart[slot]; routine < m_slotStart[slot + 1]; ++routine) {
            SubRec& row = model.subs[slot][routine - m_slotStart[slot]];
            const std::size_t own = first[routine + 1] - first[routine];
            const std::size_t id = slot == 0 ? nameOf(routine) : m_nameCount;
            const std::size_t named = hasNameItems(id) ? firstOfName[id + 1] - firstOfName[id] : 0;
            if (own + named == 0) continue;
            row.timesCalled += static_cast<std::int32_t>(own + named);
            if (named == 0) {
                appendTo(row, listOf(m_items, order.data() + first[routine], order.data() + first[routine + 1]));
            } else if (own == 0) {
                appendTo(row, lists[id]);
            } else {
                // A file read as the project-wide slot's own (one without a Files row) calls these
                // routines both ways: the entries go in the order they were found.
                std::vector<Item> both;
                for (std::uint32_t k = first[routine]; k < first[routine + 1]; ++k) both.push_back(m_items[order[k]]);
                for (std::uint32_t k = firstOfName[id]; k < firstOfName[id + 1]; ++k)
                    both.push_back(m_nameItems[byName[k]]);
                // In the order added: by caller and line, a line's own entry before its name's.
                std::stable_sort(both.begin(), both.end(), [](const Item& a, const Item& b) {
                    return a.caller != b.caller ? a.caller < b.caller : a.line < b.line;
                });
                std::vector<std::uint32_t> all(both.size());
                for (std::size_t k = 0; k < all.size(); ++k) all[k] = static_cast<std::uint32_t>(k);
                appendTo(row, listOf(both, all.data(), all.data() + all.size()));
            }
        }
    }
    if (origins) origins->finish(std::move(m_callers), std::move(m_callerStarts));
    // Their room goes too: the usage pass that follows builds its own tables.
    m_items = {};
    m_nameItems = {};
    m_callers.clear();
    m_callerStarts.assign(1, 0);
}

}  // namespace tally
