#include "ui/app/HelpPages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tally {

QString helpFolder() {
    QStringList candidates;
    if (const QByteArray set = qgetenv("TALLYSCAN6_HELP"); !set.isEmpty()) candidates << QString::fromLocal8Bit(set);
    const QString programs = QCoreApplication::applicationDirPath();
    candidates << programs + QStringLiteral("/../share/tallyscan6/help") << programs + QStringLiteral("/help");
#ifdef TALLY_HELP_SOURCE_DIR
    candidates << QStringLiteral(TALLY_HELP_SOURCE_DIR);
#endif
    for (const QString& folder : candidates)
        if (QFileInfo::exists(folder + QStringLiteral("/tools.htm"))) return QDir::cleanPath(folder);
    return {};
}

QString helpPage(const QString& topic) {
    const QString folder = helpFolder();
    if (folder.isEmpty()) return {};
    const QString page = folder + QLatin1Char('/') + topic;
    return QFileInfo::exists(page) ? page : QString();
}

}  // namespace tally
