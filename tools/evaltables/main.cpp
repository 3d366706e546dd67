// Writes the evaluation tables (engine/EvalTablesData.cpp) from the
// table-free evaluation HandMasks::EvaluateByBits. The output depends on
// nothing but the code, so every run writes the same bytes; the build checks
// that the committed file is what this program writes (--check).
//
//   quillory-evaltables --write FILE   writes the tables' source
//   quillory-evaltables --check FILE   exit 0 when FILE holds exactly that
//
// Exit status 0 on success, 1 when the file differs or cannot be written or
// the hash does not fit, 2 for bad arguments.
#include "engine/FastEval.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using namespace quillory;

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

struct Tables {
    std::vector<HandStrength> strengths; // distinct, increasing
    std::vector<HandOrdinal> flush;      // by mask
    std::vector<std::uint32_t> offsets;  // by row
    std::vector<HandOrdinal> ranks;      // by slot
};

HandOrdinal OrdinalOf(const std::vector<HandStrength>& distinct, HandStrength strength) {
    return static_cast<HandOrdinal>(std::lower_bound(distinct.begin(), distinct.end(), strength) -
                                    distinct.begin());
}

// Lists every distinct strength, flushes included, in increasing order, and
// gives each flush mask its ordinal.
void ListStrengths(const std::vector<RankEntry>& entries, Tables& tables) {
    const std::vector<HandStrength> flushes = FlushStrengths();
    std::vector<HandStrength>& distinct = tables.strengths;
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
    tables.flush.assign(flushes.size(), 0);
    for (std::size_t mask = 0; mask < flushes.size(); ++mask) {
        if (flushes[mask] != 0) {
            tables.flush[mask] = OrdinalOf(distinct, flushes[mask]);
        }
    }
}

// Groups the keys' columns by row; false when two keys share a hash.
bool GroupByRow(const std::vector<RankEntry>& entries,
                std::vector<std::vector<std::uint32_t>>& rows) {
    rows.assign(kRankRows, {});
    std::vector<std::uint32_t> hashes;
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
        const std::uint32_t h = entries[i].key >> (32 - kRankHashBits);
        hashes.push_back(h);
        rows[h >> kRankColumnBits].push_back(i);
    }
    std::sort(hashes.begin(), hashes.end());
    return std::adjacent_find(hashes.begin(), hashes.end()) == hashes.end();
}

// Gives each row, the fullest first, the smallest offset that puts all of its
// keys on free slots, and fills the slots with the keys' ordinals.
bool PlaceKeys(const std::vector<RankEntry>& entries, Tables& tables) {
    std::vector<std::vector<std::uint32_t>> rows;
    if (!GroupByRow(entries, rows)) {
        return false;
    }
    constexpr std::uint32_t kColumnMask = (1U << kRankColumnBits) - 1;
    auto column = [&](std::uint32_t i) {
        return (entries[i].key >> (32 - kRankHashBits)) & kColumnMask;
    };
    std::vector<std::uint32_t> order(rows.size());
    for (std::uint32_t r = 0; r < order.size(); ++r) {
        order[r] = r;
    }
    std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
        return rows[a].size() > rows[b].size();
    });
    std::vector<std::uint8_t> used(entries.size() * 2 + kColumnMask + 1, 0);
    tables.offsets.assign(kRankRows, 0);
    std::vector<int> slotOf(entries.size(), -1);
    std::size_t size = 0;
    for (const std::uint32_t r : order) {
        std::uint32_t d = 0;
        for (;; ++d) {
            if (d + kColumnMask + 1 >= used.size()) {
                return false;
            }
            const bool fits = std::none_of(rows[r].begin(), rows[r].end(), [&](std::uint32_t i) {
                return used[column(i) + d] != 0;
            });
            if (fits) {
                break;
            }
        }
        tables.offsets[r] = d - (r << kRankColumnBits); // modulo 2^32, see EvalTables.h
        for (const std::uint32_t i : rows[r]) {
            used[column(i) + d] = 1;
            slotOf[i] = static_cast<int>(column(i) + d);
            size = std::max(size, static_cast<std::size_t>(column(i) + d + 1));
        }
    }
    tables.ranks.assign(size, 0);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        tables.ranks[static_cast<std::size_t>(slotOf[i])] =
            OrdinalOf(tables.strengths, entries[i].strength);
    }
    return true;
}

template <typename T>
void WriteArray(std::ostringstream& out, const char* type, const char* name,
                const std::vector<T>& values, std::size_t size) {
    out << "alignas(64) const " << type << ' ' << name << '[' << size << "] = {";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << (i % 16 == 0 ? "\n" : " ") << values[i] << ',';
    }
    out << "\n};\n\n";
}

std::string Source(const Tables& t) {
    std::ostringstream out;
    out << "// Generated by tools/evaltables from the table-free evaluation; do not edit.\n"
           "// The build checks that this file is what the generator writes.\n"
           "// clang-format off\n"
           "#include \"engine/EvalTables.h\"\n\nnamespace quillory {\n\n";
    std::vector<HandStrength> strengths = t.strengths;
    strengths.resize(8192, 0);
    WriteArray(out, "std::uint32_t", "kRankRowOffsets", t.offsets, t.offsets.size());
    WriteArray(out, "HandOrdinal", "kRankOrdinals", t.ranks, t.ranks.size());
    WriteArray(out, "HandOrdinal", "kFlushOrdinals", t.flush, t.flush.size());
    WriteArray(out, "HandStrength", "kOrdinalStrengths", strengths, strengths.size());
    out << "} // namespace quillory\n";
    return out.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 ||
        (std::strcmp(argv[1], "--write") != 0 && std::strcmp(argv[1], "--check") != 0)) {
        std::fprintf(stderr, "usage: quillory-evaltables --write FILE | --check FILE\n");
        return 2;
    }
    std::vector<RankEntry> entries;
    std::array<int, 13> count{};
    CollectRankEntries(0, 0, count, entries);
    Tables tables;
    ListStrengths(entries, tables);
    if (tables.strengths.size() != kDistinctStrengths || !PlaceKeys(entries, tables)) {
        std::fprintf(stderr, "the rank-key hash does not fit these keys\n");
        return 1;
    }
    const std::string source = Source(tables);
    if (std::strcmp(argv[1], "--check") == 0) {
        std::ifstream in(argv[2], std::ios::binary);
        const std::string old((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
        if (old != source) {
            std::fprintf(stderr, "%s is not what tools/evaltables writes; run it with --write\n",
                         argv[2]);
            return 1;
        }
        return 0;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << source;
    out.close();
    return out ? 0 : 1;
}
