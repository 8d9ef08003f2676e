#include "cli/CliMessages.h"

#include <ostream>

#include "cli/CliLanguage.h"

namespace pw {

namespace {

std::string OneLine(std::string text) {
    // The desktop program's texts break a line before an indented sentence.
    for (std::size_t at; (at = text.find("\n ")) != std::string::npos;) text.replace(at, 2, " ");
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

void Print(std::ostream& err, const std::string& file, const char* kind, const std::string& text) {
    err << "popwright-cli: ";
    if (!file.empty()) err << OneLine(file) << ": ";
    if (*kind) err << CliText(err, kind);
    err << OneLine(CliText(err, text)) << "\n";
}

}  // namespace

void PrintError(std::ostream& err, const std::string& file, const std::string& text) { Print(err, file, "", text); }

void PrintWarning(std::ostream& err, const std::string& file, const std::string& text) {
    Print(err, file, "warning: ", text);
}

}  // namespace pw
