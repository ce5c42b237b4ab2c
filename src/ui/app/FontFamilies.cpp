#include "ui/app/FontFamilies.h"

#include <QFontDatabase>

namespace tally {

namespace {

struct MetricTwin {
    const char* family;
    const char* twin;
};

// The metric-compatible families of fontconfig's 30-metric-aliases.conf for the Windows fonts a
// VB setting names.
constexpr MetricTwin kTwins[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Arial Narrow", "Liberation Sans Narrow"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Cambria", "Caladea"},
    {"Calibri", "Carlito"},
};

}  // namespace

QString installedFontFamily(const QString& family) {
    if (QFontDatabase::hasFamily(family)) return family;
    for (const MetricTwin& entry : kTwins) {
        if (family.compare(QLatin1String(entry.family), Qt::CaseInsensitive) != 0) continue;
        QString twin = QString::fromLatin1(entry.twin);
        if (QFontDatabase::hasFamily(twin)) return twin;
    }
    return family;
}

}  // namespace tally
