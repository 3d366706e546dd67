// Speed of the card engine: shuffling, the reference and fast evaluation of a
// seat's seven cards, and the showdown of full tables.
#include "engine/Deck.h"
#include "engine/FastEval.h"
#include "engine/Table.h"

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
