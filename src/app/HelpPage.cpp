#include "app/HelpPage.h"

#include <QDir>
#include <QFileInfo>

#include "app/ShownTexts.h"
#include "model/Messages.h"

namespace pw {

QStringList HelpPageCandidates(const QString& programDir) {
    const QDir dir(programDir);
    QStringList candidates{
        dir.filePath(QStringLiteral("help/index.html")),
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/popwright/help/index.html"))),
    };
#ifdef POPWRIGHT_DATADIR
    const QString installed = QStringLiteral(POPWRIGHT_DATADIR "/popwright/help/index.html");
    if (!candidates.contains(installed)) candidates << installed;
#endif
    return candidates;
}

QString FindHelpPage(const QString& programDir) {
    for (const QString& path : HelpPageCandidates(programDir))
        if (QFileInfo(path).isFile()) return path;
    return QString();
}

QString CantOpenHelpMessage(const QString& guidePath) {
    QString text = ShownMessage(msg::kCantOpenHelp);
    if (!guidePath.isEmpty())
        text.replace(QStringLiteral("/help/index.html"), QDir::toNativeSeparators(QDir::cleanPath(guidePath)));
    return text;
}

}  // namespace pw
