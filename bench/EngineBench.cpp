// Speed of the card engine: shuffling, the reference and fast evaluation of a
// seat's seven cards, and the showdown of full tables.
#include "engine/Deck.h"
#include "engine/FastEval.h"
#include "engine/Table.h"

#include <array>
#include <benchmark/benchmark.h>
#include <vector>

namespace quillory {
namespace {

std::vector<SevenCards> RandomHands(int count) {
    std::vector<SevenCards> hands;
    for (int i = 0; i < count; ++i) {
        Deck deck;
        deck.Shuffle(i + 1);
        SevenCards seven{};
        for (Card& c : seven) {
            deck.Deal(c);
        }
        hands.push_back(seven);
    }
    return hands;
}

Table RandomTable(std::int32_t seed, std::uint32_t seats) {
    Deck deck;
    deck.Shuffle(seed);
    deck.Shuffle(seed);
    Table table(seats);
    Card a, b, c;
    deck.Deal(a), deck.Deal(b), deck.Deal(c);
    table.SetFlop(a, b, c);
    deck.Deal(a);
    table.SetTurn(a);
    deck.Deal(a);
    table.SetRiver(a);
    for (std::uint32_t s = 0; s < seats; ++s) {
        deck.Deal(a), deck.Deal(b);
        table.SetSeat(s, a, b);
    }
    return table;
}

// A fresh deck, the two shuffles every caller makes, and a deal of the given
// number of cards (9 for a heads-up trial, 25 for a ten-seat deal).
void BM_DeckShuffleTwiceAndDeal(benchmark::State& state) {
    const auto cards = static_cast<int>(state.range(0));
    std::int32_t seed = 1;
    for (auto _ : state) {
        Deck deck;
        deck.Shuffle(seed);
        deck.Shuffle(seed);
        ++seed;
        Card card;
        for (int i = 0; i < cards; ++i) {
            deck.Deal(card);
        }
        benchmark::DoNotOptimize(card);
    }
}
BENCHMARK(BM_DeckShuffleTwiceAndDeal)->Arg(9)->Arg(25);

void BM_BestHandReference(benchmark::State& state) {
    const auto hands = RandomHands(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        FiveCards best{};
        std::int32_t hole = 0;
        BestOfSeven(hands[i++ & 1023], best, hole);
        benchmark::DoNotOptimize(best);
    }
}
BENCHMARK(BM_BestHandReference);

void BM_BestHandFast(benchmark::State& state) {
    const auto hands = RandomHands(1024);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateCards(hands[i++ & 1023].data(), 7));
    }
}
BENCHMARK(BM_BestHandFast);

// Random seven-card hands as fresh-deck indices, many enough (64 Ki hands)
// that the hands do not sit in the cache the way a short list would.
std::vector<std::array<std::uint8_t, 7>> RandomIndexHands() {
    const auto hands = RandomHands(1 << 16);
    std::vector<std::array<std::uint8_t, 7>> indices(hands.size());
    for (std::size_t h = 0; h < hands.size(); ++h) {
        for (std::size_t c = 0; c < 7; ++c) {
            indices[h][c] = static_cast<std::uint8_t>(FreshDeckIndex(hands[h][c]));
        }
    }
    return indices;
}

HandMasks MasksOf(const std::array<std::uint8_t, 7>& h) {
    return kCardMasks[h[0]] + kCardMasks[h[1]] + kCardMasks[h[2]] + kCardMasks[h[3]] +
           kCardMasks[h[4]] + kCardMasks[h[5]] + kCardMasks[h[6]];
}

// The goal's measure: a seven-card strength from card indices, by table,
// counts first (suit bits gathered only for a flush).
void BM_Evaluate7FromIndices(benchmark::State& state) {
    const auto hands = RandomIndexHands();
    const EvalTables& tables = GetEvalTables();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EvaluateIndices(hands[i++ & 0xFFFF].data(), tables));
    }
}
BENCHMARK(BM_Evaluate7FromIndices);

// The same through whole HandMasks (bits and counts of every card summed).
void BM_Evaluate7FromIndicesByMasks(benchmark::State& state) {
    const auto hands = RandomIndexHands();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MasksOf(hands[i++ & 0xFFFF]).Evaluate());
    }
}
BENCHMARK(BM_Evaluate7FromIndicesByMasks);

// Its ordinal alone: what comparisons need, one load fewer.
void BM_Evaluate7OrdinalFromIndices(benchmark::State& state) {
    const auto hands = RandomIndexHands();
    const EvalTables& tables = GetEvalTables();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(OrdinalOfIndices(hands[i++ & 0xFFFF].data(), tables));
    }
}
BENCHMARK(BM_Evaluate7OrdinalFromIndices);

// The same hands through the table-free bit-mask evaluation.
void BM_Evaluate7FromIndicesByBits(benchmark::State& state) {
    const auto hands = RandomIndexHands();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MasksOf(hands[i++ & 0xFFFF]).EvaluateByBits());
    }
}
BENCHMARK(BM_Evaluate7FromIndicesByBits);

void BM_HoleCardsUsed(benchmark::State& state) {
    const auto hands = RandomHands(1024);
    std::vector<HandStrength> strengths;
    for (const auto& h : hands) {
        strengths.push_back(EvaluateCards(h.data(), 7));
    }
    std::size_t i = 0;
    for (auto _ : state) {
        const std::size_t k = i++ & 1023;
        benchmark::DoNotOptimize(HoleCardsUsed(hands[k], strengths[k]));
    }
}
BENCHMARK(BM_HoleCardsUsed);

void BM_Showdown(benchmark::State& state) {
    const auto seats = static_cast<std::uint32_t>(state.range(0));
    std::vector<Table> tables;
    for (int i = 0; i < 256; ++i) {
        tables.push_back(RandomTable(i + 1, seats));
    }
    WinnerList winners;
    std::size_t i = 0;
    for (auto _ : state) {
        tables[i++ & 255].Showdown(winners);
        benchmark::DoNotOptimize(winners.data());
    }
}
BENCHMARK(BM_Showdown)->Arg(2)->Arg(4)->Arg(10);

} // namespace
} // namespace quillory
