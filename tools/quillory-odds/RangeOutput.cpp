// quillory-odds with ranges: every seat's range, the exact or sampled range
// equity, and one line per seat.
#include "RangeOutput.h"

#include "odds/Labels.h"
#include "platform/NumberText.h"
#include "range/RangeEquity.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <random>

namespace quillory {

namespace {

std::string Percent(double p) {
    return FixedText(p * 100.0, 2) + "%";
}

std::string Labels(const std::vector<Card>& cards, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        text += (i > 0 ? separator : "") + CardLabel(cards[i]);
    }
    return text;
}

std::string JsonLabels(const std::vector<Card>& cards) {
    return cards.empty() ? "[]" : "[\"" + Labels(cards, "\", \"") + "\"]";
}

std::string JsonText(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    }
    return out + "\"";
}

// "16 combos" or "12 combos, 6 weighted".
std::string CombosText(const HandRange& range) {
    const int combos = range.ComboCount();
    std::string text = std::to_string(combos) + (combos == 1 ? " combo" : " combos");
    const double weighted = range.WeightedCount();
    if (std::abs(weighted - combos) > 1e-6) {
        text += ", " + FixedText(weighted, 2) + " weighted";
    }
    return text;
}

std::vector<Card> BoardList(const OddsRequest& r) {
    return {r.board.begin(), r.board.begin() + r.known};
}

std::int64_t Among0Count(const EquityResults& e) {
    return e.method == EquityMethod::Sampled
               ? e.among0Count
               : std::llround(e.among0 * static_cast<double>(e.showdowns));
}

void PrintText(const OddsRequest& r, const EquityResults& e, std::ostream& out) {
    const std::vector<Card> board = BoardList(r);
    out << "Board:           " << (board.empty() ? "none yet (preflop)" : Labels(board, ", "))
        << "\n";
    if (!r.dead.empty()) {
        out << "Dead cards:      " << Labels(r.dead, ", ") << "\n";
    }
    out << "Players:         " << r.players << "\n";
    for (std::size_t s = 0; s < r.seats.size(); ++s) {
        const std::string name = "Seat " + std::to_string(s + 1) + (s == 0 ? " (you):" : ":");
        out << name << std::string(name.size() < 17 ? 17 - name.size() : 1, ' ')
            << FormatRange(r.seats[s]) << " (" << CombosText(r.seats[s]) << "): equity "
            << Percent(e.equity[s]) << ", win " << Percent(e.winAlone[s]) << ", tie "
            << Percent(e.tie[s]) << "\n";
    }
    out << "Winning rate:    " << Percent(e.among0)
        << (e.method == EquityMethod::Exact ? " (exact)" : "") << "\n";
    if (e.method == EquityMethod::Exact) {
        out << "Showdowns:       " << e.showdowns << " counted\n";
    } else {
        out << "Wins:            " << e.among0Count << " of " << e.showdowns << " trials";
        if (r.seeded) {
            out << " (seed " << r.seed << ")";
        }
        out << "\nStandard error:  " << FixedText(e.among0StdError * 100.0, 2)
            << " percentage points (equity " << FixedText(e.equityStdError * 100.0, 2) << ")\n";
    }
    out << "Average rate:    " << AverageWinningRate(r.players) << " (average winning rate for "
        << r.players << " players)\n";
}

void PrintJson(const OddsRequest& r, const EquityResults& e, std::ostream& out) {
    const bool exact = e.method == EquityMethod::Exact;
    const std::string hand = r.seats[0].ComboCount() == 1 && IsRealCard(r.first)
                                 ? JsonLabels({r.first, r.second})
                                 : JsonText(FormatRange(r.seats[0]));
    out << "{\"hand\": " << hand << ", \"known_board\": " << JsonLabels(BoardList(r))
        << ", \"dead\": " << JsonLabels(r.dead) << ", \"players\": " << r.players
        << ", \"trials\": " << e.showdowns << ", \"wins\": " << Among0Count(e)
        << ", \"winning_rate\": \"" << Percent(e.among0)
        << "\", \"probability\": " << FixedText(e.among0, 9)
        << ", \"std_error\": " << FixedText(e.among0StdError, 9) << ", \"average_rate\": \""
        << AverageWinningRate(r.players) << "\", \"exact\": " << (exact ? "true" : "false")
        << ", \"seed\": " << (r.seeded && !exact ? std::to_string(r.seed) : "null")
        << ", \"wins_alone\": null, \"ties\": null"
        << ", \"equity\": " << FixedText(e.equity[0], 9)
        << ", \"win\": " << FixedText(e.winAlone[0], 9) << ", \"tie\": " << FixedText(e.tie[0], 9)
        << ", \"seats\": [";
    for (std::size_t s = 0; s < r.seats.size(); ++s) {
        out << (s > 0 ? ", " : "") << "{\"range\": " << JsonText(FormatRange(r.seats[s]))
            << ", \"combos\": " << r.seats[s].ComboCount()
            << ", \"weighted_combos\": " << FixedText(r.seats[s].WeightedCount(), 6)
            << ", \"equity\": " << FixedText(e.equity[s], 9)
            << ", \"win\": " << FixedText(e.winAlone[s], 9)
            << ", \"tie\": " << FixedText(e.tie[s], 9) << "}";
    }
    out << "]}\n";
}

} // namespace

bool RunRanges(const OddsRequest& r, std::int32_t processors, std::ostream& out,
               std::string& error) {
    EquityRequest request;
    request.seats = r.seats;
    for (std::int32_t i = 0; i < r.known; ++i) {
        request.board.push_back(FreshDeckIndex(r.board[static_cast<std::size_t>(i)]));
    }
    for (const Card& card : r.dead) {
        request.dead.push_back(FreshDeckIndex(card));
    }
    request.method = r.exact ? EquityMethod::Exact : EquityMethod::Sampled;
    request.trials = r.trials;
    // Without --seed the base comes from the system's random source, as for
    // the single-hand estimate.
    request.seed = r.seeded ? r.seed : std::random_device{}();
    // Threads beyond the processors do not shorten an exact run's estimate.
    request.threads = r.exact ? std::clamp(r.threads, 1, processors) : r.threads;
    EquityResults results;
    const EquityProblem problem = CalculateEquity(request, results);
    if (problem.kind == EquityProblemKind::ExactTooLong) {
        const std::string time = problem.exactSeconds < 1.0e6
                                     ? "about " + FixedText(problem.exactSeconds, 0) + " seconds"
                                     : "far too long";
        error = "--exact would take " + time +
                " here; leave out --exact for a Monte Carlo estimate, with --trials for its length";
        return false;
    }
    if (problem.kind != EquityProblemKind::None) {
        error = problem.Message();
        return false;
    }
    if (r.json) {
        PrintJson(r, results, out);
    } else {
        PrintText(r, results, out);
    }
    return true;
}

} // namespace quillory
