#include "app/AppLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pw {
namespace {

// Where the build puts the compiled translations among the resources.
const QString kTranslationFolder = QStringLiteral(":/i18n");

// The language the running program shows is kept by the application object,
// so that it lives exactly as long as the translators do.
const char* const kLanguageProperty = "popwrightLanguage";

// "ja_JP" and "ja-JP" are the system's forms of "ja": the closest built-in
// translation, the full code first (so "zh_TW" is not taken for "zh").
QString Closest(QString code, const QStringList& builtIn) {
    code.replace(QLatin1Char('-'), QLatin1Char('_'));
    if (builtIn.contains(code)) return code;
    const QString language = code.section(QLatin1Char('_'), 0, 0);
    return builtIn.contains(language) ? language : QString();
}

}  // namespace

QStringList BuiltInLanguages() {
    QStringList codes;
    const QStringList files =
        QDir(kTranslationFolder).entryList({QStringLiteral("popwright_*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) codes << file.mid(10, file.size() - 13);
    return codes;
}

QString LanguageFor(const QString& choice, const QStringList& systemLanguages) {
    const QStringList builtIn = BuiltInLanguages();
    if (choice == QLatin1String("en")) return QString();
    if (!choice.isEmpty()) return Closest(choice, builtIn);
    for (const QString& system : systemLanguages) {
        // English anywhere before a translation means English.
        if (system.startsWith(QLatin1String("en"))) return QString();
        if (const QString code = Closest(system, builtIn); !code.isEmpty()) return code;
    }
    return QString();
}

QString InstallTranslations(QCoreApplication& app, const QString& choice) {
    const QString code = LanguageFor(choice, QLocale::system().uiLanguages());
    app.setProperty(kLanguageProperty, code);
    if (code.isEmpty()) return code;
    auto* own = new QTranslator(&app);
    if (own->load(QStringLiteral("popwright_") + code, kTranslationFolder)) QCoreApplication::installTranslator(own);
    // Qt's own texts come with Debian's Qt translations; without them the
    // standard dialogs stay English and everything else is translated.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    QLocale::setDefault(QLocale(code));
    return code;
}

void RemoveTranslations(QCoreApplication& app) {
    for (QTranslator* t : app.findChildren<QTranslator*>(QString(), Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(QLocale::system());
    app.setProperty(kLanguageProperty, QString());
}

QString LanguageInUse() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app ? app->property(kLanguageProperty).toString() : QString();
}

}  // namespace pw
