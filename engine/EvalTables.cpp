#include "engine/EvalTables.h"

#include "engine/FastEval.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace quillory {

namespace {

// One rank multiset of five to seven cards: its rank key and the strength of
// its best five cards when no suit holds five of them.
struct RankEntry {
    std::uint32_t key{0};
    HandStrength strength{0};
};

// Every multiset of five to seven ranks with at most four of each. The cards
// of a multiset are given suits in turn (0, 1, 2, 3, 0, ...), so no suit holds
// more than two of them and no flush arises.
void CollectRankEntries(int rank, int cards, std::array<int, 13>& count,
                        std::vector<RankEntry>& out) {
    if (rank == kRanks) {
        if (cards < 5) {
            return;
        }
        HandMasks masks;
        int next = 0;
        for (int r = 0; r < kRanks; ++r) {
            for (int c = 0; c < count[static_cast<std::size_t>(r)]; ++c) {
                masks.AddIndex(4 * r + next++ % 4);
            }
        }
        out.push_back(
            RankEntry{static_cast<std::uint32_t>(masks.counts >> 32), masks.EvaluateByBits()});
        return;
    }
    for (int c = 0; c <= 4 && cards + c <= 7; ++c) {
        count[static_cast<std::size_t>(rank)] = c;
        CollectRankEntries(rank + 1, cards + c, count, out);
    }
    count[static_cast<std::size_t>(rank)] = 0;
}

std::uint64_t Hash(std::uint32_t key, std::uint64_t multiplier) {
    return key * multiplier;
}
std::size_t BucketOf(std::uint64_t h) {
    return static_cast<std::size_t>(h >> (64 - kBucketBits));
}
std::size_t SlotOf(std::uint64_t h) {
    return static_cast<std::size_t>(h >> (64 - kBucketBits - kSlotBits)) & (kRankSlots - 1);
}

// Groups the keys' slots by bucket; false when two keys of one bucket share a
// slot, which no displacement could separate.
bool GroupByBucket(const std::vector<RankEntry>& entries, std::uint64_t multiplier,
                   std::vector<std::vector<std::uint32_t>>& buckets) {
    buckets.assign(std::size_t{1} << kBucketBits, {});
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        buckets[BucketOf(Hash(entries[i].key, multiplier))].push_back(i);
    }
    for (auto& bucket : buckets) {
        std::vector<std::size_t> slots;
        for (const std::uint32_t i : bucket) {
            slots.push_back(SlotOf(Hash(entries[i].key, multiplier)));
        }
        std::sort(slots.begin(), slots.end());
        if (std::adjacent_find(slots.begin(), slots.end()) != slots.end()) {
            return false;
        }
    }
    return true;
}

// The strengths of every flush suit mask of five to seven ranks, by mask (0
// for the other masks).
std::vector<HandStrength> FlushStrengths() {
    std::vector<HandStrength> strengths(std::size_t{1} << 13, 0);
    for (std::uint32_t mask = 0; mask < strengths.size(); ++mask) {
        const int cards = std::popcount(mask);
        if (cards >= 5 && cards <= 7) {
            HandMasks masks;
            masks.bits = std::uint64_t{mask} << 1; // suit 0; bit v for rank value v
            masks.counts = static_cast<std::uint64_t>(cards);
            strengths[mask] = masks.EvaluateByBits();
        }
    }
    return strengths;
}

HandOrdinal OrdinalOf(const std::vector<HandStrength>& distinct, HandStrength strength) {
    return static_cast<HandOrdinal>(std::lower_bound(distinct.begin(), distinct.end(), strength) -
                                    distinct.begin());
}

// Lists every distinct strength, flushes included, in increasing order, and
// gives each flush mask its ordinal.
std::vector<HandStrength> ListStrengths(const std::vector<RankEntry>& entries, EvalTables& tables) {
    const std::vector<HandStrength> flushes = FlushStrengths();
    std::vector<HandStrength> distinct;
    for (const RankEntry& e : entries) {
        distinct.push_back(e.strength);
    }
    for (const HandStrength s : flushes) {
        if (s != 0) {
            distinct.push_back(s);
        }
    }
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    if (distinct.size() > tables.strengths.size()) {
        std::abort();
    }
    std::copy(distinct.begin(), distinct.end(), tables.strengths.begin());
    for (std::size_t mask = 0; mask < flushes.size(); ++mask) {
        if (flushes[mask] != 0) {
            tables.flush[mask] = OrdinalOf(distinct, flushes[mask]);
        }
    }
    return distinct;
}

// Finds a multiplier without collisions inside a bucket, then gives each
// bucket, the fullest first, the smallest displacement that puts all of its
// keys on free slots.
void PlaceKeys(const std::vector<RankEntry>& entries, const std::vector<HandStrength>& distinct,
               EvalTables& tables) {
    std::vector<std::vector<std::uint32_t>> buckets;
    std::uint64_t multiplier = 0x9E3779B97F4A7C15ULL;
    while (!GroupByBucket(entries, multiplier, buckets)) {
        multiplier += 2;
    }
    tables.multiplier = multiplier;

    std::vector<std::uint32_t> order(buckets.size());
    for (std::uint32_t b = 0; b < order.size(); ++b) {
        order[b] = b;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return buckets[a].size() > buckets[b].size();
    });
    std::vector<std::uint8_t> used(kRankSlots, 0);
    for (const std::uint32_t b : order) {
        if (buckets[b].empty()) {
            break;
        }
        std::uint32_t d = 0;
        for (;; ++d) {
            if (d == kRankSlots) {
                std::abort(); // cannot happen while a slot is free
            }
            bool fits = true;
            for (const std::uint32_t i : buckets[b]) {
                if (used[SlotOf(Hash(entries[i].key, multiplier)) ^ d] != 0) {
                    fits = false;
                    break;
                }
            }
            if (fits) {
                break;
            }
        }
        tables.displacement[b] = d;
        for (const std::uint32_t i : buckets[b]) {
            const std::size_t slot = SlotOf(Hash(entries[i].key, multiplier)) ^ d;
            used[slot] = 1;
            tables.ranks[slot] = OrdinalOf(distinct, entries[i].strength);
        }
    }
}

} // namespace

const EvalTables& BuildEvalTables() {
    // Built once and kept for the life of the process.
    static const std::unique_ptr<EvalTables> tables = [] {
        auto t = std::make_unique<EvalTables>();
        std::vector<RankEntry> entries;
        std::array<int, 13> count{};
        CollectRankEntries(0, 0, count, entries);
        const std::vector<HandStrength> distinct = ListStrengths(entries, *t);
        PlaceKeys(entries, distinct, *t);
        return t;
    }();
    return *tables;
}

} // namespace quillory
