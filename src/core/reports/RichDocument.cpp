#include "core/reports/RichDocument.h"

namespace tally {

std::string RichParagraph::text() const {
    std::string out;
    for (const RichRun& run : runs) out += run.text;
    return out;
}

void appendRichText(RichDocument& document, std::string_view text, const RichFormat& format) {
    if (text.empty()) return;
    if (document.paragraphs.empty()) document.paragraphs.emplace_back();
    std::vector<RichRun>& runs = document.paragraphs.back().runs;
    if (!runs.empty() && runs.back().format == format) runs.back().text += text;
    else runs.push_back(RichRun{std::string(text), format});
}

std::string plainText(const RichDocument& document, std::string_view lineEnd) {
    std::string out;
    for (const RichParagraph& paragraph : document.paragraphs) {
        for (const RichRun& run : paragraph.runs) {
            for (char c : run.text) {
                if (c == '\n') out += lineEnd;
                else out += c;
            }
        }
        out += lineEnd;
    }
    return out;
}

}  // namespace tally
