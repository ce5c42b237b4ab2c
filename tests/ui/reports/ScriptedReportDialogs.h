#pragma once
// The report viewer's font dialog and printing answered from a script: the font chosen (or a
// cancel), and a record of what was printed or previewed.

#include <QTextDocument>
#include <deque>
#include <optional>

#include "ui/reports/ReportViewerDialogs.h"

namespace tally::test {

class ScriptedReportDialogs final : public ReportViewerDialogs {
public:
    std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget*) override {
        offered.push_back(initial);
        if (fonts.empty()) return std::nullopt;
        std::optional<FontChoice> answer = fonts.front();
        fonts.pop_front();
        return answer;
    }
    void print(const QTextDocument& document, QWidget*) override { printed << document.toPlainText(); }
    void preview(const QTextDocument& document, QWidget*) override { previewed << document.toPlainText(); }

    std::deque<std::optional<FontChoice>> fonts;  // answers in order; a cancel when the script has run out
    std::vector<FontChoice> offered;               // what each dialog was opened with
    QStringList printed, previewed;                // the text of each document printed or previewed
};

}  // namespace tally::test
