#include "platform/SystemLocale.h"

#include <clocale>

namespace tally {

NumberLocale systemNumberLocale() {
    NumberLocale locale;
    if (!std::setlocale(LC_NUMERIC, "")) return locale;
    const std::lconv* conv = std::localeconv();
    if (conv && conv->thousands_sep && conv->thousands_sep[0] != '\0' &&
        static_cast<unsigned char>(conv->thousands_sep[0]) < 0x80 && conv->thousands_sep[1] == '\0')
        locale.thousands = conv->thousands_sep[0];
    if (conv && conv->decimal_point && conv->decimal_point[0] != '\0' && conv->decimal_point[1] == '\0')
        locale.decimal = conv->decimal_point[0];
    // Number parsing elsewhere (strtod in the scan file reader) expects ".", so only the separators
    // are taken from the user's locale; the process keeps the C locale for numbers.
    std::setlocale(LC_NUMERIC, "C");
    return locale;
}

}  // namespace tally
