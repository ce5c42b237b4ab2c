#include "core/parser/CompanionText.h"

#include "core/os/FileFacts.h"
#include "core/text/TextOps.h"

namespace tally {

namespace {
bool isKept(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '1' && c <= '9') || c == ' ';
}
}  // namespace

std::string companionText(std::string_view bytes) {
    std::string out;
    bool afterKept = false;
    for (char c : bytes) {
        if (isKept(c)) {
            out.push_back(c);
            afterKept = true;
        } else if (afterKept) {
            out.push_back(' ');
            afterKept = false;
        }
    }
    std::string_view text = trimView(out);
    if (text == "lt") return {};
    if (startsWith(text, "lt")) text = trimView(text.substr(2));
    return std::string(text);
}

std::string readCompanionText(std::string_view path) {
    PathStatus status = pathStatus(path);
    if (!status.regularFile || status.length <= 0 || status.length > kCompanionTextLimit) return {};
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return {};
    return companionText(*bytes);
}

}  // namespace tally
