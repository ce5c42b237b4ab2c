#pragma once
// A rich-text document independent of any widget toolkit: paragraphs with an alignment, made of
// runs of text in one character format. The report viewer converts it to and from its own text
// document; the RTF, HTML and plain-text converters of core read or write it. Text is UTF-8; a tab
// is '\t' and a line break inside a paragraph is '\n'.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tally {

struct RichColour {
    std::uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const RichColour&) const = default;
};

struct RichFormat {
    std::string font;    // the font's name; empty when the document names none
    int halfPoints = 24;  // size in half points: 20 is 10 points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<RichColour> colour;  // nothing: the reader's automatic (default) colour
    bool operator==(const RichFormat&) const = default;
};

struct RichRun {
    std::string text;
    RichFormat format;
    bool operator==(const RichRun&) const = default;
};

enum class RichAlignment { Left, Center, Right, Justify };

struct RichParagraph {
    RichAlignment alignment = RichAlignment::Left;
    std::vector<RichRun> runs;
    bool operator==(const RichParagraph&) const = default;
    // The texts of the runs joined.
    std::string text() const;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;
    bool operator==(const RichDocument&) const = default;
};

// Appends text in a format to the last paragraph (starting one when there is none), joining it to
// the last run when that has the same format; empty text adds nothing. Readers build documents
// this way, so two neighbouring runs never share a format.
void appendRichText(RichDocument& document, std::string_view text, const RichFormat& format);

// The document's text: each paragraph followed by `lineEnd`, a line break inside a paragraph as
// `lineEnd` too, tabs kept. UTF-8.
std::string plainText(const RichDocument& document, std::string_view lineEnd = "\n");

}  // namespace tally
