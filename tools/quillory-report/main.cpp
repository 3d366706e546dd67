// quillory-report: writes the hand-statistics report from the shell. See
// ReportUsage() for the options and exit statuses.
#include "CommandLine.h"
#include "files/AtomicFile.h"
#include "platform/Arguments.h"
#include "platform/MessageText.h"
#include "report/HeatMap.h"
#include "report/ReportFormat.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define QUILLORY_ISATTY _isatty
#define QUILLORY_FILENO _fileno
#else
#include <unistd.h>
#define QUILLORY_ISATTY ::isatty
#define QUILLORY_FILENO fileno
#endif

namespace {

constexpr int kExitBadUse = 2;

// The signal that asked us to stop (SIGINT, SIGTERM or SIGHUP), or 0.
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int signal) {
    g_interrupted = signal;
    // A second signal ends the program at once.
    std::signal(signal, SIG_DFL);
}

// Stops the run cleanly on Ctrl-C, a termination request or a closed
// terminal, so that no temporary file is left behind. A signal that was
// ignored when we started (a background job of a non-interactive shell) stays
// ignored. The handler does not restart interrupted calls, so a wait for a
// FIFO's reader ends too.
void CatchInterrupts() {
#ifdef _WIN32
    for (const int signal : {SIGINT, SIGTERM}) {
        if (std::signal(signal, OnInterrupt) == SIG_IGN) {
            std::signal(signal, SIG_IGN);
        }
    }
#else
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        struct sigaction previous {};
        action.sa_handler = OnInterrupt;
        sigemptyset(&action.sa_mask);
        if (sigaction(signal, &action, &previous) == 0 && previous.sa_handler == SIG_IGN) {
            sigaction(signal, &previous, nullptr);
        }
    }
#endif
}

// The conventional exit status of a program stopped by a signal.
int InterruptedStatus() {
    return 128 + static_cast<int>(g_interrupted);
}

// Shows "quillory-report: 42% of 100000 deals" on one terminal line.
class ProgressLine {
public:
    explicit ProgressLine(bool shown) : m_shown(shown) {}

    bool Update(std::int64_t done, std::int64_t total) {
        if (m_shown && total > 0) {
            const auto percent = static_cast<int>(done * 100 / total);
            if (percent != m_percent) {
                m_percent = percent;
                std::fprintf(stderr, "\rquillory-report: %3d%% of %lld deals", percent,
                             static_cast<long long>(total));
                std::fflush(stderr);
            }
        }
        return g_interrupted == 0;
    }

    void Clear() {
        if (m_shown && m_percent >= 0) {
            std::fprintf(stderr, "\r%*s\r", 50, "");
            std::fflush(stderr);
        }
    }

private:
    bool m_shown{};
    int m_percent{-1};
};

constexpr const char* kProgram = "quillory-report";

// Every message ends the program: with status 2 it is followed by the hint to
// --help. A message may name a path the user gave, so its control characters
// are escaped before it reaches the terminal.
int Fail(const std::string& message, int status) {
    if (status == kExitBadUse) {
        std::fputs(quillory::UsageErrorText(kProgram, message).c_str(), stderr);
    } else {
        std::fprintf(stderr, "%s: %s\n", kProgram, quillory::PrintableText(message).c_str());
    }
    return status;
}

// Writes all of `text` to standard output; a closed or full output is an
// error, never a silent success. `note` ends the message.
int WriteAll(const std::string& text, const std::string& note = "") {
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        const int error = errno != 0 ? errno : EIO;
        return Fail(std::string("cannot write to standard output: ") + std::strerror(error) + note,
                    kExitBadUse);
    }
    return 0;
}

// True when both paths name one existing file, whatever their spelling
// (links, "..", a second hard link).
bool SameExistingFile(const std::string& a, const std::string& b) {
    std::error_code ignored;
    return std::filesystem::equivalent(quillory::PathFromUtf8(a), quillory::PathFromUtf8(b),
                                       ignored);
}

