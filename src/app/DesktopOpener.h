#pragma once
#include <QString>

namespace pw {

// Opens a local file with the desktop's opener program (xdg-open) and tells
// whether it failed. Qt only starts the opener and reports success, so a
// desktop without a browser for the file failed silently; this waits up to
// `waitMs` for the opener's exit code (it fails within a moment when it
// finds nothing to open with). An opener still running then has started a
// program in the foreground, which counts as opened and is left running.
// User input waits meanwhile; the window still repaints.
bool OpenLocalFileWith(const QString& opener, const QString& path, int waitMs = 3000);

}  // namespace pw
