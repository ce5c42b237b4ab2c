#pragma once
// A text of a model row in sixteen bytes, half a std::string: up to fifteen bytes are kept in place,
// a longer text in a block of exactly its size. The tables of a big project hold a few hundred
// thousand rows of short names, labels and file names (most under sixteen bytes, many empty), so
// the row's own size is most of the model's memory. The text behaves as a value, like std::string,
// and reads as a std::string_view.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tally {

class CompactText {
public:
    CompactText() noexcept { setInlineSize(0); }
    CompactText(std::string_view text) { init(text); }            // NOLINT: a text is a text
    CompactText(const std::string& text) { init(text); }          // NOLINT
    CompactText(const char* text) { init(std::string_view(text)); }  // NOLINT
    CompactText(const CompactText& other) { init(other.view()); }
    CompactText(CompactText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.setInlineSize(0);
    }
    ~CompactText() { release(); }

    CompactText& operator=(const CompactText& other) {
        if (this != &other) *this = other.view();
        return *this;
    }
    CompactText& operator=(CompactText&& other) noexcept {
        if (this != &other) {
            release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.setInlineSize(0);
        }
        return *this;
    }
    // The text is copied before the old one is let go, so a view of this very text may be assigned.
    CompactText& operator=(std::string_view text) {
        CompactText fresh(text);
        *this = std::move(fresh);
        return *this;
    }
    CompactText& operator=(const std::string& text) { return *this = std::string_view(text); }
    CompactText& operator=(const char* text) { return *this = std::string_view(text); }

    std::string_view view() const noexcept {
        if (isInline()) return {reinterpret_cast<const char*>(m_bytes), m_bytes[kTag]};
        return {heapData(), heapSize()};
    }
    operator std::string_view() const noexcept { return view(); }  // NOLINT: read wherever a view is
    std::string str() const { return std::string(view()); }
    const char* data() const noexcept { return view().data(); }
    std::size_t size() const noexcept { return isInline() ? m_bytes[kTag] : heapSize(); }
    bool empty() const noexcept { return size() == 0; }
    void clear() noexcept {
        release();
        setInlineSize(0);
    }

    friend bool operator==(const CompactText& a, const CompactText& b) noexcept { return a.view() == b.view(); }
    friend bool operator==(const CompactText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const CompactText& a, const std::string& b) noexcept { return a.view() == b; }
    friend bool operator==(const CompactText& a, const char* b) noexcept { return a.view() == b; }
    friend std::strong_ordering operator<=>(const CompactText& a, const CompactText& b) noexcept {
        return a.view() <=> b.view();
    }
    friend std::string operator+(std::string a, const CompactText& b) { return a.append(b.view()); }
    friend std::string operator+(const CompactText& a, std::string_view b) { return a.str().append(b); }

private:
    static constexpr std::size_t kTag = 15;         // the last byte: the size in place, or kOnHeap
    static constexpr unsigned char kOnHeap = 0xFF;  // bytes 0-7 the block, 8-11 its size

    bool isInline() const noexcept { return m_bytes[kTag] != kOnHeap; }
    void setInlineSize(std::size_t size) noexcept { m_bytes[kTag] = static_cast<unsigned char>(size); }
    const char* heapData() const noexcept {
        const char* block;
        std::memcpy(&block, m_bytes, sizeof block);
        return block;
    }
    std::size_t heapSize() const noexcept {
        std::uint32_t size;
        std::memcpy(&size, m_bytes + 8, sizeof size);
        return size;
    }
    void init(std::string_view text);
    void release() noexcept {
        if (!isInline()) delete[] heapData();
    }

    alignas(8) unsigned char m_bytes[16];
};

static_assert(sizeof(CompactText) == 16);

}  // namespace tally
