// quillory-odds: the win-rate estimate of the Quillory window from a shell.
#include "OddsCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quillory::RunOddsCommand(args, std::cout, std::cerr);
}
