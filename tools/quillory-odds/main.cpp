// quillory-odds: the win-rate estimate of the Quillory window from a shell.
#include "OddsCommand.h"
#include "platform/Arguments.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args = quillory::ProgramArguments(argc, argv);
    return quillory::RunOddsCommand(args, std::cout, std::cerr);
}
