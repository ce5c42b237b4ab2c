// The program's look, checked by pixel: a disabled menu item, tool button or label is drawn in a
// paler ink than an enabled one.

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include "ui/app/AppStyle.h"

using namespace tally;

namespace {

// The darkness of the darkest pixel in `area` of the image: 0 for white, 255 for black.
int inkOf(const QImage& image, QRect area) {
    area = area.intersected(image.rect());
    int darkest = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::max(darkest, 255 - qGray(image.pixel(x, y)));
    return darkest;
}

QImage picture(QWidget& widget) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget)) return {};
    return widget.grab().toImage();
}

// The darkness of the darkest pixel of the widget drawn enabled or disabled.
int inkOf(QWidget& widget, bool enabled) {
    widget.setEnabled(enabled);
    const QImage image = picture(widget);
    return inkOf(image, image.rect());
}

}  // namespace

class AppStyleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { applyAppStyle(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void disabledMenuItemsButtonsAndLabelsAreDrawnPaler() {
        QMenu menu;
        QAction* on = menu.addAction(QStringLiteral("Save Project Scan"));
        QAction* off = menu.addAction(QStringLiteral("Save Project Scan"));
        off->setEnabled(false);
        const QImage image = picture(menu);
        QVERIFY(!image.isNull());
        const qreal scale = image.devicePixelRatio();
        auto area = [&](QAction* action) {
            QRect r = menu.actionGeometry(action);
            return QRect(r.topLeft() * scale, r.size() * scale);
        };
        QToolButton onButton, offButton;
        onButton.setText(QStringLiteral("Open"));
        offButton.setText(QStringLiteral("Open"));
        QLabel onLabel(QStringLiteral("Declared but never used")), offLabel(QStringLiteral("Declared but never used"));
        const struct {
            const char* what;
            int enabled, disabled;
        } cases[] = {
            {"menu item", inkOf(image, area(on)), inkOf(image, area(off))},
            {"tool button", inkOf(onButton, true), inkOf(offButton, false)},
            {"label", inkOf(onLabel, true), inkOf(offLabel, false)},
        };
        for (const auto& c : cases) {
            const QString figures = QStringLiteral("%1: %2 vs %3").arg(QLatin1String(c.what)).arg(c.disabled).arg(c.enabled);
            QVERIFY2(c.enabled > 150, qPrintable(figures));
            QVERIFY2(c.disabled < c.enabled - 60, qPrintable(figures));
        }
    }
};

QTEST_MAIN(AppStyleTest)
#include "AppStyleTest.moc"
