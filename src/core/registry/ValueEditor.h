#pragma once
// The "Edit Value" dialog without its widgets: the value read for editing, the hexadecimal,
// decimal and ASCII views and the conversions between them, which keys the data field accepts,
// and what OK writes and what the list row then shows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/registry/RegistryStore.h"

namespace tally {

// The value a row of the value list stands for.
struct ValueEditTarget {
    Hive hive = Hive::CurrentUser;
    std::string keyPath;
    std::string valueName;  // the row text: "(Default)" for the unnamed value
    std::string rowKey;     // "a" + type digit + index
};

enum class ValueView { Hexadecimal = 0, Second = 1 };  // Second: "Ascii" or "Decimal"

// What OK did: closed (the value written; `rowData` is the row's new data text), or an error
// message to show with the dialog left open, or nothing at all (binary data).
struct ValueEditResult {
    bool closed = false;
    std::string rowData;
    std::string_view message;
};

class ValueEditor {
public:
    // EditValue: reads the value; nothing when the key cannot be opened, the value cannot be read,
    // or the row key names a type the dialog does not edit.
    static std::optional<ValueEditor> open(const RegistryStore& store, const ValueEditTarget& target);

    std::uint32_t type() const { return m_type; }
    const ValueEditTarget& target() const { return m_target; }
    // lblKey's text as the dialog receives it: type digit + "|" + hive handle + "|" + key path.
    std::string keyLabel() const;
    // The text the data field starts with.
    const std::string& initialText() const { return m_initialText; }
    // The "View" frame is shown for binary and DWORD values; its second option's caption.
    bool showsViews() const { return m_type != regtype::kString; }
    std::string_view secondViewCaption() const { return m_type == regtype::kBinary ? "Ascii" : "Decimal"; }
    // Binary data is shown in a fixed-pitch font and cannot be edited.
    bool editable() const { return m_type != regtype::kBinary; }
    ValueView view() const { return m_view; }

    // Switches the view and gives the data field's new text, converted from `currentText`; the
    // text is kept when it cannot be converted.
    std::string switchView(ValueView view, std::string_view currentText);
    // Whether a typed character reaches the data field (and enables OK).
    bool acceptsCharacter(char c) const;
    // OK: writes the value from the data field's text.
    ValueEditResult accept(RegistryStore& store, std::string_view text) const;

private:
    ValueEditor() = default;

    ValueEditTarget m_target;
    std::uint32_t m_type = regtype::kString;
    std::string m_initialText;
    std::string m_bytes;  // binary data
    ValueView m_view = ValueView::Hexadecimal;
};

// Reading a number typed into the DWORD view: decimal (VB's CLng) or hexadecimal ("&h" + text:
// up to eight digits, read as a 32-bit two's complement number).
enum class NumberError { None, Overflow, Mismatch };
struct ParsedNumber {
    std::int32_t value = 0;
    NumberError error = NumberError::None;
};
ParsedNumber parseDecimalLong(std::string_view text);
ParsedNumber parseHexLong(std::string_view text);

}  // namespace tally
