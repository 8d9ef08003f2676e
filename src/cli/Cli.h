#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace pw {

// Exit statuses of popwright-cli.
constexpr int kExitOk = 0;
constexpr int kExitFileError = 1;  // a card, picture, text or model could not be read, used or written
constexpr int kExitUsage = 2;

// Runs popwright-cli with the words after the program name. Results go to
// `out`, messages and usage errors to `err`; returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

void PrintUsage(std::ostream& to);

// Prints "popwright-cli: <what>" and the usage; returns kExitUsage.
int UsageError(std::ostream& err, const std::string& what);

}  // namespace pw
