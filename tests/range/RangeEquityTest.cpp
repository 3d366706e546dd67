#include "range/RangeEquity.h"

#include "engine/FastEval.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillory {
namespace {

HandRange R(std::string_view text) {
    HandRange range;
    RangeError error;
    EXPECT_TRUE(ParseRange(text, range, error)) << error.Message();
    return range;
}

int CardIndex(std::string_view name) {
    const std::string ranks = "A23456789TJQK";
    const std::string suits = "shcd";
    return 4 * static_cast<int>(ranks.find(name[0])) + static_cast<int>(suits.find(name[1]));
}

std::vector<int> Cards(std::initializer_list<std::string_view> names) {
    std::vector<int> cards;
    for (const std::string_view n : names) {
        cards.push_back(CardIndex(n));
    }
    return cards;
}

// An independent count: every assignment of combos and every completion of
// the board, one at a time, scored by the table-free evaluation.
EquityResults BruteForce(const EquityRequest& request) {
    const int seats = static_cast<int>(request.seats.size());
    std::uint64_t taken = 0;
    for (const int c : request.board) {
        taken |= std::uint64_t{1} << c;
    }
    for (const int c : request.dead) {
        taken |= std::uint64_t{1} << c;
    }
    std::vector<int> free;
    for (int c = 0; c < kDeckSize; ++c) {
        if (((taken >> c) & 1U) == 0) {
            free.push_back(c);
        }
    }
    const int missing = 5 - static_cast<int>(request.board.size());
    double total = 0;
    std::array<double, kMaxRangeSeats> win{}, tie{}, eq{};
    std::vector<int> combo(static_cast<std::size_t>(seats), 0);
    // Assignments by recursion, boards by index tuples.
    std::function<void(int, std::uint64_t, double)> assign = [&](int seat, std::uint64_t used,
                                                                 double weight) {
        if (seat < seats) {
            for (int c = 0; c < kComboCount; ++c) {
                const double w = request.seats[static_cast<std::size_t>(seat)].Weight(c);
                const ComboCards cc = CardsOfCombo(c);
                const std::uint64_t m =
                    (std::uint64_t{1} << cc.low) | (std::uint64_t{1} << cc.high);
                if (w > 0 && (m & used) == 0) {
                    combo[static_cast<std::size_t>(seat)] = c;
                    assign(seat + 1, used | m, weight * w);
                }
            }
            return;
        }
        std::vector<int> pick(static_cast<std::size_t>(missing));
        std::function<void(int, int)> complete = [&](int depth, int from) {
            if (depth == missing) {
                HandMasks board{};
                for (const int c : request.board) {
                    board.AddIndex(c);
                }
                for (const int c : pick) {
                    board.AddIndex(c);
                }
                std::vector<HandStrength> s(static_cast<std::size_t>(seats));
                HandStrength best = 0;
                for (int i = 0; i < seats; ++i) {
                    HandMasks h = board;
                    const ComboCards cc = CardsOfCombo(combo[static_cast<std::size_t>(i)]);
                    h.AddIndex(cc.low);
                    h.AddIndex(cc.high);
                    s[static_cast<std::size_t>(i)] = h.EvaluateByBits();
                    best = std::max(best, s[static_cast<std::size_t>(i)]);
                }
                const auto k = std::count(s.begin(), s.end(), best);
                for (std::size_t i = 0; i < s.size(); ++i) {
                    if (s[i] == best) {
                        (k == 1 ? win : tie)[i] += weight;
                        eq[i] += weight / static_cast<double>(k);
                    }
                }
                total += weight;
                return;
            }
            for (std::size_t j = static_cast<std::size_t>(from); j < free.size(); ++j) {
                if (((used >> free[j]) & 1U) == 0) {
                    pick[static_cast<std::size_t>(depth)] = free[j];
                    complete(depth + 1, static_cast<int>(j) + 1);
                }
            }
        };
        complete(0, 0);
    };
    assign(0, taken, 1.0);
    EquityResults r;
    r.seats = seats;
    for (int i = 0; i < seats; ++i) {
        r.winAlone[static_cast<std::size_t>(i)] = win[static_cast<std::size_t>(i)] / total;
        r.tie[static_cast<std::size_t>(i)] = tie[static_cast<std::size_t>(i)] / total;
        r.equity[static_cast<std::size_t>(i)] = eq[static_cast<std::size_t>(i)] / total;
    }
    return r;
}

EquityResults Calculate(EquityRequest request, EquityMethod method, int threads = 1) {
    request.method = method;
    request.threads = threads;
    EquityResults results;
    const EquityProblem problem = CalculateEquity(request, results);
    EXPECT_EQ(problem.kind, EquityProblemKind::None) << problem.Message();
    return results;
}

// A request's seats, known board and dead cards.
struct Spot {
    std::vector<HandRange> seats;
    std::vector<int> board;
    std::vector<int> dead;

