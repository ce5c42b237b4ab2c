#pragma once
// The user's number separators, read from the C library's locale.

#include "core/text/NumberFormat.h"

namespace tally {

// Activates the environment's locale for numbers and returns its separators; a locale without a
// thousands separator (the C locale) falls back to ",".
NumberLocale systemNumberLocale();

}  // namespace tally
