#include "core/reports/RichHtml.h"

#include <cstdio>

namespace tally {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\n': out += "<br>"; break;
            default:
                // Other control characters have no place in HTML text.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
        }
    }
    return out;
}

// A font name inside a quoted CSS string within a quoted attribute.
std::string cssFontName(std::string_view name) {
    std::string out;
    for (char c : name)
        if (c != '\'' && c != '"' && c != '\\' && c != '<' && c != '>' && c != '&' && c != ';') out += c;
    return out;
}

std::string spanStyle(const RichFormat& f) {
    std::string style;
    if (!f.font.empty()) style += "font-family:'" + cssFontName(f.font) + "';";
    char size[32];
    std::snprintf(size, sizeof size, "font-size:%g", f.halfPoints / 2.0);
    style += std::string(size) + "pt;";
    if (f.bold) style += "font-weight:bold;";
    if (f.italic) style += "font-style:italic;";
    if (f.underline) style += "text-decoration:underline;";
    if (f.colour) {
        char colour[16];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", f.colour->red, f.colour->green, f.colour->blue);
        style += std::string("color:") + colour + ";";
    }
    return style;
}

std::string_view alignment(RichAlignment a) {
    switch (a) {
        case RichAlignment::Center: return " style=\"text-align:center\"";
        case RichAlignment::Right: return " style=\"text-align:right\"";
        case RichAlignment::Justify: return " style=\"text-align:justify\"";
        case RichAlignment::Left: break;
    }
    return "";
}

}  // namespace

std::string writeHtml(const RichDocument& document, std::string_view title) {
    std::string out =
        "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + escaped(title) +
        "</title>\n<style>\nbody { white-space: pre-wrap; tab-size: 12pt; -moz-tab-size: 12pt; }\n"
        "p { margin: 0; min-height: 1em; }\n</style>\n</head>\n<body>\n";
    for (const RichParagraph& paragraph : document.paragraphs) {
        out += "<p";
        out += alignment(paragraph.alignment);
        out += ">";
        for (const RichRun& run : paragraph.runs)
            out += "<span style=\"" + spanStyle(run.format) + "\">" + escaped(run.text) + "</span>";
        out += "</p>\n";
    }
    return out + "</body>\n</html>\n";
}

}  // namespace tally
