#include "app/ConsoleOutput.h"

#include "platform/Arguments.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillory {

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

int WriteAnswer(std::string_view program, const std::string& text) {
    AttachToStartingConsole();
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
        std::fflush(stdout) == 0) {
        return 0;
    }
    const int reason = errno != 0 ? errno : EIO;
    WriteError(UsageErrorText(program, std::string("cannot write to standard output: ") +
                                           std::strerror(reason)));
    return 2;
}

void WriteError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace quillory
