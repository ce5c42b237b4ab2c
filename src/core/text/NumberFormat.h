#pragma once
// Number texts as the project tree, panels and reports show them.

#include <cstdint>
#include <string>

namespace tally {

// The separators of the user's locale (the platform layer reads them; tests pass their own).
struct NumberLocale {
    char thousands = ',';
    char decimal = '.';
};

// Digits grouped by three with the locale's separator, "-" in front when negative ("#,###,##0").
std::string formatGrouped(long long value, const NumberLocale& locale = {});

// Size in KB: bytes / 1024 rounded half to even, at least 1 for a non-empty file, grouped, "KB"
// appended. 0 bytes give "0KB".
std::string formatSizeKb(long long bytes, const NumberLocale& locale = {});

// A ratio as a percentage with two decimals and "%" (the "Percent" format): 0.125 gives "12.50%".
std::string formatPercent(double ratio, const NumberLocale& locale = {});

}  // namespace tally
