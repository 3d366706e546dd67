#include "platform/TickCount.h"

#include <atomic>
#include <chrono>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <time.h>
#endif

namespace quillory {

namespace {

std::atomic<TickSource> g_source{nullptr};

// Milliseconds since the system started, truncated to 32 bits. The shuffles
// read this twice per simulated trial, so it uses each platform's cheap
// millisecond clock: the tick count on Windows, the coarse monotonic clock on
// Linux (a few milliseconds' resolution, as fine as a seed needs and about a
// third of the cost of the precise one), the steady clock elsewhere. A counter
// that started with the process would start every run near 0 and repeat the
// same shuffles from one run to the next.
std::uint32_t SystemTicks() {
#if defined(_WIN32)
    return static_cast<std::uint32_t>(::GetTickCount64());
#elif defined(__linux__)
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &ts);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000U +
                                      static_cast<std::uint64_t>(ts.tv_nsec) / 1000000U);
#else
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
#endif
}

} // namespace

std::uint32_t GetTickCount() {
    const TickSource source = g_source.load(std::memory_order_relaxed);
    return source != nullptr ? source() : SystemTicks();
}

void SetTickSource(TickSource source) {
    g_source.store(source, std::memory_order_relaxed);
}

ScopedTickSource::ScopedTickSource(TickSource source)
    : m_previous(g_source.exchange(source, std::memory_order_relaxed)) {}

ScopedTickSource::~ScopedTickSource() {
    g_source.store(m_previous, std::memory_order_relaxed);
}

} // namespace quillory
