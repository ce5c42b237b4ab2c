#pragma once
// A RichDocument as a small complete HTML page (UTF-8), for saving a report as .html.

#include <string>
#include <string_view>

#include "core/reports/RichDocument.h"

namespace tally {

// Each paragraph a <p> with its alignment, each run a <span> with its font, size, weight, slant,
// underline and colour; text escaped, blanks and tabs kept (tab stops every 12 points, as the
// reports set them). `title` is UTF-8.
std::string writeHtml(const RichDocument& document, std::string_view title);

}  // namespace tally
