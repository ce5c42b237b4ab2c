#include "core/text/NumberFormat.h"

#include <cmath>
#include <cstdio>

namespace tally {

std::string formatGrouped(long long value, const NumberLocale& locale) {
    bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(locale.thousands);
        out.push_back(digits[i]);
    }
    return negative ? "-" + out : out;
}

std::string formatSizeKb(long long bytes, const NumberLocale& locale) {
    long long kb = 0;
    if (bytes > 0) {
        kb = bytes / 1024;
        long long rest = bytes % 1024;
        if (rest > 512 || (rest == 512 && kb % 2 == 1)) ++kb;
        if (kb < 1) kb = 1;
    }
    return formatGrouped(kb, locale) + "KB";
}

std::string formatPercent(double ratio, const NumberLocale& locale) {
    if (!std::isfinite(ratio)) return "0" + std::string(1, locale.decimal) + "00%";
    double hundredths = std::round(ratio * 10000.0);  // half away from zero, as Format does
    bool negative = hundredths < 0;
    long long whole = static_cast<long long>(std::fabs(hundredths));
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, "%02lld", whole % 100);
    std::string out = std::to_string(whole / 100) + locale.decimal + fraction + "%";
    return negative ? "-" + out : out;
}

}  // namespace tally
