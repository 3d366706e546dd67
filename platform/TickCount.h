#pragma once

#include <cstdint>

namespace quillory {

// Milliseconds since the system started (the monotonic clock), as an unsigned
// 32-bit number that wraps after about 49.7 days. It only seeds
// shuffles; nothing compares it with a clock.
std::uint32_t GetTickCount();

// A clock of the caller's own, for SeedSource::Ticks.
using TickSource = std::uint32_t (*)();

// Where a run's seeds come from, passed by value to whatever deals: a run
// reads the source once, at its start, and seeds trial (or deal) t with that
// value + t (modulo 2^32). The window reads the tick count (Clock); a
// command-line --seed S is Fixed(S); tests may pass their own clock (Ticks).
// Nothing process-wide is swapped. Reading once per run rather than once per
// trial changes no seed that matters (a fixed source gives the same value at
// every read) and keeps a clock read out of every trial.
class SeedSource {
public:
    // The tick count (GetTickCount), read anew at every Read.
    static constexpr SeedSource Clock() { return SeedSource(Kind::Clock, nullptr, 0); }
    // Always `base`: a repeatable run whose trial t uses base + t.
    static constexpr SeedSource Fixed(std::uint32_t base) {
        return SeedSource(Kind::Fixed, nullptr, base);
    }
    // The caller's clock (not null), read at every Read.
    static constexpr SeedSource Ticks(TickSource read) { return SeedSource(Kind::Ticks, read, 0); }

    std::uint32_t Read() const {
        switch (m_kind) {
        case Kind::Fixed:
            return m_base;
        case Kind::Ticks:
            return m_read();
        case Kind::Clock:
            break;
        }
        return GetTickCount();
    }
    // The seed of trial t of a run whose read gave `base`: base + t, wrapping
    // like the 32-bit counter.
    static constexpr std::uint32_t SeedOf(std::uint32_t base, std::int64_t t) {
        return base + static_cast<std::uint32_t>(t);
    }

private:
    enum class Kind { Clock, Fixed, Ticks };
    constexpr SeedSource(Kind kind, TickSource read, std::uint32_t base)
        : m_kind(kind), m_read(read), m_base(base) {}

    Kind m_kind{Kind::Clock};
    TickSource m_read{};
    std::uint32_t m_base{0};
};

} // namespace quillory
