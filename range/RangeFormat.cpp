// The normal form of a range: the shortest text in plus forms and spans that
// parses back to the same weights.
#include "engine/CardNames.h"
#include "range/HandRange.h"

#include <charconv>
#include <vector>

namespace quillory {

namespace {

// The weight every combo of a class shares, or -1 when they differ.
double UniformWeight(const HandRange& range, int handClass,
                     const std::array<std::vector<int>, kClassCount>& combos) {
    const auto& list = combos[static_cast<std::size_t>(handClass)];
    const double first = range.Weight(list.front());
    for (const int combo : list) {
        if (range.Weight(combo) != first) {
            return -1.0;
        }
    }
    return first;
}

const std::array<std::vector<int>, kClassCount>& CombosByClass() {
    static const std::array<std::vector<int>, kClassCount> combos = [] {
        std::array<std::vector<int>, kClassCount> lists;
        // In combo order: suits in the order s h c d for the lower card.
        for (int combo = 0; combo < kComboCount; ++combo) {
            lists[static_cast<std::size_t>(ClassOfCombo(combo))].push_back(combo);
        }
        return lists;
    }();
    return combos;
}

std::string WeightSuffix(double weight) {
    if (weight >= 1.0) {
        return "";
    }
    // The shortest plain decimal that reads back as the same float: the
    // notation has no exponent, so 5e-18 is written 0.000000000000000005
    // (the smallest float, about 1.4e-45, takes 47 characters).
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<float>(weight),
                                      std::chars_format::fixed);
    return ":" + std::string(text, result.ptr);
}

std::string CardName(int index) {
    const Card card = CardAtFreshIndex(index);
    return {kRankNames[static_cast<std::size_t>(card.rank)].letter,
            kSuitNames[static_cast<std::size_t>(card.suit)].letter};
}

std::string ComboName(int combo) {
    const ComboCards cards = CardsOfCombo(combo);
    const bool lowFirst = GridRankOf(cards.low / kSuits) <= GridRankOf(cards.high / kSuits);
    return lowFirst ? CardName(cards.low) + CardName(cards.high)
                    : CardName(cards.high) + CardName(cards.low);
}

// Collects the terms of one line of classes (the pairs, or one first rank's
// suited or offsuit hands), best first: whole classes of equal weight join into
// runs; a run that starts at the line's best class is a plus form.
class LineWriter {
public:
    LineWriter(const HandRange& range, std::vector<std::string>& terms)
        : m_range(range), m_terms(terms) {}

    // `classes` best first; `plusAllowed` when the first is the line's top.
    void Write(const std::vector<int>& classes) {
        const auto& combos = CombosByClass();
        std::size_t i = 0;
        while (i < classes.size()) {
            const double w = UniformWeight(m_range, classes[i], combos);
            if (w < 0.0) {
                for (const int combo : combos[static_cast<std::size_t>(classes[i])]) {
                    if (m_range.Weight(combo) > 0.0) {
                        m_terms.push_back(ComboName(combo) + WeightSuffix(m_range.Weight(combo)));
                    }
                }
                ++i;
                continue;
            }
            std::size_t j = i + 1;
            while (j < classes.size() && UniformWeight(m_range, classes[j], combos) == w) {
                ++j;
            }
            if (w > 0.0) {
                m_terms.push_back(RunText(classes, i, j - 1) + WeightSuffix(w));
            }
            i = j;
        }
    }

private:
    static std::string RunText(const std::vector<int>& classes, std::size_t first,
                               std::size_t last) {
        const std::string worst = ClassName(classes[last]);
        if (first == last) {
            return worst;
        }
        return first == 0 ? worst + "+" : ClassName(classes[first]) + "-" + worst;
    }

    const HandRange& m_range;
    std::vector<std::string>& m_terms;
};

} // namespace

std::string FormatRange(const HandRange& range) {
    if (range == HandRange::Random()) {
        return "random";
    }
    std::vector<std::string> terms;
    LineWriter writer(range, terms);
    std::vector<int> line;
    for (int r = 0; r < kGridSize; ++r) {
        line.push_back(kGridSize * r + r);
    }
    writer.Write(line);
    for (const ClassShape shape : {ClassShape::Suited, ClassShape::Offsuit}) {
        for (int better = 0; better + 1 < kGridSize; ++better) {
            line.clear();
            for (int worse = better + 1; worse < kGridSize; ++worse) {
                line.push_back(shape == ClassShape::Suited ? kGridSize * better + worse
                                                           : kGridSize * worse + better);
            }
            writer.Write(line);
        }
    }
    std::string text;
    for (const std::string& term : terms) {
        text += (text.empty() ? "" : ", ") + term;
    }
    return text;
}

} // namespace quillory
