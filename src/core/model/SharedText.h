#pragma once
// A text that copies of a row may share. A routine declared in hundreds of files under one name (the
// Tag property of every user control) is called from every line that names it, so each of those
// routines has the very same CalledBy list: sharing one buffer keeps a single copy of it instead of
// hundreds. The text behaves as a value: changing one holder's text never changes another's.

#include <memory>
#include <string>
#include <string_view>

namespace tally {

class SharedText {
public:
    SharedText() = default;
    SharedText(std::string text) { assign(std::move(text)); }  // NOLINT: a text is a text
    SharedText(std::string_view text) : SharedText(std::string(text)) {}  // NOLINT
    SharedText(const char* text) : SharedText(std::string(text)) {}       // NOLINT

    SharedText& operator=(std::string text) {
        assign(std::move(text));
        return *this;
    }
    SharedText& operator=(std::string_view text) { return *this = std::string(text); }
    SharedText& operator=(const char* text) { return *this = std::string(text); }

    const std::string& str() const { return m_text ? *m_text : empty_(); }
    std::string_view view() const { return str(); }
    operator std::string_view() const { return str(); }  // NOLINT: read wherever a view is
    bool empty() const { return !m_text; }
    std::size_t size() const { return m_text ? m_text->size() : 0; }

    // Appends to this holder's text alone; the others keep theirs.
    SharedText& operator+=(std::string_view more) {
        if (more.empty()) return *this;
        std::string text;
        text.reserve(size() + more.size());
        text.append(str()).append(more);
        m_text = std::make_shared<const std::string>(std::move(text));
        return *this;
    }

    // The same buffer as `other` (so the same text), which a reader may use to do its work once.
    bool sharesWith(const SharedText& other) const { return m_text && m_text == other.m_text; }
    const void* identity() const { return m_text.get(); }
    // The buffer itself, none for the empty text, for a holder that keeps texts of several kinds.
    const std::shared_ptr<const std::string>& buffer() const { return m_text; }

    friend bool operator==(const SharedText& a, const SharedText& b) {
        return a.m_text == b.m_text || a.view() == b.view();
    }
    friend bool operator==(const SharedText& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const SharedText& a, const char* b) { return a.view() == b; }
    friend std::string operator+(std::string a, const SharedText& b) { return a.append(b.str()); }
    friend std::string operator+(const char* a, const SharedText& b) { return std::string(a).append(b.str()); }

private:
    void assign(std::string text) {
        if (text.empty())
            m_text.reset();
        else
            m_text = std::make_shared<const std::string>(std::move(text));
    }
    static const std::string& empty_() {
        static const std::string none;
        return none;
    }

    std::shared_ptr<const std::string> m_text;  // none for the empty text
};

}  // namespace tally
