// popwright-cli: makes, edits and inspects card files without the desktop.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "cli/CliLanguage.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Messages and help in the user's language, when a translation has it.
    const std::vector<std::string> wanted = pw::WantedLanguages(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                                                std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    pw::UseCliLanguage(std::cout, wanted);
    pw::UseCliLanguage(std::cerr, wanted);
    const int status = pw::RunCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
