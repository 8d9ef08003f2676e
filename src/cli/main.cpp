// popwright-cli: makes, edits and inspects card files without the desktop.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int status = pw::RunCli(args, std::cout, std::cerr);
    std::cout.flush();
    return status;
}
