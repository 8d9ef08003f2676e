#pragma once

// Marks a fixed user-facing text of the Qt-free core for the translation
// tools; the text itself is unchanged. The desktop program looks the text up
// under `context` (see app/ShownTexts.h), so a translation file can replace it
// there, while popwright-cli and the files it writes keep the English. The
// translation tools read the mark as QT_TRANSLATE_NOOP (lupdate's
// -tr-function-alias QT_TRANSLATE_NOOP+=PW_TRANSLATE_NOOP).
#define PW_TRANSLATE_NOOP(context, text) text
