#pragma once
#include <iosfwd>
#include <string>

namespace pw {

// Every message of popwright-cli is one line on standard error, in one form:
//
//   popwright-cli: [FILE: ]Message.           an error: exit status 1 or 2
//   popwright-cli: [FILE: ]warning: Message.  the command did its work: exit status 0
//
// FILE is the file the message is about, when there is one. The message is
// the program's fixed text with its line breaks joined, so that scripts and
// file managers, which show the first line only, show all of it.
void PrintError(std::ostream& err, const std::string& file, const std::string& text);
void PrintWarning(std::ostream& err, const std::string& file, const std::string& text);

}  // namespace pw
