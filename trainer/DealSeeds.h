#pragma once

#include "platform/TickCount.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace quillory {

// Where a practice deal's shuffle seeds come from, passed to the trainer as
// a value. Each seed is the tick count less one, taken as a signed 32-bit
// number, with the ticks read anew for each of the two shuffles. The window
// reads the system's tick count; a test gives a fixed or scripted source, so
// a deal repeats without touching any process-wide clock. The estimates of a
// hand read the same source.
class DealSeeds {
public:
    using Ticks = std::function<std::uint32_t()>;

    // The system's tick count.
    DealSeeds() : m_ticks([] { return GetTickCount(); }) {}
    explicit DealSeeds(Ticks ticks) : m_ticks(std::move(ticks)) {}

    // Every shuffle seeded from the same tick count.
    static DealSeeds Fixed(std::uint32_t ticks) {
        return DealSeeds([ticks] { return ticks; });
    }

    std::int32_t Next() const { return static_cast<std::int32_t>(m_ticks() - 1u); }
    // The tick count itself: an estimate's trial t is seeded with it + t.
    std::uint32_t TickCount() const { return m_ticks(); }

private:
    Ticks m_ticks;
};

} // namespace quillory
