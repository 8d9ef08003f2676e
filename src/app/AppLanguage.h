#pragma once
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace pw {

// The codes of the translations built into the program, as their files name
// them ("ja", "zh_TW"): one per translations/popwright_CODE.ts.
QStringList BuiltInLanguages();

// The translation a stored choice asks for: the choice itself when it is
// built in, for an empty choice the first of the system's languages that is,
// else empty (English).
QString LanguageFor(const QString& choice, const QStringList& systemLanguages);

// Installs the program's translation for the stored choice and Qt's own (the
// standard dialogs' buttons and texts) from the system's Qt translations;
// returns the code in use, empty for English. Call before any window exists.
QString InstallTranslations(QCoreApplication& app, const QString& choice);

// Takes back what InstallTranslations installed: English again.
void RemoveTranslations(QCoreApplication& app);

// The language the program shows, as InstallTranslations left it: the code
// of the translation in use, or empty for English.
QString LanguageInUse();

}  // namespace pw