// Where the report and the picture go: files are opened before the deals are
// simulated, so an unwritable path fails at once, and each is replaced only
// by a complete new version.
class Targets {
public:
    // False, with the message in `error`, when a file cannot be written or
    // both outputs are one file.
    bool Open(const quillory::ReportCommand& command, std::string& error) {
        if (!command.ToStandardOutput()) {
            m_report.emplace(quillory::PathFromUtf8(command.output));
            if (!m_report->Open()) {
                error = m_report->Error();
                return false;
            }
        }
        if (command.picture.empty() || command.PictureToStandardOutput()) {
            return true;
        }
        // After the report's Open(), which may have made its file through a
        // dangling link.
        if (!command.ToStandardOutput() && SameExistingFile(command.output, command.picture)) {
            error = "the report and the picture would both be written to \"" + command.picture +
                    "\" (the same file as \"" + command.output + "\")";
            return false;
        }
        m_picture.emplace(quillory::PathFromUtf8(command.picture));
        if (!m_picture->Open()) {
            error = m_picture->Error();
            return false;
        }
        return true;
    }

    // Writes the report (to its file or standard output), then the picture.
    int Write(const quillory::ReportCommand& command, const quillory::HandStatistics& statistics) {
        const std::string report = quillory::FormatReport(statistics);
        if (!m_report) {
            if (const int status = WriteAll(report); status != 0) {
                return status;
            }
        } else if (!m_report->Write(report) || !m_report->Commit()) {
            return Fail(m_report->Error(), kExitBadUse);
        }
        if (command.picture.empty()) {
            return 0;
        }
        const std::string picture = quillory::RenderHeatMapSvg(
            quillory::BuildHeatMap(statistics, command.pictureTableSize, command.pictureHoleCards));
        const std::string written = m_report ? "\"" + command.output + "\"" : "standard output";
        if (!m_picture) {
            // To standard output, so the report went to its file.
            if (WriteAll(picture, "; the report was written to " + written) != 0) {
                return kExitBadUse;
            }
        } else if (!m_picture->Write(picture) || !m_picture->Commit()) {
            return Fail(m_picture->Error() + "; the report was written to " + written, kExitBadUse);
        }
        return 0;
    }

private:
    std::optional<quillory::AtomicFile> m_report{};
    std::optional<quillory::AtomicFile> m_picture{};
};

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> text = quillory::ProgramArguments(argc, argv);
    const std::vector<std::string_view> args = quillory::ArgumentViews(text);
    quillory::ReportCommand command;
    std::string error;
    if (!quillory::ParseReportCommandLine(args, command, error)) {
        return Fail(error, kExitBadUse);
    }
    if (command.action == quillory::ReportCommand::Action::Help) {
        return WriteAll(quillory::ReportUsage());
    }
    if (command.action == quillory::ReportCommand::Action::Version) {
        return WriteAll(quillory::ReportVersion());
    }

    CatchInterrupts();
#ifdef _WIN32
    // The report's lines end in "\n" on every system.
    _setmode(_fileno(stdout), _O_BINARY);
#else
    // A file-size limit then shows as a write error rather than killing us.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    if (!command.options.seed) {
        // The tick count starts near zero in every new process, so it would
        // give nearly the same seeds on every run; draw the base instead.
        command.options.seed = std::random_device{}();
    }

    ProgressLine progress(QUILLORY_ISATTY(QUILLORY_FILENO(stderr)) != 0);
    command.options.progress = [&progress](std::int64_t done, std::int64_t total) {
        return progress.Update(done, total);
    };

    // Opening waits for a FIFO's reader, which a signal ends as it ends the run.
    Targets targets;
    if (!targets.Open(command, error) && g_interrupted == 0) {
        return Fail(error, kExitBadUse);
    }
    quillory::HandStatistics statistics;
    const bool completed =
        g_interrupted == 0 && quillory::SimulateDeals(command.options, statistics);
    progress.Clear();
    if (!completed || g_interrupted != 0) {
        // The targets' destructors drop what was begun; files stay as they were.
        const std::string left = command.ToStandardOutput()
                                     ? "nothing written"
                                     : "\"" + command.output + "\" left as it was";
        return Fail("interrupted; " + left, InterruptedStatus());
    }
    return targets.Write(command, statistics);
}
