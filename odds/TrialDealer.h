#pragma once

// The estimator's draw (odds/Estimator.h states it as a contract): one
// trial's cards by a partial Fisher-Yates pass, seven steps from each 64-bit
// number of a SplitMix64 stream seeded from the trial's seed. Used by
// odds/Estimator.cpp and odds/StrengthTrial.h only; a header so that the
// pass can be inlined into the trial loops.

#include "engine/Card.h"
#include "odds/Estimator.h"
#include "platform/Random.h"

#include <array>
#include <cstdint>
#include <utility>

namespace quillory {

// Draws per 64-bit random number. Each draw multiplies the number, read as a
// fraction of 2^64, by the count of cards left and keeps the integer part;
// the fraction left over serves the next draw. Seven draws from at most 50
// cards use under 40 of the 64 bits, so no outcome is more than 2^-24 more
// likely than another.
inline constexpr std::uint32_t kDrawsPerNumber = 7;

// The integer part of fraction * bound, fraction read as fraction / 2^64;
// `fraction` becomes the fractional part.
inline std::uint32_t DrawBelow(std::uint64_t& fraction, std::uint32_t bound) {
#if defined(__SIZEOF_INT128__)
    __extension__ using Product = unsigned __int128;
    const Product product = static_cast<Product>(fraction) * bound;
    fraction = static_cast<std::uint64_t>(product);
    return static_cast<std::uint32_t>(product >> 64);
#else
    const std::uint64_t low = (fraction & 0xFFFFFFFFU) * bound;
    const std::uint64_t high = (fraction >> 32) * bound + (low >> 32);
    fraction = (high << 32) | (low & 0xFFFFFFFFU);
    return static_cast<std::uint32_t>(high >> 32);
#endif
}

// One trial's cards: a partial Fisher-Yates pass over a copy of the unknown
// cards. Step j swaps position j with position j + DrawBelow(count - j), so
// positions 0, 1, 2, ... come out as a uniform sample without replacement,
// in order. Steps 7i to 7i + 6 draw from the trial's i-th 64-bit number.
// Positions are drawn seven at a time as they are asked for, so a trial that
// ends early leaves the rest undrawn; a later step never moves an earlier
// position, so the cards do not depend on when they are asked for.
class TrialDealer {
public:
    // `unknown`: the unknown cards' fresh-deck indices in increasing order
    // (the positions past their count are never drawn).
    TrialDealer(const std::array<std::uint8_t, kDeckSize>& unknown, std::uint32_t seed)
        : m_cards(unknown), m_state((std::uint64_t{seed} ^ kTrialSeedMask) * kTrialSeedMultiplier) {
    }

    // Draws positions up to cards - 1 (cards at most 25) of the `count`
    // unknown cards (at least 45, so the 28 steps this may take stay inside
    // them). `last` (at least `cards`) is the number of positions the trial
    // may ever read: the steps of positions from `last` on are not taken,
    // which leaves every earlier position as it is.
    void DrawUpTo(std::uint32_t cards, std::uint32_t count, std::uint32_t last) {
        while (m_drawn < cards) {
            std::uint64_t fraction = NextNumber();
            if (last - m_drawn >= kDrawsPerNumber) {
                // Written out by the compiler: the build's -O2 does not
                // unroll loops on its own, and the seven steps overlap once
                // unrolled.
#pragma GCC unroll 7
                for (std::uint32_t step = 0; step < kDrawsPerNumber; ++step) {
                    const std::uint32_t j = m_drawn + step;
                    Swap(j, DrawBelow(fraction, count - j));
                }
            } else {
                for (std::uint32_t j = m_drawn; j < last; ++j) {
                    Swap(j, DrawBelow(fraction, count - j));
                }
            }
            m_drawn += kDrawsPerNumber;
        }
    }

    // Draws positions 0 to cards - 1 of a trial that needs fewer than seven
    // cards in all, from its first number, without the steps that number
    // would serve after them (the same cards). Nothing more is drawn after.
    void DrawFew(std::uint32_t cards, std::uint32_t count) {
        std::uint64_t fraction = NextNumber();
        for (std::uint32_t j = 0; j < cards; ++j) {
            Swap(j, DrawBelow(fraction, count - j));
        }
        m_drawn = kDrawsPerNumber;
    }

    // The same for two trials that have drawn equally far, step by step in
    // turn, so that their chains of multiplications overlap.
    static void DrawBothUpTo(TrialDealer& a, TrialDealer& b, std::uint32_t cards,
                             std::uint32_t count, std::uint32_t last) {
        while (a.m_drawn < cards) {
            std::uint64_t fractionA = a.NextNumber();
            std::uint64_t fractionB = b.NextNumber();
            if (last - a.m_drawn >= kDrawsPerNumber) {
#pragma GCC unroll 7
                for (std::uint32_t step = 0; step < kDrawsPerNumber; ++step) {
                    const std::uint32_t j = a.m_drawn + step;
                    a.Swap(j, DrawBelow(fractionA, count - j));
                    b.Swap(j, DrawBelow(fractionB, count - j));
                }
            } else {
                for (std::uint32_t j = a.m_drawn; j < last; ++j) {
                    a.Swap(j, DrawBelow(fractionA, count - j));
                    b.Swap(j, DrawBelow(fractionB, count - j));
                }
            }
            a.m_drawn += kDrawsPerNumber;
            b.m_drawn += kDrawsPerNumber;
        }
    }

    // The fresh-deck index of the card drawn at position j.
    int operator[](std::uint32_t j) const {
        return m_cards[j];
    }

private:
    std::uint64_t NextNumber() {
        m_state += detail::kGolden;
        return detail::Mix64(m_state);
    }
    void Swap(std::uint32_t j, std::uint32_t offset) {
        std::swap(m_cards[j], m_cards[j + offset]);
    }

    std::array<std::uint8_t, kDeckSize> m_cards;
    std::uint32_t m_drawn{0};
    std::uint64_t m_state;
};

} // namespace quillory
