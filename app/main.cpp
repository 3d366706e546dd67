#include "app/CallAdvisorApp.h"
#include "app/CommandLine.h"
#include "app/TrainerApp.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* kProduct = "Quillory Application";
constexpr int kExitBadUse = 2;

// A windowed program on Windows has no console of its own; unless they are
// redirected, its answers and its complaints about the command line go to the
// console it was started from.
void AttachToStartingConsole() {
#ifdef _WIN32
    const auto missing = [](DWORD which) {
        const HANDLE handle = ::GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool noOutput = missing(STD_OUTPUT_HANDLE);
    const bool noErrors = missing(STD_ERROR_HANDLE);
    if ((noOutput || noErrors) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        if (noOutput) {
            std::freopen("CONOUT$", "w", stdout);
        }
        if (noErrors) {
            std::freopen("CONOUT$", "w", stderr);
        }
    }
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    // Answers that need no window, and so no display, come first.
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    quillory::ProgramCommand command;
    std::string error;
    if (!quillory::ParseProgramCommandLine(args, command, error)) {
        AttachToStartingConsole();
        std::fprintf(stderr, "quillory: %s\nTry 'quillory --help'.\n", error.c_str());
        return kExitBadUse;
    }
#ifndef _WIN32
    // A report written into a pipe whose reader has gone must fail with a
    // message, not end the window.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    switch (command.action) {
    case quillory::ProgramCommand::Action::Version:
        AttachToStartingConsole();
        std::printf("%s %s\n", kProduct, QUILLORY_VERSION);
        return 0;
    case quillory::ProgramCommand::Action::Help:
        AttachToStartingConsole();
        std::fputs(quillory::ProgramUsage().c_str(), stdout);
        return 0;
    case quillory::ProgramCommand::Action::CallAdvisor: {
        QApplication application(argc, argv);
        return quillory::RunCallAdvisorApp(command.rate, command.callers);
    }
    case quillory::ProgramCommand::Action::MainWindow:
        break;
    }
    QApplication application(argc, argv);
    return quillory::RunTrainerApp();
}
