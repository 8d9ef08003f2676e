#pragma once

namespace pw {

// The forms of popwright-cli's own messages and of the lines of its help,
// marked for the translation tools; %1..%9 stand for what the commands fill
// in. The commands still write their English as they always did: the
// translation is laid over the finished text (see cli/CliLanguage.h), so
// these are only the translators' list.
extern const char* const kCliTexts[];
extern const int kCliTextCount;

}  // namespace pw
