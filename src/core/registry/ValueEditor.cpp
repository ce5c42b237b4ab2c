#include "core/registry/ValueEditor.h"

#include <cmath>

#include "core/registry/RegistryFormat.h"
#include "core/registry/RegistryMessages.h"
#include "core/registry/RegistryValues.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The ASCII view of binary data: printable characters as they are, everything else a dot.
std::string asciiView(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.push_back(b >= 33 && b <= 126 ? c : '.');
    }
    return text;
}

}  // namespace

ParsedNumber parseDecimalLong(std::string_view text) {
    std::string_view digits = trimView(text);
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    std::size_t point = digits.find('.');
    std::string_view whole = digits.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
    if (whole.empty() && fraction.empty()) return {0, NumberError::Mismatch};
    for (std::string_view part : {whole, fraction})
        for (char c : part)
            if (c < '0' || c > '9') return {0, NumberError::Mismatch};
    double value = 0;
    for (char c : whole) value = value * 10 + (c - '0');
    double scale = 0.1;
    for (char c : fraction) {
        value += (c - '0') * scale;
        scale /= 10;
    }
    if (negative) value = -value;
    // CLng rounds a half to the even neighbour.
    value = std::nearbyint(value);
    if (value > 2147483647.0 || value < -2147483648.0) return {0, NumberError::Overflow};
    return {static_cast<std::int32_t>(value), NumberError::None};
}

ParsedNumber parseHexLong(std::string_view text) {
    std::string_view digits = trimView(text);
    if (digits.empty()) return {0, NumberError::Mismatch};
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    std::uint32_t value = 0;
    for (char c : digits)
        if (hexDigitValue(c) < 0) return {0, NumberError::Mismatch};
    if (digits.size() > 8) return {0, NumberError::Overflow};
    for (char c : digits) value = value * 16 + static_cast<std::uint32_t>(hexDigitValue(c));
    return {static_cast<std::int32_t>(value), NumberError::None};
}

std::optional<ValueEditor> ValueEditor::open(const RegistryStore& store, const ValueEditTarget& target) {
    if (target.rowKey.size() < 2) return std::nullopt;
    const int typeDigit = target.rowKey[1] - '0';
    if (typeDigit != static_cast<int>(regtype::kString) && typeDigit != static_cast<int>(regtype::kBinary) &&
        typeDigit != static_cast<int>(regtype::kDword))
        return std::nullopt;
    if (!store.values(target.hive, target.keyPath)) return std::nullopt;
    const std::string_view name = target.valueName == kDefaultValueName ? std::string_view() : target.valueName;
    std::optional<RegValue> value = store.value(target.hive, target.keyPath, name);
    if (!value) return std::nullopt;

    ValueEditor editor;
    editor.m_target = target;
    editor.m_type = static_cast<std::uint32_t>(typeDigit);
    if (editor.m_type == regtype::kString) {
        editor.m_initialText = std::string(cutAtNul(value->data));
    } else if (editor.m_type == regtype::kDword) {
        editor.m_initialText = lowerHex(dwordOf(value->data));
    } else {
        editor.m_bytes = value->data;
        editor.m_initialText = formatBinary(value->data, value->data.size(), false);
    }
    return editor;
}

std::string ValueEditor::keyLabel() const {
    return std::to_string(m_type) + "|" + std::to_string(hiveHandle(m_target.hive)) + "|" + m_target.keyPath;
}

std::string ValueEditor::switchView(ValueView view, std::string_view currentText) {
    const ValueView from = m_view;
    m_view = view;
    if (view == from) return std::string(currentText);
    if (m_type == regtype::kBinary) {
        // The bytes are those read when the dialog opened; they cannot be changed.
        return view == ValueView::Hexadecimal ? formatBinary(m_bytes, m_bytes.size(), false) : asciiView(m_bytes);
    }
    if (m_type != regtype::kDword) return std::string(currentText);
    if (view == ValueView::Hexadecimal) {
        ParsedNumber number = parseDecimalLong(currentText);
        if (number.error != NumberError::None) return std::string(currentText);
        return lowerHex(static_cast<std::uint32_t>(number.value));
    }
    ParsedNumber number = parseHexLong(currentText);
    if (number.error != NumberError::None) return std::string(currentText);
    return toDecimal(number.value);
}

bool ValueEditor::acceptsCharacter(char c) const {
    if (m_type == regtype::kString) return true;
    if (m_type != regtype::kDword) return false;
    if (c >= '0' && c <= '9') return true;
    return m_view == ValueView::Hexadecimal && hexDigitValue(c) >= 0;
}

ValueEditResult ValueEditor::accept(RegistryStore& store, std::string_view text) const {
    ValueEditResult result;
    const std::string name = m_target.valueName == kDefaultValueName ? std::string() : m_target.valueName;
    if (m_type == regtype::kString) {
        if (!saveValue(store, m_target.hive, m_target.keyPath, regtype::kString, name, text)) {
            result.message = kUnableToSave;
            return result;
        }
        result.closed = true;
        result.rowData = "\"" + std::string(text) + "\"";
        return result;
    }
    if (m_type != regtype::kDword) return result;
    ParsedNumber number = m_view == ValueView::Hexadecimal ? parseHexLong(text) : parseDecimalLong(text);
    if (number.error == NumberError::Overflow) {
        result.message = kValueTooLarge;
        return result;
    }
    if (number.error == NumberError::Mismatch) {
        result.message = kValueInvalid;
        return result;
    }
    if (!saveValue(store, m_target.hive, m_target.keyPath, regtype::kDword, name, toDecimal(number.value))) {
        result.message = kUnableToSave;
        return result;
    }
    result.closed = true;
    result.rowData = formatDword(static_cast<std::uint32_t>(number.value));
    return result;
}

}  // namespace tally
