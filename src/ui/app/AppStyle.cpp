#include "ui/app/AppStyle.h"

#include <QApplication>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>

namespace tally {

namespace {

// Fusion, with item activation always on double click (or Enter), whatever the desktop prefers:
// activation opens code, which a single click must not do.
class TallyStyle : public QProxyStyle {
public:
    TallyStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ItemView_ActivateItemOnSingleClick) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

const char* const kStyleSheet = R"(
QMainWindow::separator { width: 1px; }
QSplitter::handle:horizontal { width: 5px; }
QSplitter::handle:vertical { height: 5px; }
QToolBar#tbrMain { border: none; border-bottom: 1px solid #dde1e7; padding: 3px 6px; spacing: 4px; background: #f7f8fa; }
QToolBar#tbrMain QToolButton { padding: 3px 8px; border-radius: 5px; }
QToolBar#tbrMain QToolButton:hover { background: #e8edf5; }
QToolBar#tbrDead { border: none; border-bottom: 1px solid #e3e6eb; padding: 6px 8px; spacing: 4px; background: #fafbfc; }
QToolBar#tbrDead QToolButton { margin-right: 5px; padding: 4px 11px; border: 1px solid #d6dbe3; border-radius: 12px; background: #ffffff; color: #27303d; }
QToolBar#tbrDead QToolButton:hover { background: #eef3fb; border-color: #b9c7dd; }
QToolBar#tbrDead QToolButton:checked { background: #dde8fb; border-color: #5b8def; color: #1447b8; font-weight: 600; }
QToolBar#tbrDead QToolButton:disabled { color: #a3abb7; background: #f6f7f9; border-color: #e6e9ee; }
QTabWidget#tbsMain::pane { border: none; border-top: 1px solid #dde1e7; }
QTabWidget#tbsMain QTabBar::tab { padding: 7px 16px; margin-right: 2px; color: #4a5563; border: none; border-bottom: 2px solid transparent; background: transparent; }
QTabWidget#tbsMain QTabBar::tab:selected { color: #1d4ed8; border-bottom: 2px solid #2563eb; }
QTabWidget#tbsMain QTabBar::tab:hover:!selected { color: #1f2937; border-bottom: 2px solid #c7d2e3; }
#headerStrip { background: #f7f8fa; border-bottom: 1px solid #e3e6eb; }
QWidget#picCode { background: #fdfdfe; border-bottom: 1px solid #e3e6eb; }
QWidget#picCode QToolButton { border-radius: 5px; padding: 3px; }
QWidget#picCode QToolButton:hover { background: #e8edf5; }
QLabel#caretPlace { color: #6b7280; }
QLabel#headerTitle { font-weight: 600; color: #1f2937; }
QLabel#headerDetail { color: #6b7280; }
QHeaderView::section { background: #f3f5f8; color: #374151; padding: 4px 8px; border: none; border-right: 1px solid #e3e6eb; border-bottom: 1px solid #dde1e7; }
QTreeView, QTreeWidget { border: 1px solid #dde1e7; }
QTreeView#tvwFiles { border: none; border-right: 1px solid #dde1e7; }
QTreeView::item { padding: 2px 0px; }
QProgressBar { border: 1px solid #cfd6e0; border-radius: 4px; background: #eef1f5; min-height: 10px; max-height: 10px; }
QProgressBar::chunk { background: #2563eb; border-radius: 3px; }
QStatusBar { border-top: 1px solid #dde1e7; background: #f7f8fa; color: #4b5563; }
QStatusBar QLabel { padding: 0px 6px; }
QStatusBar::item { border: none; }
)";

}  // namespace

void applyAppStyle(QApplication& app) {
    app.setStyle(new TallyStyle);
    QPalette palette = app.style()->standardPalette();
    palette.setColor(QPalette::Window, QColor(0xfb, 0xfb, 0xfc));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor(0xf7, 0xf9, 0xfb));
    palette.setColor(QPalette::Highlight, QColor(0xd6, 0xe4, 0xfd));
    palette.setColor(QPalette::HighlightedText, QColor(0x10, 0x23, 0x4d));
    palette.setColor(QPalette::Button, QColor(0xf4, 0xf5, 0xf7));
    palette.setColor(QPalette::Text, QColor(0x1f, 0x29, 0x37));
    palette.setColor(QPalette::WindowText, QColor(0x1f, 0x29, 0x37));
    palette.setColor(QPalette::ToolTipBase, QColor(0x1f, 0x29, 0x37));
    palette.setColor(QPalette::ToolTipText, Qt::white);
    // setColor(role, colour) above sets every colour group, the disabled one too, which made a
    // disabled menu item, button or label look exactly like an enabled one. Disabled text is grey.
    const QColor disabledText(0xa3, 0xab, 0xb7);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::HighlightedText, QPalette::PlaceholderText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0xf6, 0xf7, 0xf9));
    palette.setColor(QPalette::Disabled, QPalette::Button, QColor(0xf6, 0xf7, 0xf9));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0xe6, 0xe9, 0xee));
    palette.setColor(QPalette::Disabled, QPalette::Light, QColor(0xfb, 0xfb, 0xfc));
    app.setPalette(palette);
    app.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

}  // namespace tally
