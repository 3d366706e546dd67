#pragma once

#include "odds/Estimator.h"
#include "range/HandRange.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace quillory {

// The command line of quillory-odds:
//   quillory-odds HAND [--vs RANGE]... [--players N] [--board CARDS]
//                 [--dead CARDS] [--exact] [--trials T] [--seed S]
//                 [--threads K] [--json]
// HAND is two cards or a range (range/HandRange.h); each --vs adds one
// opponent seat and may be given again; the seats --players adds beyond them
// hold random cards.
// The conventions of platform/Arguments.h: values as the next argument or
// after '=', "--" ends the options. Every option may be given once. Without
// --seed the seed base is drawn from the system's random source. The results
// do not depend on --threads. Exit status:
// 0 done, 2 bad input or output that cannot be written (one line on stderr,
// then "Try 'quillory-odds --help'.").

inline constexpr std::int32_t kDefaultPlayers = 4;
inline constexpr std::int32_t kMaxTrials = 100'000'000;
inline constexpr std::int32_t kMaxThreads = 256;
// Trials of a range run without --trials.
inline constexpr std::int32_t kRangeTrials = 1'000'000;

// The processors of the machine (at least 1, at most kMaxThreads).
std::int32_t DefaultOddsThreads();

enum class OddsAction { Estimate, Help, Version };

// A checked request: two distinct real hole cards, 0 or 3 to 5 known board
// cards distinct from them and from each other, 2 to 10 players, 1 to
// kMaxTrials trials.
struct OddsRequest {
    Card first{};
    Card second{};
    BoardCards board{};
    std::int32_t known{0};
    std::int32_t players{kDefaultPlayers};
    std::int32_t trials{0}; // TrialCount(players) unless --trials was given
    bool seeded{false};     // --seed given: trial t uses seed + t
    std::uint32_t seed{0};
    std::int32_t threads{1}; // worker threads; the default is the processors
    bool exact{false};
    bool json{false};
    // Ranges: set when --vs or --dead is given or the hand is a range. Then
    // `seats` holds every seat's range, seat 0 (the hand) first, and `first`
    // and `second` are set only when the hand is two cards.
    bool ranges{false};
    std::vector<HandRange> seats{};
    std::vector<Card> dead{};
};

struct OddsArguments {
    OddsAction action{OddsAction::Estimate};
    OddsRequest request{};
    std::string error{}; // empty when the arguments are good
};

// Parses the arguments after the program name. Never throws.
OddsArguments ParseOddsArguments(const std::vector<std::string>& args);

// The text of --version: "quillory-odds (Quillory) 1.0.0.1".
std::string OddsVersion();

// Runs the whole command: parses, estimates (or enumerates) and prints to
// `out`, or prints one line to `err`. Returns the exit status.
int RunOddsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace quillory
