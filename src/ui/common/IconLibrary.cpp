#include "ui/common/IconLibrary.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace tally {

namespace {

// Pixel sizes drawn for composed icons: list rows, toolbars and their 200% forms.
constexpr int kSizes[] = {16, 20, 24, 32, 40, 48, 64};

QString resourcePath(const QString& key) {
    return QStringLiteral(":/icons/") + key + QStringLiteral(".svg");
}

QImage renderBase(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

// A red dot in the lower right corner, cut out of the image with a transparent ring so that it
// stays readable on any base colour.
void paintProblemBadge(QImage& image) {
    const qreal size = image.width();
    const qreal radius = size * 0.22;
    const QPointF centre(size - radius - size * 0.02, size - radius - size * 0.02);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.drawEllipse(centre, radius + size / 16.0, radius + size / 16.0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBrush(QColor(0xdc, 0x26, 0x26));
    painter.drawEllipse(centre, radius, radius);
}

// Grey, faded and struck through: code that nothing reaches or that holds nothing.
void paintDeadVariant(QImage& image) {
    QImage plain = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < plain.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(plain.scanLine(y));
        for (int x = 0; x < plain.width(); ++x) {
            int grey = 104 + qGray(line[x]) * 9 / 16;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 7 / 8);
        }
    }
    image = plain.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const qreal size = image.width();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0x4b, 0x55, 0x63), size / 11.0, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(size * 0.14, size * 0.86), QPointF(size * 0.86, size * 0.14));
}

QHash<QString, QIcon>& cache() {
    static QHash<QString, QIcon> icons;
    return icons;
}

}  // namespace

bool IconLibrary::hasBaseImage(const QString& key) {
    return !key.isEmpty() && QFile::exists(resourcePath(key));
}

QIcon IconLibrary::icon(std::string_view key) {
    return icon(QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size())));
}

QIcon IconLibrary::icon(const QString& key) {
    if (key.isEmpty()) return {};
    auto found = cache().constFind(key);
    if (found != cache().constEnd()) return *found;
    QIcon made = make(key);
    cache().insert(key, made);
    return made;
}

QIcon IconLibrary::make(const QString& key) {
    QString base = key;
    QChar variant;
    if (!hasBaseImage(key)) {
        variant = key.back();
        base = key.chopped(1);
        if ((variant != QLatin1Char('0') && variant != QLatin1Char('1')) || !hasBaseImage(base)) return {};
    }
    // Every size is drawn for the normal and the selected state alike: a selected row keeps its
    // icon's colours instead of the style's washed-out selected form.
    QSvgRenderer renderer(resourcePath(base));
    QIcon made;
    for (int size : kSizes) {
        QImage image = renderBase(renderer, size);
        if (variant == QLatin1Char('1'))
            paintProblemBadge(image);
        else if (variant == QLatin1Char('0'))
            paintDeadVariant(image);
        QPixmap pixmap = QPixmap::fromImage(image);
        made.addPixmap(pixmap, QIcon::Normal);
        made.addPixmap(pixmap, QIcon::Selected);
    }
    return made;
}

QIcon IconLibrary::treeIcon(std::string_view image, std::string_view selectedImage) {
    QIcon normal = icon(image);
    if (selectedImage.empty() || selectedImage == image) return normal;
    QIcon selected = icon(selectedImage);
    if (selected.isNull()) return normal;
    QString key = QStringLiteral("tree:") + QString::fromLatin1(image.data(), image.size()) +
                  QLatin1Char('|') + QString::fromLatin1(selectedImage.data(), selectedImage.size());
    auto found = cache().constFind(key);
    if (found != cache().constEnd()) return *found;
    QIcon both;
    for (int size : kSizes) {
        both.addPixmap(normal.pixmap(QSize(size, size), 1.0), QIcon::Normal);
        both.addPixmap(selected.pixmap(QSize(size, size), 1.0, QIcon::Normal), QIcon::Selected);
    }
    cache().insert(key, both);
    return both;
}

QString IconLibrary::fileKindKey(const QString& path) {
    QString extension = path.section(QLatin1Char('.'), -1).toLower();
    if (path.lastIndexOf(QLatin1Char('.')) < 0) return {};
    if (extension == QLatin1String("frm")) return QStringLiteral("form");
    if (extension == QLatin1String("bas")) return QStringLiteral("module");
    if (extension == QLatin1String("cls")) return QStringLiteral("class");
    if (extension == QLatin1String("ctl")) return QStringLiteral("userctl");
    if (extension == QLatin1String("pag")) return QStringLiteral("propsht");
    return {};
}

}  // namespace tally
