#include "odds/HeadsUpPreflop.h"

#include "engine/FastEval.h"

#include <algorithm>
#include <array>

namespace quillory {

namespace {

// One class of matchups: its canonical key and A's wins and ties.
struct HeadsUpEntry {
    std::uint32_t key;
    std::uint32_t wins;
    std::uint32_t ties;
};

// The generated table (tools/headsup-table), sorted by key.
#include "odds/HeadsUpPreflopTable.inc"

// The first combo of each low card: combos of low card l start after those of
// every lower card, 51 - i of them for card i.
constexpr std::array<int, 52> kFirstCombo = [] {
    std::array<int, 52> first{};
    int next = 0;
    for (int low = 0; low < 52; ++low) {
        first[static_cast<std::size_t>(low)] = next;
        next += 51 - low;
    }
    return first;
}();

// Both cards of every combo, packed as low | high << 8.
constexpr std::array<std::uint16_t, kHeadsUpCombos> kComboCards = [] {
    std::array<std::uint16_t, kHeadsUpCombos> cards{};
    int combo = 0;
    for (int low = 0; low < 52; ++low) {
        for (int high = low + 1; high < 52; ++high) {
            cards[static_cast<std::size_t>(combo++)] = static_cast<std::uint16_t>(low | high << 8);
        }
    }
    return cards;
}();

constexpr int ComboOf(int a, int b) {
    const int low = std::min(a, b);
    const int high = std::max(a, b);
    return kFirstCombo[static_cast<std::size_t>(low)] + high - low - 1;
}

// The 24 permutations of the four suits.
constexpr std::array<std::array<std::uint8_t, 4>, 24> kSuitPermutations = [] {
    std::array<std::array<std::uint8_t, 4>, 24> all{};
    std::array<std::uint8_t, 4> p{0, 1, 2, 3};
    for (auto& out : all) {
        out = p;
        std::next_permutation(p.begin(), p.end());
    }
    return all;
}();

bool ValidPair(int comboA, int comboB) {
    if (comboA < 0 || comboA >= kHeadsUpCombos || comboB < 0 || comboB >= kHeadsUpCombos) {
        return false;
    }
    const unsigned a = kComboCards[static_cast<std::size_t>(comboA)];
    const unsigned b = kComboCards[static_cast<std::size_t>(comboB)];
    return (a & 0xFF) != (b & 0xFF) && (a & 0xFF) != (b >> 8) && (a >> 8) != (b & 0xFF) &&
           (a >> 8) != (b >> 8);
}

} // namespace

int HeadsUpCombo(int cardA, int cardB) {
    if (cardA < 0 || cardA >= 52 || cardB < 0 || cardB >= 52 || cardA == cardB) {
        return -1;
    }
    return ComboOf(cardA, cardB);
}

void CardsOfHeadsUpCombo(int combo, int& low, int& high) {
    if (combo < 0 || combo >= kHeadsUpCombos) {
        low = high = -1;
        return;
    }
    low = kComboCards[static_cast<std::size_t>(combo)] & 0xFF;
    high = kComboCards[static_cast<std::size_t>(combo)] >> 8;
}

// The least key over the 24 permutations of the pair in the given order.
std::uint32_t LeastOrderedKey(int comboA, int comboB) {
    const unsigned a = kComboCards[static_cast<std::size_t>(comboA)];
    const unsigned b = kComboCards[static_cast<std::size_t>(comboB)];
    const std::array<int, 4> cards{static_cast<int>(a & 0xFF), static_cast<int>(a >> 8),
                                   static_cast<int>(b & 0xFF), static_cast<int>(b >> 8)};
    std::uint32_t least = ~0U;
    for (const auto& p : kSuitPermutations) {
        std::array<int, 4> c{};
        for (std::size_t i = 0; i < 4; ++i) {
            c[i] = (cards[i] & ~3) | p[static_cast<std::size_t>(cards[i] & 3)];
        }
        const auto key =
            static_cast<std::uint32_t>(ComboOf(c[0], c[1]) * kHeadsUpCombos + ComboOf(c[2], c[3]));
        least = std::min(least, key);
    }
    return least;
}

std::uint32_t CanonicalHeadsUpKey(int comboA, int comboB) {
    return std::min(LeastOrderedKey(comboA, comboB), LeastOrderedKey(comboB, comboA));
}

bool HeadsUpPreflopTableComplete() {
    return kHeadsUpTableSize == kHeadsUpClasses;
}

bool HeadsUpPreflop(int comboA, int comboB, HeadsUpCounts& out) {
    if (!ValidPair(comboA, comboB)) {
        return false;
    }
    // The class holds the pair as given or with A and B swapped; a swap
    // exchanges wins and losses.
    const std::uint32_t straight = LeastOrderedKey(comboA, comboB);
    const std::uint32_t swapped = LeastOrderedKey(comboB, comboA);
    const std::uint32_t key = std::min(straight, swapped);
    const auto* end = kHeadsUpTable + kHeadsUpTableSize;
    const auto* entry = std::lower_bound(
        kHeadsUpTable, end, key, [](const HeadsUpEntry& e, std::uint32_t k) { return e.key < k; });
    if (entry == end || entry->key != key) {
        return false; // a table left empty by a build without it
    }
    const std::uint32_t losses = kHeadsUpBoards - entry->wins - entry->ties;
    out = straight == key ? HeadsUpCounts{entry->wins, entry->ties, losses}
                          : HeadsUpCounts{losses, entry->ties, entry->wins};
    return true;
}

bool CountHeadsUpPreflop(int comboA, int comboB, HeadsUpCounts& out) {
    if (!ValidPair(comboA, comboB)) {
        return false;
    }
    const unsigned a = kComboCards[static_cast<std::size_t>(comboA)];
    const unsigned b = kComboCards[static_cast<std::size_t>(comboB)];
    const HandMasks holeA = kCardMasks[a & 0xFF] + kCardMasks[a >> 8];
    const HandMasks holeB = kCardMasks[b & 0xFF] + kCardMasks[b >> 8];
    const std::uint64_t taken =
        (1ULL << (a & 0xFF)) | (1ULL << (a >> 8)) | (1ULL << (b & 0xFF)) | (1ULL << (b >> 8));
    std::array<int, 48> rest{};
    int size = 0;
    for (int c = 0; c < 52; ++c) {
        if (((taken >> c) & 1U) == 0) {
            rest[static_cast<std::size_t>(size++)] = c;
        }
    }
    const EvalTables& tables = GetEvalTables();
    HeadsUpCounts counts;
    std::array<HandMasks, 6> board{}; // board[i]: the first i cards
    std::array<int, 5> pick{};
    // Depth-first over every five-card board in increasing position order.
    int depth = 0;
    pick[0] = -1;
    while (depth >= 0) {
        const auto d = static_cast<std::size_t>(depth);
        if (++pick[d] > size - 5 + depth) {
            --depth;
            continue;
        }
        board[d + 1] =
            board[d] +
            kCardMasks[static_cast<std::size_t>(rest[static_cast<std::size_t>(pick[d])])];
        if (depth < 4) {
            pick[d + 1] = pick[d];
            ++depth;
            continue;
        }
        const HandOrdinal oa = (board[5] + holeA).Ordinal(tables);
        const HandOrdinal ob = (board[5] + holeB).Ordinal(tables);
        counts.wins += oa > ob ? 1 : 0;
        counts.ties += oa == ob ? 1 : 0;
    }
    counts.losses = kHeadsUpBoards - counts.wins - counts.ties;
    out = counts;
    return true;
}

} // namespace quillory
