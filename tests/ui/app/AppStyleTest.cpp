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

}  // namespace

class AppStyleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { applyAppStyle(*qobject_cast<QApplication*>(QCoreApplication::instance())); }

    void disabledMenuItemsAreDrawnPaler() {
        QMenu menu;
        QAction* on = menu.addAction(QStringLiteral("Save Project Scan"));
        QAction* off = menu.addAction(QStringLiteral("Save Project Scan"));
        off->setEnabled(false);
        QImage image = picture(menu);
        QVERIFY(!image.isNull());
        qreal scale = image.devicePixelRatio();
        auto area = [&](QAction* action) {
            QRect r = menu.actionGeometry(action);
            return QRect(r.topLeft() * scale, r.size() * scale);
        };
        int enabled = inkOf(image, area(on));
        int disabled = inkOf(image, area(off));
        QVERIFY2(enabled > 150, qPrintable(QString::number(enabled)));
        QVERIFY2(disabled < enabled - 60, qPrintable(QStringLiteral("%1 vs %2").arg(disabled).arg(enabled)));
    }

    void disabledButtonsAndLabelsAreDrawnPaler() {
        for (bool button : {true, false}) {
            std::unique_ptr<QWidget> on, off;
            if (button) {
                auto* a = new QToolButton;
                a->setText(QStringLiteral("Open"));
                auto* b = new QToolButton;
                b->setText(QStringLiteral("Open"));
                on.reset(a);
                off.reset(b);
            } else {
                on.reset(new QLabel(QStringLiteral("Declared but never used")));
                off.reset(new QLabel(QStringLiteral("Declared but never used")));
            }
            off->setEnabled(false);
            QImage enabledImage = picture(*on);
            QImage disabledImage = picture(*off);
            int enabled = inkOf(enabledImage, enabledImage.rect());
            int disabled = inkOf(disabledImage, disabledImage.rect());
            QVERIFY2(enabled > 150, qPrintable(QString::number(enabled)));
            QVERIFY2(disabled < enabled - 60,
                     qPrintable(QStringLiteral("%1 vs %2").arg(disabled).arg(enabled)));
        }
    }
};

QTEST_MAIN(AppStyleTest)
#include "AppStyleTest.moc"
