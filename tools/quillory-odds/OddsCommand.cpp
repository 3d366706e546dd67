// quillory-odds: runs the window's estimate (or the exact enumeration) for the
// cards given on the command line and prints it for a person or as JSON.
#include "OddsCommand.h"

#include "RangeOutput.h"
#include "odds/ExactOdds.h"
#include "odds/Labels.h"
#include "platform/Arguments.h"
#include "platform/TickCount.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <ostream>
#include <random>
#include <thread>
#include <vector>

#ifndef QUILLORY_VERSION
#define QUILLORY_VERSION "unknown"
#endif

namespace quillory {

namespace {

constexpr const char* kUsage =
    R"(Usage: quillory-odds HOLE [--vs RANGE]... [--board CARDS] [--dead CARDS]
                     [--players N] [--trials T] [--seed S] [--threads K]
                     [--exact] [--json]

Estimates the chance that a Texas hold'em hand wins at the showdown, the same
Monte Carlo estimate the Quillory window shows: the unknown board cards and the
opponents' cards are dealt at random and a trial counts when your hand is among
the winners (a split pot counts as a win).

Cards are rank then suit, case-insensitive, with or without blanks or commas
between them: ranks A 2-9 T (or 10) J Q K, suits s h c d.
  quillory-odds AsKd
  quillory-odds "10h Jh" --board Qh,Kh,2c --players 6

With ranges, HOLE may be a range too and each --vs gives one opponent's range;
each seat's line shows its range as understood, its combos, equity (a split
pot counts 1/k), win alone and tie. Ranges: comma-separated TT, TT+, TT-66,
AKs, AKo, AK, A9s+, A5s-A2s, AhKh, random, 15%, and a weight as AKo:0.5.
  quillory-odds AKs --vs "QQ+"
  quillory-odds AA --vs "QQ+, AK" --players 3 --board Kd7c2h --exact

Options (a value follows as --name=VALUE or --name VALUE; -- ends the options):
  --board CARDS  the known board: 3 (flop), 4 (turn) or 5 (river) cards
  --vs RANGE     one opponent's range; give it once per opponent
  --dead CARDS   cards out of play: no seat holds them, the board never shows them
  --players N    players at the table including you, 2 to 10 (default 4, or
                 1 + the number of --vs); seats without --vs hold random cards
  --trials T     number of trials, 1 to 100000000 (default 10000 / players;
                 1000000 with ranges)
  --seed S       repeatable run: trial t uses seed S + t (default: a random S)
  --threads K    worker threads, 1 to 256 (default: the processors); the
                 results are the same for every K
  --exact        count every deal instead of sampling; runs that would take
                 more than a few seconds are refused
  --json         print one JSON object instead of text
  --help         show this help
  --version      show the version

Exit status: 0 done, 2 bad input or output that cannot be written.
)";

constexpr const char* kProgram = "quillory-odds";

// What the command found, by sampling or by enumeration.
struct Outcome {
    std::int64_t trials{0}; // trials run, or showdowns counted
    std::int64_t wins{0};   // of those, seat 0 among the winners
    std::optional<std::int64_t> winsAlone{};
    std::optional<std::int64_t> ties{};
    double probability{0.0};
    double stdError{0.0};
};

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string LabelList(const Card* cards, std::int32_t count, const char* separator) {
    std::string text;
    for (std::int32_t i = 0; i < count; ++i) {
        text += (i > 0 ? separator : "") + CardLabel(cards[i]);
    }
    return text;
}

std::string JsonLabels(const Card* cards, std::int32_t count) {
    return count == 0 ? "[]" : "[\"" + LabelList(cards, count, "\", \"") + "\"]";
}

// The winning-rate text of the window ("49.36%"), for counts of any size.
std::string RateText(const Outcome& o) {
    return Format("%.02f%%", static_cast<double>(o.wins) * 100.0 / static_cast<double>(o.trials));
}

std::string JsonCount(const std::optional<std::int64_t>& value) {
    return value ? std::to_string(*value) : "null";
}

void PrintJson(const OddsRequest& r, const Outcome& o, std::ostream& out) {
    const Card hole[2] = {r.first, r.second};
    out << "{\"hand\": " << JsonLabels(hole, 2)
        << ", \"known_board\": " << JsonLabels(r.board.data(), r.known)
        << ", \"players\": " << r.players << ", \"trials\": " << o.trials
        << ", \"wins\": " << o.wins << ", \"winning_rate\": \"" << RateText(o)
        << "\", \"probability\": " << Format("%.9f", o.probability)
        << ", \"std_error\": " << Format("%.9f", o.stdError) << ", \"average_rate\": \""
        << AverageWinningRate(r.players) << "\", \"exact\": " << (r.exact ? "true" : "false")
        << ", \"seed\": " << (r.seeded ? std::to_string(r.seed) : "null")
        << ", \"wins_alone\": " << JsonCount(o.winsAlone) << ", \"ties\": " << JsonCount(o.ties)
        << "}\n";
}

void PrintText(const OddsRequest& r, const Outcome& o, std::ostream& out) {
    const Card hole[2] = {r.first, r.second};
    const std::string rate = RateText(o);
    out << "Hand:            " << LabelList(hole, 2, ", ") << "\n"
        << "Board:           "
        << (r.known == 0 ? "none yet (preflop)" : LabelList(r.board.data(), r.known, ", ")) << "\n"
        << "Players:         " << r.players << "\n";
    if (r.exact) {
        const double total = static_cast<double>(o.trials);
        out << "Winning rate:    " << rate << " (exact)\n"
            << "Wins:            " << o.wins << " of " << o.trials
            << " showdowns: " << Format("%.2f%%", static_cast<double>(*o.winsAlone) * 100.0 / total)
            << " alone, " << Format("%.2f%%", static_cast<double>(*o.ties) * 100.0 / total)
            << " tied\n";
    } else {
        out << "Winning rate:    " << rate << "\n"
            << "Wins:            " << o.wins << " of " << o.trials << " trials";
        if (r.seeded) {
            out << " (seed " << r.seed << ")";
        }
        out << "\n"
            << "Standard error:  " << Format("%.2f", o.stdError * 100.0) << " percentage points\n";
    }
    out << "Average rate:    " << AverageWinningRate(r.players) << " (average winning rate for "
        << r.players << " players)\n";
}

