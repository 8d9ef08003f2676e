#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// One translated text of the command-line tool, as the translation files
// (translations/popwright_CODE.ts) hold it. The build turns those files into
// a table of these, so that popwright-cli speaks the desktop program's
// languages without Qt.
struct CliTranslation {
    const char* language;  // "ja", "zh_TW"
    const char* context;   // "Messages", "CliMessages", "CliHelp"
    const char* source;    // the English, with %1..%9 for the parts filled in
    const char* translation;
};
struct CliTranslationTable {
    const CliTranslation* entries;
    std::size_t size;
};
// The table the build made from the translation files.
CliTranslationTable BuiltInCliTranslations();

// The languages messages are wanted in, first choice first, as gettext
// takes them from the environment: LANGUAGE (a list, only when a locale
// other than plain "C" is set), then the first of LC_ALL, LC_MESSAGES and
// LANG that is set; "ja_JP.UTF-8" gives "ja_JP". "C" and "en" mean English.
// A null variable is unset.
std::vector<std::string> WantedLanguages(const char* language, const char* lcAll, const char* lcMessages,
                                         const char* lang);

// Makes the stream speak the first of the wanted languages the table holds
// (the full code first, then the language alone: "zh_TW", then "zh"); with
// none, it stays English.
void UseCliLanguage(std::ostream& stream, const std::vector<std::string>& wanted,
                    const CliTranslationTable& table = BuiltInCliTranslations());

// The English text in the stream's language: the translation of the same
// text, or of a text with %1..%9 whose filled-in parts are then themselves
// translated where they are known texts; else the English as it is.
std::string CliText(std::ostream& stream, const std::string& english);

// The code of the stream's language ("ja"), "en" for English.
std::string CliLanguageCode(std::ostream& stream);

// A text of several lines, each in the stream's language as CliText gives
// it, its indentation kept: the help, whose lines are its translation units.
std::string CliLines(std::ostream& stream, const std::string& english);

// Lays a text with %1..%9 over a finished text: the parts that fill them,
// in order of their numbers, or false when the text is not of that form.
bool MatchFilledText(const std::string& pattern, const std::string& text, std::vector<std::string>& parts);

}  // namespace pw
