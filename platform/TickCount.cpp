#include "platform/TickCount.h"

#include <atomic>
#include <chrono>

namespace quillory {

namespace {

std::atomic<TickSource> g_source{nullptr};

// The monotonic clock's milliseconds, truncated to 32 bits. Its epoch is the
// system's start on Linux, Windows and macOS, so two runs of a program started
// a second apart see different counts (a process-relative counter would start
// every run near 0 and repeat the same shuffles).
std::uint32_t SteadyTicks() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

} // namespace

std::uint32_t GetTickCount() {
    const TickSource source = g_source.load(std::memory_order_relaxed);
    return source != nullptr ? source() : SteadyTicks();
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
