#pragma once

// The board visitor of the exact range equity (RangeExact.cpp): per board
// completion, every card-disjoint assignment of the seats' combos, weighted
// by the product of their weights and by the number of boards of the
// completion's class under the suit permutations that keep the request in
// place. Sums go into a Tally; showdowns count assignments times class size.
#include "range/EquityDetail.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace quillory::equity {

// A suit permutation: suit s becomes perm[s].
using SuitPermutation = std::array<int, kSuits>;
constexpr CardMask kSuitCards = 0x1111111111111ULL; // suit 0 of every rank

// The cards of `mask` with their suits permuted.
inline CardMask Permute(CardMask mask, const SuitPermutation& perm) {
    CardMask out = 0;
    for (int s = 0; s < kSuits; ++s) {
        out |= ((mask >> s) & kSuitCards) << perm[static_cast<std::size_t>(s)];
    }
    return out;
}

inline int PermuteCard(int card, const SuitPermutation& perm) {
    return 4 * (card / 4) + perm[static_cast<std::size_t>(card % 4)];
}

// One worker's scratch: per seat the combos a board leaves, with ordinals.
// The last seat's live combos of one board, for the many assignments of the
// seats before it: sorted by ordinal with running sums of the weights, so
// that the weights above, level with and below a hand are two binary
// searches away, and listed by card, so that only the combos meeting the
// other seats' cards are taken out again. Weights are floats, so the sums in
// doubles are exact and taking out gives what adding up would.
class LastSeatIndex {
public:
    struct Split {
        double above{0.0};
        double level{0.0};
        double below{0.0};
        std::int64_t count{0};
    };

    // Indexes `live` (whose combos miss the board and the dead cards).
    template <typename Live> void Build(Live& live) {
        std::sort(live.begin(), live.end(),
                  [](const auto& a, const auto& b) { return a.ordinal < b.ordinal; });
        const std::size_t n = live.size();
        m_ordinal.resize(n);
        m_sum.resize(n + 1);
        m_mask.resize(n);
        m_weight.resize(n);
        m_byCardCount.fill(0);
        m_sum[0] = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            m_ordinal[i] = live[i].ordinal;
            m_mask[i] = live[i].mask;
            m_weight[i] = live[i].weight;
            m_sum[i + 1] = m_sum[i] + live[i].weight;
            for (CardMask cards = live[i].mask; cards != 0; cards &= cards - 1) {
                const auto c = static_cast<std::size_t>(std::countr_zero(cards));
                m_byCard[c][m_byCardCount[c]++] = static_cast<std::uint16_t>(i);
            }
        }
    }

    // The weights of the combos that miss `held` (cards of the other seats)
    // above, level with and below `best`, and how many combos miss it.
    Split Against(HandOrdinal best, CardMask held) const {
        const auto lo = static_cast<std::size_t>(
            std::lower_bound(m_ordinal.begin(), m_ordinal.end(), best) - m_ordinal.begin());
        const auto hi = static_cast<std::size_t>(
            std::upper_bound(m_ordinal.begin() + static_cast<std::ptrdiff_t>(lo), m_ordinal.end(),
                             best) -
            m_ordinal.begin());
        const std::size_t n = m_ordinal.size();
        Split split{m_sum[n] - m_sum[hi], m_sum[hi] - m_sum[lo], m_sum[lo],
                    static_cast<std::int64_t>(n)};
        for (CardMask cards = held; cards != 0; cards &= cards - 1) {
            const auto c = static_cast<std::size_t>(std::countr_zero(cards));
            const CardMask before = held & (CardBit(static_cast<int>(c)) - 1);
            for (std::size_t k = 0; k < m_byCardCount[c]; ++k) {
                const std::size_t i = m_byCard[c][k];
                if ((m_mask[i] & before) != 0) {
                    continue; // taken out with an earlier card of `held`
                }
                const double w = m_weight[i];
                (m_ordinal[i] > best ? split.above
                                     : (m_ordinal[i] == best ? split.level : split.below)) -= w;
                --split.count;
            }
        }
        return split;
    }

private:
    std::vector<HandOrdinal> m_ordinal;
    std::vector<double> m_sum; // m_sum[i]: the weights of combos 0 to i - 1
    std::vector<CardMask> m_mask;
    std::vector<float> m_weight;
    std::array<std::array<std::uint16_t, kDeckSize>, kDeckSize> m_byCard{};
    std::array<std::size_t, kDeckSize> m_byCardCount{};
};

class BoardVisitor {
public:
    BoardVisitor(const Prepared& p, const std::vector<SuitPermutation>& group)
        : m_p(p), m_group(group), m_eval(GetEvalTables()),
          m_live(static_cast<std::size_t>(p.seats)) {}

