#pragma once
#include <QString>
#include <QStringList>

namespace pw {

// Where the user guide may lie, in the order they are tried: the folder
// "help" beside the program (a build tree or an unpacked copy), then the
// installed data folder relative to the program, then the data folder the
// program was built for. With a language ("ja"), the guides in that
// language (help/ja/index.html) in the same places come first.
QStringList HelpPageCandidates(const QString& programDir, const QString& language = QString());

// The first candidate that exists, or an empty string.
QString FindHelpPage(const QString& programDir, const QString& language = QString());

// The message when the guide cannot be shown: the program's words, with the
// guide's whole path where they name only its end, so that the user can
// open it by hand.
QString CantOpenHelpMessage(const QString& guidePath);

}  // namespace pw
