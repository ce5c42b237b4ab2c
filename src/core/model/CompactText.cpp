#include "core/model/CompactText.h"

#include <limits>
#include <stdexcept>

namespace tally {

void CompactText::init(std::string_view text) {
    if (text.size() <= kTag) {
        if (!text.empty()) std::memcpy(m_bytes, text.data(), text.size());
        setInlineSize(text.size());
        return;
    }
    // A row's text is one value from one line or companion file; four gigabytes is out of reach.
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) throw std::length_error("CompactText");
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(m_bytes, &block, sizeof block);
    std::memcpy(m_bytes + 8, &size, sizeof size);
    m_bytes[kTag] = kOnHeap;
}

}  // namespace tally