    // Adds the showdowns of the board `board` (the known cards plus the
    // completion's cards `completion`) times its class size, unless another
    // board of its class comes first in mask order.
    void Visit(CardMask completion, const HandMasks& board, Tally& tally) {
        int fixed = 1;
        for (std::size_t g = 1; g < m_group.size(); ++g) {
            const CardMask image = Permute(completion, m_group[g]);
            if (image < completion) {
                return; // another board of the class is visited instead
            }
            fixed += image == completion ? 1 : 0;
        }
        m_orbit = static_cast<std::int64_t>(m_group.size()) / fixed;
        const auto orbit = static_cast<double>(m_orbit);
        const CardMask full = completion | m_p.boardMask;
        for (int s = 0; s < m_p.seats; ++s) {
            const SeatList& list = m_p.lists[static_cast<std::size_t>(s)];
            Live& live = m_live[static_cast<std::size_t>(s)];
            live.clear();
            for (std::size_t i = 0; i < list.mask.size(); ++i) {
                if ((list.mask[i] & full) == 0) {
                    live.push_back(
                        {list.mask[i], (board + list.hand[i]).Ordinal(m_eval), list.weight[i]});
                }
            }
        }
        if (m_p.seats == 2) {
            HeadsUp(orbit, tally);
        } else {
            m_lastIndex.Build(m_live[static_cast<std::size_t>(m_p.seats - 1)]);
            m_full = full;
            Assign(0, full, orbit, tally);
        }
    }

private:
    struct Entry {
        CardMask mask;
        HandOrdinal ordinal;
        float weight;
    };
    using Live = std::vector<Entry>;

    // Two seats: every disjoint pair of combos compared directly, summed
    // locally and added once.
    void HeadsUp(double orbit, Tally& tally) {
        double first = 0.0;
        double second = 0.0;
        double tied = 0.0;
        std::int64_t pairs = 0;
        for (const Entry& a : m_live[0]) {
            double above = 0.0;
            double below = 0.0;
            double level = 0.0;
            for (const Entry& b : m_live[1]) {
                const bool apart = (a.mask & b.mask) == 0;
                const double w = apart ? b.weight : 0.0;
                pairs += apart ? 1 : 0;
                above += a.ordinal > b.ordinal ? w : 0.0;
                below += a.ordinal < b.ordinal ? w : 0.0;
                level += a.ordinal == b.ordinal ? w : 0.0;
            }
            first += a.weight * above;
            second += a.weight * below;
            tied += a.weight * level;
        }
        first *= orbit;
        second *= orbit;
        tied *= orbit;
        tally.winAlone[0] += first;
        tally.winAlone[1] += second;
        tally.tie[0] += tied;
        tally.tie[1] += tied;
        tally.equity[0] += first + tied / 2.0;
        tally.equity[1] += second + tied / 2.0;
        tally.total += first + second + tied;
        tally.showdowns += pairs * m_orbit;
    }

    void Assign(int seat, CardMask used, double weight, Tally& tally) {
        if (seat == m_p.seats - 1) {
            Last(used, weight, tally);
            return;
        }
        for (const Entry& e : m_live[static_cast<std::size_t>(seat)]) {
            if ((e.mask & used) == 0) {
                m_ordinal[static_cast<std::size_t>(seat)] = e.ordinal;
                Assign(seat + 1, used | e.mask, weight * e.weight, tally);
            }
        }
    }

    // The last seat's combos against the best hand of the seats before it:
    // the weights where it is above, level with or below that hand are summed
    // first and shared out once.
    void Last(CardMask used, double weight, Tally& tally) {
        const int last = m_p.seats - 1;
        HandOrdinal best = 0;
        for (int s = 0; s < last; ++s) {
            best = std::max(best, m_ordinal[static_cast<std::size_t>(s)]);
        }
        int sharing = 0;
        for (int s = 0; s < last; ++s) {
            sharing += m_ordinal[static_cast<std::size_t>(s)] == best ? 1 : 0;
        }
        const LastSeatIndex::Split split = m_lastIndex.Against(best, used & ~m_full);
        double above = split.above;
        double level = split.level;
        double below = split.below;
        const std::int64_t count = split.count;
        above *= weight;
        level *= weight;
        below *= weight;
        const auto l = static_cast<std::size_t>(last);
        tally.winAlone[l] += above;
        tally.equity[l] += above + level / (sharing + 1);
        tally.tie[l] += level;
        for (std::size_t s = 0; s < l; ++s) {
            if (m_ordinal[s] == best) {
                (sharing == 1 ? tally.winAlone : tally.tie)[s] += below;
                tally.tie[s] += level;
                tally.equity[s] += below / sharing + level / (sharing + 1);
            }
        }
        tally.total += above + level + below;
        tally.showdowns += count * m_orbit;
    }

    const Prepared& m_p;
    const std::vector<SuitPermutation>& m_group;
    const EvalTables& m_eval;
    std::vector<Live> m_live;
    std::array<HandOrdinal, kMaxRangeSeats> m_ordinal{};
    std::int64_t m_orbit{1};
    LastSeatIndex m_lastIndex;
    CardMask m_full{0}; // the board being visited, known cards included
};

} // namespace quillory::equity
