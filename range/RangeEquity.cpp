#include "range/RangeEquity.h"

#include "range/EquityDetail.h"

#include <cmath>

namespace quillory {

namespace equity {

namespace {

// True when some card-disjoint assignment of the seats' combos exists, by a
// depth-first search over the seats with the fewest combos first. Searches
// of more than `budget` steps count as found: the sampler then finds them.
bool SomeDeal(const std::vector<const SeatList*>& order, std::size_t seat, CardMask used,
              std::int64_t& budget) {
    if (seat == order.size() || --budget < 0) {
        return true;
    }
    const SeatList& list = *order[seat];
    for (std::size_t i = 0; i < list.mask.size(); ++i) {
        if ((list.mask[i] & used) == 0 && SomeDeal(order, seat + 1, used | list.mask[i], budget)) {
            return true;
        }
    }
    return false;
}

} // namespace

EquityProblem Prepare(const EquityRequest& request, Prepared& out) {
    const int seats = static_cast<int>(request.seats.size());
    if (seats < kMinRangeSeats || seats > kMaxRangeSeats) {
        return {EquityProblemKind::SeatCount};
    }
    out = Prepared{};
    out.seats = seats;
    CardMask taken = 0;
    auto take = [&taken](int card, CardMask& into) {
        if (card < 0 || card >= kDeckSize || (taken & CardBit(card)) != 0) {
            return false;
        }
        taken |= CardBit(card);
        into |= CardBit(card);
        return true;
    };
    if (request.board.size() > 5) {
        return {EquityProblemKind::BadCards};
    }
    for (const int card : request.board) {
        if (!take(card, out.boardMask)) {
            return {EquityProblemKind::BadCards};
        }
        out.board[static_cast<std::size_t>(out.known++)] = static_cast<std::uint8_t>(card);
        out.boardHand.AddIndex(card);
    }
    for (const int card : request.dead) {
        if (!take(card, out.deadMask)) {
            return {EquityProblemKind::BadCards};
        }
    }
    if (std::popcount(taken) + 2 * seats + 5 - out.known > kDeckSize) {
        return {EquityProblemKind::NoDeal};
    }
    out.lists.resize(static_cast<std::size_t>(seats));
    std::vector<const SeatList*> ranged;
    for (int s = 0; s < seats; ++s) {
        const HandRange& range = request.seats[static_cast<std::size_t>(s)];
        SeatList& list = out.lists[static_cast<std::size_t>(s)];
        list.random = range == HandRange::Random();
        for (int combo = 0; combo < kComboCount; ++combo) {
            const ComboCards cards = CardsOfCombo(combo);
            const CardMask mask = CardBit(cards.low) | CardBit(cards.high);
            if (range.Weight(combo) > 0.0 && (mask & taken) == 0) {
                list.combo.push_back(static_cast<std::uint16_t>(combo));
                list.mask.push_back(mask);
                list.hand.push_back(kCardMasks[static_cast<std::size_t>(cards.low)] +
                                    kCardMasks[static_cast<std::size_t>(cards.high)]);
                list.weight.push_back(static_cast<float>(range.Weight(combo)));
            }
        }
        if (list.combo.empty()) {
            return {EquityProblemKind::EmptySeat, s};
        }
        if (!list.random) {
            ranged.push_back(&list);
        }
    }
    // Cards of seats that hold one combo are known to every other seat.
    CardMask fixed = 0;
    for (const SeatList& list : out.lists) {
        fixed |= list.mask.size() == 1 ? list.mask[0] : 0;
    }
    for (int s = 0; s < seats; ++s) {
        const SeatList& list = out.lists[static_cast<std::size_t>(s)];
        const CardMask others = list.mask.size() == 1 ? fixed & ~list.mask[0] : fixed;
        if (std::all_of(list.mask.begin(), list.mask.end(),
                        [others](CardMask m) { return (m & others) != 0; })) {
            return {EquityProblemKind::EmptySeat, s};
        }
    }
    std::sort(ranged.begin(), ranged.end(),
              [](const SeatList* a, const SeatList* b) { return a->mask.size() < b->mask.size(); });
    std::int64_t budget = 1'000'000;
    if (!SomeDeal(ranged, 0, taken, budget)) {
        return {EquityProblemKind::NoDeal};
    }
    return {};
}

void Tally::Add(const Tally& other) {
    total += other.total;
    for (std::size_t s = 0; s < winAlone.size(); ++s) {
        winAlone[s] += other.winAlone[s];
        tie[s] += other.tie[s];
        equity[s] += other.equity[s];
    }
    equity0Squares += other.equity0Squares;
    showdowns += other.showdowns;
    among0 += other.among0;
}

EquityResults ResultsOf(const Tally& tally, int seats, EquityMethod method) {
    EquityResults r;
    r.seats = seats;
    r.method = method;
    r.showdowns = tally.showdowns;
    r.among0Count = tally.among0;
    if (tally.total <= 0.0) {
        return r;
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(seats); ++s) {
        r.winAlone[s] = tally.winAlone[s] / tally.total;
        r.tie[s] = tally.tie[s] / tally.total;
        r.equity[s] = tally.equity[s] / tally.total;
    }
    r.among0 = r.winAlone[0] + r.tie[0];
    if (method == EquityMethod::Sampled) {
        const double n = tally.total;
        const double variance = std::max(0.0, tally.equity0Squares / n - r.equity[0] * r.equity[0]);
        r.equityStdError = std::sqrt(variance / n);
        r.among0StdError = std::sqrt(r.among0 * (1.0 - r.among0) / n);
    }
    return r;
}

} // namespace equity

std::string EquityProblem::Message() const {
    switch (kind) {
    case EquityProblemKind::None:
        return "";
    case EquityProblemKind::SeatCount:
        return "a table needs 2 to 10 seats";
    case EquityProblemKind::BadCards:
        return "the board and dead cards must be distinct cards, at most 5 on the board";
    case EquityProblemKind::EmptySeat:
        return "the range of seat " + std::to_string(seat + 1) +
               " is empty once the known and dead cards are taken out";
    case EquityProblemKind::NoDeal:
        return "the ranges cannot all be dealt at once without sharing a card";
    case EquityProblemKind::ExactTooLong:
        break;
    }
    const std::string time =
        exactSeconds < 1.0e6 ? "about " + std::to_string(std::llround(exactSeconds)) + " seconds"
                             : "far too long";
    return "exact enumeration would take " + time + " here; a Monte Carlo estimate answers sooner";
}

double RangeExactSecondsEstimate(const EquityRequest& request) {
    equity::Prepared prepared;
    if (equity::Prepare(request, prepared).kind != EquityProblemKind::None) {
        return 0.0;
    }
    return equity::ExactSeconds(prepared, request);
}

namespace {

EquityProblem Check(const EquityRequest& request, equity::Prepared& prepared) {
    EquityProblem problem = equity::Prepare(request, prepared);
    if (problem.kind == EquityProblemKind::None && request.method == EquityMethod::Exact) {
        const double seconds =
            equity::ExactSeconds(prepared, request) / std::max(1, request.threads);
        if (seconds > kRangeExactSecondsLimit) {
            problem = {EquityProblemKind::ExactTooLong, -1, seconds};
        }
    }
    return problem;
}

} // namespace

EquityProblem CheckEquityRequest(const EquityRequest& request) {
    equity::Prepared prepared;
    return Check(request, prepared);
}

EquityProblem CalculateEquity(const EquityRequest& request, EquityResults& out,
                              const EquityControl& control) {
    equity::Prepared prepared;
    const EquityProblem problem = Check(request, prepared);
    if (problem.kind != EquityProblemKind::None) {
        return problem;
    }
    if (request.method == EquityMethod::Exact) {
        equity::RunExact(prepared, request, control, out);
    } else {
        equity::RunSampled(prepared, request, control, out);
    }
    return {};
}

} // namespace quillory
