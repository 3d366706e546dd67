#include "app/TrainerApp.h"

#include <QApplication>
#include <cstdio>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* kProduct = "Quillory Application";

// A windowed program on Windows has no console of its own; unless its output
// is redirected, the answers to --version and --help go to the console it
// was started from.
void AttachToStartingConsole() {
#ifdef _WIN32
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && ::AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
    }
#endif
}

void PrintUsage() {
    std::printf("Usage: quillory [--version] [--help] [Qt options]\n"
                "Opens the Quillory window. Press F1 in the window for help.\n"
                "Settings are kept per user under \"Morvelle Software\", section \"Setting\".\n");
}

} // namespace

int main(int argc, char* argv[]) {
    // Answers that need no window, and so no display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--version" || argument == "-v") {
            AttachToStartingConsole();
            std::printf("%s %s\n", kProduct, QUILLORY_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            AttachToStartingConsole();
            PrintUsage();
            return 0;
        }
    }
    QApplication application(argc, argv);
    return quillory::RunTrainerApp();
}
