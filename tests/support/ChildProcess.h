#pragma once

// Runs a built program as a child process, without a shell, on POSIX systems
// and on Windows alike: the arguments reach it exactly as given (UTF-8 text;
// on Windows through the wide command line), and its standard output and
// error land in files of the caller's folder, which are read back. Standard
// output is kept byte for byte; standard error's line ends are made "\n".
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace quillory::test {

struct ChildRun {
    int status{-1}; // the exit status; -1 when the program could not run or was killed
    std::string out{};
    std::string err{};
};

// Where the child's standard output goes.
enum class ChildOutput { Captured, Closed, File };

struct ChildOptions {
    ChildOutput output{ChildOutput::Captured};
    std::filesystem::path file{}; // for ChildOutput::File: opened for writing as by `>`
};

namespace detail {

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

#ifdef _WIN32
inline std::wstring Wide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

// One argument quoted the way CommandLineToArgvW and the C runtime split it.
inline void AppendQuoted(std::wstring& line, const std::wstring& arg) {
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

inline HANDLE InheritableFile(const std::filesystem::path& path) {
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

inline int Spawn(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::filesystem::path& out, const std::filesystem::path& err,
                 ChildOutput output) {
    std::wstring line;
    AppendQuoted(line, program.wstring());
    for (const std::string& arg : args) {
        line += L' ';
        AppendQuoted(line, Wide(arg));
    }
    const HANDLE outFile =
        output == ChildOutput::Closed ? INVALID_HANDLE_VALUE : InheritableFile(out);
    const HANDLE errFile = InheritableFile(err);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = INVALID_HANDLE_VALUE;
    startup.hStdOutput = outFile;
    startup.hStdError = errFile;
    PROCESS_INFORMATION process{};
    const BOOL started = ::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                          nullptr, nullptr, &startup, &process);
    if (outFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(outFile);
    }
    ::CloseHandle(errFile);
    if (!started) {
        return -1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
#else
inline int Spawn(const std::filesystem::path& program, const std::vector<std::string>& args,
                 const std::filesystem::path& out, const std::filesystem::path& err,
                 ChildOutput output) {
    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies(args);
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output == ChildOutput::Closed) {
        posix_spawn_file_actions_addclose(&actions, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
    }
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const int failed = posix_spawn(&child, name.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return -1;
    }
    int raw = 0;
    if (waitpid(child, &raw, 0) != child || !WIFEXITED(raw)) {
        return -1;
    }
    return WEXITSTATUS(raw);
}
#endif

} // namespace detail

// Text written in text mode as it was before the C runtime wrote it: on
// Windows "\r\n" becomes "\n" again; elsewhere the text is unchanged.
inline std::string TextLines(std::string text) {
#ifdef _WIN32
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
#endif
    return text;
}

// Runs `program` with `args` and waits for it. Its standard input is closed
// (POSIX: inherited); its output and error go to files in `dir`, which are
// read into the result and removed.
inline ChildRun RunChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& dir, const ChildOptions& options = {}) {
    const auto captured = dir / "stdout.captured";
    const auto err = dir / "stderr.captured";
    const auto out = options.output == ChildOutput::File ? options.file : captured;
    ChildRun run;
    run.status = detail::Spawn(program, args, out, err, options.output);
    if (options.output == ChildOutput::Captured) {
        run.out = detail::ReadAll(captured);
    }
    run.err = detail::ReadAll(err);
    run.err = TextLines(std::move(run.err));
    std::error_code ignored;
    std::filesystem::remove(captured, ignored);
    std::filesystem::remove(err, ignored);
    return run;
}

} // namespace quillory::test