    EquityRequest Request() const {
        EquityRequest request;
        request.seats = seats;
        request.board = board;
        request.dead = dead;
        return request;
    }
};

TEST(RangeEquity, ExactMatchesABruteForceCount) {
    const Spot cases[] = {
        {{R("AA,KK"), R("QQ+,AKs:0.5")}, Cards({"Kd", "7c", "2h"}), Cards({"Qs"})},
        {{R("AhKh"), R("random")}, Cards({"Qh", "Jh", "2c", "3d"}), {}},
        {{R("AhKh"), R("random")}, Cards({"Qh", "Jh", "2c", "3d"}), Cards({"Th"})},
        {{R("JJ+:0.3,AKs"), R("TT,AK:0.75,T9s")}, Cards({"9h", "8h", "2c"}), {}},
        {{R("AA,KK"), R("AA,KK,AK"), R("AK,KQ")}, Cards({"2c", "7d", "9h", "Ts"}), {}},
        // A weighted last seat whose combos meet the other seats' cards, and
        // four seats (the last seat's combos taken out card by card).
        {{R("AK,KQs"), R("random"), R("QQ+:0.4,AJs:0.7,KQ")},
         Cards({"Kh", "Th", "3h", "2d"}),
         Cards({"Qs"})},
        {{R("AA,KK"), R("KK,QQ"), R("AK:0.5"), R("AK,QQ,KQs")},
         Cards({"2c", "7d", "9h", "Ts"}),
         {}},
        {{R("22,A5s:0.5"), R("77-55"), R("random")},
         Cards({"2c", "7d", "9h", "5s", "Kd"}),
         Cards({"Ah"})},
    };
    for (const Spot& c : cases) {
        EquityRequest request = c.Request();
        const EquityResults exact = Calculate(request, EquityMethod::Exact);
        const EquityResults brute = BruteForce(request);
        double sum = 0;
        for (std::size_t s = 0; s < c.seats.size(); ++s) {
            EXPECT_NEAR(exact.winAlone[s], brute.winAlone[s], 1e-9) << FormatRange(c.seats[s]);
            EXPECT_NEAR(exact.tie[s], brute.tie[s], 1e-9) << FormatRange(c.seats[s]);
            EXPECT_NEAR(exact.equity[s], brute.equity[s], 1e-9) << FormatRange(c.seats[s]);
            sum += exact.equity[s];
        }
        EXPECT_NEAR(sum, 1.0, 1e-9);
        EXPECT_NEAR(exact.among0, exact.winAlone[0] + exact.tie[0], 1e-12);
        // The same sums in the same order whatever the threads.
        const EquityResults threaded = Calculate(request, EquityMethod::Exact, 3);
        EXPECT_EQ(threaded.equity, exact.equity);
    }
}

TEST(RangeEquity, HeadsUpPreflopSumsTheMatchupTable) {
    // Figures of the enumeration of every board (before the table was used
    // here): the table's sums must give the same showdowns and shares.
    struct Case {
        const char* first;
        const char* second;
        std::int64_t showdowns;
        double win0, tie0, equity0, win1;
    };
    const Case cases[] = {
        {"AKs", "QQ+", 82'190'592, 0.342175659229, 0.007368434577, 0.345859876517, 0.650455906194},
        {"JJ+:0.3,AKs", "TT,AK:0.75,T9s", 1'034'231'616, 0.599266823133, 0.122218737170,
         0.660376191718, 0.278514439697},
        {"22,A5s:0.5,KhQh", "random", 23'073'296'400, 0.527608572017, 0.023117009294,
         0.539167076664, 0.449274418688},
    };
    for (const Case& c : cases) {
        EquityRequest request;
        request.seats = {R(c.first), R(c.second)};
        request.method = EquityMethod::Exact;
        // Cheap enough that the window and the drill choose exact.
        EXPECT_LT(RangeExactSecondsEstimate(request), 0.05) << c.first;
        const EquityResults exact = Calculate(request, EquityMethod::Exact);
        EXPECT_EQ(exact.showdowns, c.showdowns) << c.first;
        EXPECT_NEAR(exact.winAlone[0], c.win0, 1e-11) << c.first;
        EXPECT_NEAR(exact.tie[0], c.tie0, 1e-11) << c.first;
        EXPECT_NEAR(exact.equity[0], c.equity0, 1e-11) << c.first;
        EXPECT_NEAR(exact.winAlone[1], c.win1, 1e-11) << c.first;
        EXPECT_NEAR(exact.tie[1], c.tie0, 1e-11) << c.first;
        EXPECT_EQ(Calculate(request, EquityMethod::Exact, 2).equity, exact.equity);
    }
    // A dead card leaves the table's boards: the enumeration counts instead.
    EquityRequest dead;
    dead.seats = {R("AKs"), R("QQ+")};
    dead.dead = Cards({"2c"});
    const EquityResults withDead = Calculate(dead, EquityMethod::Exact);
    EXPECT_EQ(withDead.showdowns, 82'190'592 / 1'712'304 * 1'533'939);
}

TEST(RangeEquity, SamplingIsUnbiasedWhereRangesCollide) {
    // Aces and kings fight over the same few cards: redrawing only the seat
    // that collided would shift these shares by far more than the tolerance.
    EquityRequest request;
    request.seats = {R("AA,KK"), R("AA,KK,AK"), R("AK,KQ")};
    request.board = Cards({"2c", "7d", "9h"});
    const EquityResults exact = Calculate(request, EquityMethod::Exact);
    request.trials = 400'000;
    request.seed = 12345;
    const EquityResults sampled = Calculate(request, EquityMethod::Sampled, 2);
    EXPECT_EQ(sampled.showdowns, 400'000);
    for (std::size_t s = 0; s < 3; ++s) {
        for (const auto& [mc, ex] : {std::pair{sampled.equity[s], exact.equity[s]},
                                     std::pair{sampled.winAlone[s], exact.winAlone[s]},
                                     std::pair{sampled.tie[s], exact.tie[s]}}) {
            const double se = std::sqrt(std::max(ex * (1 - ex), 1e-6) / 400'000.0);
            EXPECT_NEAR(mc, ex, 4 * se) << "seat " << s;
        }
    }
    // Seeds repeat a run exactly whatever the threads.
    const EquityResults again = Calculate(request, EquityMethod::Sampled, 1);
    EXPECT_EQ(again.equity, sampled.equity);
    EXPECT_EQ(again.among0Count, sampled.among0Count);
}

TEST(RangeEquity, SamplingMatchesExactOnEveryWayOfDrawing) {
    // Two weighted ranges alone (one pair table, the heads-up trial, its
    // board cards drawn as a set) preflop and on a three-flush flop, a pair
    // table beside a random seat, on the turn with a dead card and a random
    // seat between the ranged ones, and beside two random seats on the river
    // (the unit deal for a pair with every number of random seats); a hand
    // beside two random seats (the unit deal for a single seat).
    const Spot cases[] = {
        {{R("JJ+:0.3,AKs"), R("TT,AK:0.75,T9s")}, {}, {}},
        {{R("AA"), R("QQ+,AK"), R("random")}, Cards({"Kd", "7c", "2h"}), {}},
        {{R("AK,KQs"), R("TT+:0.4,AJs")}, Cards({"Kh", "Th", "3h"}), {}},
        {{R("AA,KK"), R("random"), R("QQ+,AKs:0.5")},
         Cards({"Ah", "9h", "5h", "Qc"}),
         Cards({"Kh"})},
        {{R("JJ+:0.5,AQs"), R("TT+,AK"), R("random"), R("random")},
         Cards({"Js", "Ts", "4d", "3c", "8s"}),
         {}},
        {{R("KhQh"), R("random"), R("random")}, Cards({"Jh", "Th", "2c", "2d"}), {}},
    };
    for (const Spot& c : cases) {
        EquityRequest request = c.Request();
        const EquityResults exact = Calculate(request, EquityMethod::Exact);
        request.trials = 300'000;
        request.seed = 99;
        const EquityResults sampled = Calculate(request, EquityMethod::Sampled);
        EXPECT_EQ(Calculate(request, EquityMethod::Sampled, 3).equity, sampled.equity);
        for (std::size_t s = 0; s < c.seats.size(); ++s) {
            for (const auto& [mc, ex] : {std::pair{sampled.equity[s], exact.equity[s]},
                                         std::pair{sampled.tie[s], exact.tie[s]}}) {
                const double se = std::sqrt(std::max(ex * (1 - ex), 1e-6) / 300'000.0);
                EXPECT_NEAR(mc, ex, 4 * se) << FormatRange(c.seats[0]) << " seat " << s;
            }
        }
    }
}

TEST(RangeEquity, StandardErrorTargetAndStopEndTheRunEarly) {
    EquityRequest request;
    request.seats = {R("AKs"), R("QQ+")};
    request.trials = 10'000'000;
    request.seed = 7;
    request.targetStdError = 0.002;
    const EquityResults one = Calculate(request, EquityMethod::Sampled, 1);
    EXPECT_LE(one.equityStdError, 0.002);
    EXPECT_LT(one.showdowns, 200'000);
    EXPECT_EQ(one.showdowns % kEquityBlockTrials, 0);
    EXPECT_EQ(Calculate(request, EquityMethod::Sampled, 2).showdowns, one.showdowns);

    std::atomic<bool> stop{false};
    int calls = 0;
    EquityControl control;
    control.stop = &stop;
    control.progressSeconds = 0.0;
    control.progress = [&](const EquityResults& partial) {
        ++calls;
        EXPECT_GT(partial.progress, 0.0);
        stop = true;
    };
    request.targetStdError = 0.0;
    EquityResults stopped;
    EXPECT_EQ(CalculateEquity(request, stopped, control).kind, EquityProblemKind::None);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_GE(calls, 1);
    EXPECT_LT(stopped.showdowns, request.trials);
}

TEST(RangeEquity, RequestsThatCannotRunAreRefused) {
    EquityRequest request;
    request.seats = {R("AA")};
    EquityResults out;
    EXPECT_EQ(CalculateEquity(request, out).kind, EquityProblemKind::SeatCount);
    request.seats = {R("AKs"), R("AhAs, AhAc")};
    request.board = Cards({"Ah", "7d", "2c"});
    const EquityProblem empty = CalculateEquity(request, out);
    EXPECT_EQ(empty.kind, EquityProblemKind::EmptySeat);
    EXPECT_EQ(empty.Message(),
              "the range of seat 2 is empty once the known and dead cards are taken out");
    request.seats = {R("AA"), R("AA"), R("AA")};
    request.board = {};
    EXPECT_EQ(CalculateEquity(request, out).kind, EquityProblemKind::NoDeal);
    request.seats = {R("AA"), R("KK")};
    request.board = Cards({"2c", "2c", "3d"});
    EXPECT_EQ(CalculateEquity(request, out).kind, EquityProblemKind::BadCards);
    request.board = {};
    request.seats = {R("random"), R("random"), R("random"), R("random")};
    request.method = EquityMethod::Exact;
    const EquityProblem slow = CalculateEquity(request, out);
    EXPECT_EQ(slow.kind, EquityProblemKind::ExactTooLong);
    EXPECT_NE(slow.Message().find("Monte Carlo"), std::string::npos);
}

} // namespace
} // namespace quillory
