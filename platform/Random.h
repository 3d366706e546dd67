#pragma once

#include <cstdint>

namespace quillory {

// The shuffle's random numbers: a small seeded generator with the semantics of
// the C library's srand/rand, but our own, so a seed gives the same numbers on
// every platform. Each thread has its own generator state, so simulations can
// run on several threads without locks and without disturbing each other.
//
// The generator is SplitMix64 (Steele, Lea and Flood): a 64-bit counter run
// through a mixing function. Its dependency chain per number is one addition,
// which keeps the shuffle loop short.

inline constexpr std::int32_t kRandMax = 0x7FFFFFFF;

namespace detail {
inline thread_local std::uint64_t t_randomState = 0x853C49E6748FEA9BULL;

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;

constexpr std::uint64_t Mix64(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}
} // namespace detail

// Seeds this thread's generator (srand). Equal seeds give equal sequences.
inline void SeedRandom(std::uint32_t seed) {
    detail::t_randomState = detail::Mix64(seed ^ 0x5851F42D4C957F2DULL);
}

// The next 64 random bits of this thread's generator.
inline std::uint64_t NextRandom64() {
    detail::t_randomState += detail::kGolden;
    return detail::Mix64(detail::t_randomState);
}

// The next number of this thread's generator (rand): 0 to kRandMax inclusive.
inline std::int32_t NextRandom() {
    return static_cast<std::int32_t>(NextRandom64() >> 33);
}

// A generator held by its user rather than by the thread: the same SplitMix64,
// seeded from a 32-bit number. Whatever deals from one seed (a trial of an
// estimate, a deal of the report) builds one, so its result is a function of
// the seed alone, whichever thread computes it.
class RandomStream {
public:
    explicit constexpr RandomStream(std::uint32_t seed)
        : m_state(detail::Mix64(seed ^ 0x5851F42D4C957F2DULL)) {}

    // The next 64 random bits.
    constexpr std::uint64_t Next64() {
        m_state += detail::kGolden;
        return detail::Mix64(m_state);
    }

private:
    std::uint64_t m_state{0};
};

// A number 0 to bound - 1 from 32 random bits, by multiply and shift. The bias
// is below bound / 2^32, far beneath anything a simulation can measure.
constexpr std::uint32_t ScaleToBound(std::uint32_t bits, std::uint32_t bound) {
    return static_cast<std::uint32_t>((std::uint64_t{bits} * bound) >> 32);
}

// Saves and restores this thread's generator state, so a test can fix or
// replay a sequence.
inline std::uint64_t RandomState() {
    return detail::t_randomState;
}
inline void SetRandomState(std::uint64_t state) {
    detail::t_randomState = state;
}

} // namespace quillory
