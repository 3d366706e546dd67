// The console launcher of a windowed program: quillory.com beside
// quillory.exe. A windowed program started from a console runs detached: the
// console does not wait for it and never sees its exit status. Typed as
// `quillory`, the console finds the .com first; it starts the .exe of the same
// name with the same arguments and the console's standard handles, waits, and
// ends with the program's exit status, so `quillory --version` prints its line
// and `quillory --bogus` leaves status 2 in %ERRORLEVEL%.
#include <cstdio>
#include <string>
#include <windows.h>

namespace {

constexpr int kCannotStart = 2;

// This program's own file name.
std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The windowed program: the same name with the extension .exe.
std::wstring TargetPath(std::wstring path) {
    const auto slash = path.find_last_of(L"\\/");
    const auto dot = path.find_last_of(L'.');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) {
        path.resize(dot);
    }
    return path + L".exe";
}

// The command line after the program's own name, exactly as typed (the
// blank before the first argument included).
const wchar_t* ArgumentsOf(const wchar_t* line) {
    bool quoted = false;
    for (; *line != L'\0'; ++line) {
        if (*line == L'"') {
            quoted = !quoted;
        } else if (!quoted && (*line == L' ' || *line == L'\t')) {
            break;
        }
    }
    return line;
}

} // namespace

int main() {
    const std::wstring target = TargetPath(OwnPath());
    std::wstring line = L"\"" + target + L"\"" + ArgumentsOf(::GetCommandLineW());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(target.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        std::fprintf(stderr, "cannot start \"%ls\" (error %lu)\n", target.c_str(),
                     ::GetLastError());
        return kCannotStart;
    }
    // Ctrl-C reaches both programs through the console; the launcher stays to
    // pass on the program's status.
    ::SetConsoleCtrlHandler(nullptr, TRUE);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = kCannotStart;
    ::GetExitCodeProcess(process.hProcess, &status);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
