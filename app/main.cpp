#include "app/CallAdvisorApp.h"
#include "app/CommandLine.h"
#include "app/ConsoleOutput.h"
#include "app/DrillApp.h"
#include "app/EquityApp.h"
#include "app/PlatformCheck.h"
#include "app/TrainerApp.h"
#include "platform/Arguments.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr const char* kProgram = "quillory";
constexpr int kExitBadUse = 2;

// Builds the application object with the one id the desktop knows the program
// by: the desktop entry, the AppStream data and the icon carry the same name.
int RunWindow(int argc, char* argv[], const quillory::ProgramCommand& command) {
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUILLORY_APP_ID));
    if (command.action == quillory::ProgramCommand::Action::CallAdvisor) {
        return quillory::RunCallAdvisorApp(command.rate, command.callers);
    }
    if (command.action == quillory::ProgramCommand::Action::Drill) {
        return quillory::RunDrillApp();
    }
    if (command.action == quillory::ProgramCommand::Action::Equity) {
        return quillory::RunEquityApp();
    }
    return quillory::RunTrainerApp();
}

} // namespace

int main(int argc, char* argv[]) {
    // Answers that need no window, and so no display, come first.
    const std::vector<std::string> text = quillory::ProgramArguments(argc, argv);
    const std::vector<std::string_view> args = quillory::ArgumentViews(text);
    quillory::ProgramCommand command;
    std::string error;
    if (!quillory::ParseProgramCommandLine(args, command, error)) {
        quillory::AttachToStartingConsole();
        quillory::WriteError(quillory::UsageErrorText(kProgram, error));
        return kExitBadUse;
    }
#ifndef _WIN32
    // A report written into a pipe whose reader has gone must fail with a
    // message, not end the window.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    switch (command.action) {
    case quillory::ProgramCommand::Action::Version:
        return quillory::WriteAnswer(kProgram, quillory::ProgramVersion());
    case quillory::ProgramCommand::Action::Help:
        return quillory::WriteAnswer(kProgram, quillory::ProgramUsage());
    case quillory::ProgramCommand::Action::CallAdvisor:
    case quillory::ProgramCommand::Action::Drill:
    case quillory::ProgramCommand::Action::Equity:
    case quillory::ProgramCommand::Action::MainWindow:
        break;
    }
    if (!quillory::CheckPlatform(command, error)) {
        quillory::AttachToStartingConsole();
        quillory::WriteError(quillory::UsageErrorText(kProgram, error));
        return kExitBadUse;
    }
    return RunWindow(argc, argv, command);
}