// The exact count, or a message when it would take too long.
bool RunExact(const OddsRequest& r, Outcome& o, std::string& error) {
    // Threads beyond the processors do not shorten the run.
    const std::int32_t working = std::clamp(r.threads, 1, DefaultOddsThreads());
    const double seconds = ExactSecondsEstimate(r.first, r.second, r.known, r.board, r.players) /
                           static_cast<double>(working);
    if (seconds > kExactSecondsLimit) {
        const double count = ExactShowdownCount(r.known, r.players);
        const std::string shown =
            count < 9.0e15 ? Format("%.0f", count) : "about " + Format("%.2g", count);
        const std::string time =
            seconds < 1.0e6 ? "about " + Format("%.0f", seconds) + " seconds" : "far too long";
        error = "--exact would take " + time + " here (" + shown +
                " showdowns); leave out --exact for a Monte Carlo estimate, with --trials for "
                "its length";
        return false;
    }
    ExactOdds exact;
    EnumerateExactOdds(r.first, r.second, r.known, r.board, r.players, exact, r.threads);
    o.trials = static_cast<std::int64_t>(exact.showdowns);
    o.wins = static_cast<std::int64_t>(exact.Wins());
    o.winsAlone = static_cast<std::int64_t>(exact.winsAlone);
    o.ties = static_cast<std::int64_t>(exact.ties);
    o.probability = exact.Probability();
    return true;
}

// Trials per worker below which more threads only add start-up time.
constexpr std::int32_t kTrialsPerThread = 20000;

void RunSampled(const OddsRequest& r, Outcome& o) {
    // Without --seed the base comes from the system's random source, as in
    // quillory-report: the tick count is the same for runs started in the same
    // millisecond, and near zero in every new process on some systems, so two
    // runs started together would repeat each other.
    const SeedSource seeds = SeedSource::Fixed(r.seeded ? r.seed : std::random_device{}());
    // Trial t is seeded with base + t wherever it runs, so the split into
    // ranges does not change the count.
    const std::int32_t threads = std::clamp(r.trials / kTrialsPerThread, 1, std::max(r.threads, 1));
    std::vector<std::int32_t> wins(static_cast<std::size_t>(threads), 0);
    auto work = [&](std::int32_t w) {
        const std::int64_t begin = std::int64_t{r.trials} * w / threads;
        const std::int64_t end = std::int64_t{r.trials} * (w + 1) / threads;
        wins[static_cast<std::size_t>(w)] =
            EstimateWinsOfTrials(r.first, r.second, r.known, r.board, r.players, begin,
                                 static_cast<std::int32_t>(end - begin), seeds);
    };
    std::vector<std::thread> workers;
    for (std::int32_t w = 1; w < threads; ++w) {
        workers.emplace_back(work, w);
    }
    work(0);
    for (std::thread& t : workers) {
        t.join();
    }
    std::int64_t total = 0;
    for (const std::int32_t w : wins) {
        total += w;
    }
    o.trials = r.trials;
    o.wins = total;
    o.probability = static_cast<double>(total) / static_cast<double>(r.trials);
    o.stdError = std::sqrt(o.probability * (1.0 - o.probability) / static_cast<double>(r.trials));
}

// Flushes the output and turns a failed write (a closed or full standard
// output) into a message; `out` went bad or errno tells why.
int Finish(std::ostream& out, std::ostream& err) {
    out.flush();
    if (out.good()) {
        return 0;
    }
    const int reason = errno;
    std::string message = "cannot write to standard output";
    if (reason != 0) {
        message += std::string(": ") + std::strerror(reason);
    }
    err << UsageErrorText(kProgram, message);
    return 2;
}

} // namespace

std::int32_t DefaultOddsThreads() {
    const auto processors = static_cast<std::int32_t>(std::thread::hardware_concurrency());
    return std::clamp(processors, 1, kMaxThreads);
}

std::string OddsVersion() {
    return std::string(kProgram) + " (Quillory) " + QUILLORY_VERSION + "\n";
}

int RunOddsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    errno = 0;
    const OddsArguments parsed = ParseOddsArguments(args);
    if (parsed.action == OddsAction::Help) {
        out << kUsage;
        return Finish(out, err);
    }
    if (parsed.action == OddsAction::Version) {
        out << OddsVersion();
        return Finish(out, err);
    }
    std::string error = parsed.error;
    if (error.empty() && parsed.request.ranges) {
        errno = 0;
        if (RunRanges(parsed.request, DefaultOddsThreads(), out, error)) {
            return Finish(out, err);
        }
        err << UsageErrorText(kProgram, error);
        return 2;
    }
    Outcome outcome;
    if (error.empty() && parsed.request.exact) {
        RunExact(parsed.request, outcome, error);
    } else if (error.empty()) {
        RunSampled(parsed.request, outcome);
    }
    if (!error.empty()) {
        err << UsageErrorText(kProgram, error);
        return 2;
    }
    errno = 0;
    if (parsed.request.json) {
        PrintJson(parsed.request, outcome, out);
    } else {
        PrintText(parsed.request, outcome, out);
    }
    return Finish(out, err);
}

} // namespace quillory
