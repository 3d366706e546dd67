#include "range/HandRange.h"

#include "range/ClassRanking.h"

#include <algorithm>
#include <cstddef>

namespace quillory {

namespace {

// The two cards of every combo, in combo order.
constexpr std::array<ComboCards, kComboCount> kComboCards = [] {
    std::array<ComboCards, kComboCount> cards{};
    int combo = 0;
    for (int low = 0; low < kDeckSize; ++low) {
        for (int high = low + 1; high < kDeckSize; ++high) {
            cards[static_cast<std::size_t>(combo++)] = ComboCards{low, high};
        }
    }
    return cards;
}();

constexpr char kGridLetters[] = "AKQJT98765432";

} // namespace

int ComboIndex(int cardA, int cardB) {
    const int low = std::min(cardA, cardB);
    const int high = std::max(cardA, cardB);
    // Combos before `low`: 51 + 50 + ... over the lower cards below it.
    return low * (2 * kDeckSize - 1 - low) / 2 + (high - low - 1);
}

ComboCards CardsOfCombo(int combo) {
    return kComboCards[static_cast<std::size_t>(combo)];
}

ClassShape ShapeOfClass(int handClass) {
    const int row = handClass / kGridSize;
    const int column = handClass % kGridSize;
    if (row == column) {
        return ClassShape::Pair;
    }
    return column > row ? ClassShape::Suited : ClassShape::Offsuit;
}

int ClassOfCombo(int combo) {
    const ComboCards cards = CardsOfCombo(combo);
    const int a = GridRankOf(cards.low / kSuits);
    const int b = GridRankOf(cards.high / kSuits);
    const bool suited = cards.low % kSuits == cards.high % kSuits;
    const int better = std::min(a, b);
    const int worse = std::max(a, b);
    // Suited hands above the diagonal (column the worse rank), offsuit below.
    return suited ? kGridSize * better + worse : kGridSize * worse + better;
}

std::string ClassName(int handClass) {
    const int row = handClass / kGridSize;
    const int column = handClass % kGridSize;
    const int better = std::min(row, column);
    const int worse = std::max(row, column);
    std::string name{kGridLetters[better], kGridLetters[worse]};
    switch (ShapeOfClass(handClass)) {
    case ClassShape::Pair:
        break;
    case ClassShape::Suited:
        name += 's';
        break;
    case ClassShape::Offsuit:
        name += 'o';
        break;
    }
    return name;
}

int CombosInClass(int handClass) {
    switch (ShapeOfClass(handClass)) {
    case ClassShape::Pair:
        return 6;
    case ClassShape::Suited:
        return 4;
    case ClassShape::Offsuit:
        break;
    }
    return 12;
}

HandRange HandRange::Random() {
    HandRange range;
    range.m_weights.fill(1.0F);
    return range;
}

HandRange HandRange::Single(int combo) {
    HandRange range;
    range.SetWeight(combo, 1.0);
    return range;
}

void HandRange::SetWeight(int combo, double weight) {
    m_weights[static_cast<std::size_t>(combo)] = static_cast<float>(std::clamp(weight, 0.0, 1.0));
}

void HandRange::SetClassWeight(int handClass, double weight) {
    for (int combo = 0; combo < kComboCount; ++combo) {
        if (ClassOfCombo(combo) == handClass) {
            SetWeight(combo, weight);
        }
    }
}

int HandRange::ComboCount() const {
    return static_cast<int>(
        std::count_if(m_weights.begin(), m_weights.end(), [](float w) { return w > 0.0F; }));
}

double HandRange::WeightedCount() const {
    double sum = 0.0;
    for (const float w : m_weights) {
        sum += w;
    }
    return sum;
}

const std::array<std::uint8_t, kClassCount>& ClassesByStrength() {
    static const std::array<std::uint8_t, kClassCount> order = [] {
        std::array<std::uint8_t, kClassCount> classes{};
        for (int c = 0; c < kClassCount; ++c) {
            classes[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c);
        }
        // Best first; equal values (none in the table) keep grid order.
        std::stable_sort(classes.begin(), classes.end(), [](std::uint8_t a, std::uint8_t b) {
            return kClassEquityVsThree[a] > kClassEquityVsThree[b];
        });
        return classes;
    }();
    return order;
}

int StrengthPlace(int handClass) {
    static const std::array<std::uint8_t, kClassCount> places = [] {
        std::array<std::uint8_t, kClassCount> place{};
        const auto& order = ClassesByStrength();
        for (int i = 0; i < kClassCount; ++i) {
            place[order[static_cast<std::size_t>(i)]] = static_cast<std::uint8_t>(i);
        }
        return place;
    }();
    return places[static_cast<std::size_t>(handClass)];
}

HandRange TopPercent(double percent) {
    HandRange range;
    const double target = std::clamp(percent, 0.0, 100.0) / 100.0 * kComboCount;
    int combos = 0;
    for (const std::uint8_t handClass : ClassesByStrength()) {
        // A tiny allowance keeps 100% from missing the last class by rounding.
        if (static_cast<double>(combos) >= target - 1e-9) {
            break;
        }
        range.SetClassWeight(handClass, 1.0);
        combos += CombosInClass(handClass);
    }
    return range;
}

} // namespace quillory
