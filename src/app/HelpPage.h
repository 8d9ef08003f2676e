#pragma once
#include <QString>
#include <QStringList>

namespace pw {

// Where the user guide may lie, in the order they are tried: the folder
// "help" beside the program (a build tree or an unpacked copy), then the
// installed data folder relative to the program, then the data folder the
// program was built for.
QStringList HelpPageCandidates(const QString& programDir);

// The first candidate that exists, or an empty string.
QString FindHelpPage(const QString& programDir);

}  // namespace pw
