#include "app/HelpPage.h"

#include <QDir>
#include <QFileInfo>

#include "app/ShownTexts.h"
#include "model/Messages.h"

namespace pw {

QStringList HelpPageCandidates(const QString& programDir, const QString& language) {
    const QDir dir(programDir);
    QStringList folders{
        dir.filePath(QStringLiteral("help")),
        QDir::cleanPath(dir.filePath(QStringLiteral("../share/popwright/help"))),
    };
#ifdef POPWRIGHT_DATADIR
    const QString installed = QStringLiteral(POPWRIGHT_DATADIR "/popwright/help");
    if (!folders.contains(installed)) folders << installed;
#endif
    // A guide in the language in use, wherever it lies, before any English.
    QStringList candidates;
    if (!language.isEmpty())
        for (const QString& folder : folders) candidates << folder + QLatin1Char('/') + language + QStringLiteral("/index.html");
    for (const QString& folder : folders) candidates << folder + QStringLiteral("/index.html");
    return candidates;
}

QString FindHelpPage(const QString& programDir, const QString& language) {
    for (const QString& path : HelpPageCandidates(programDir, language))
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
