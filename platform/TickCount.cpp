#include "platform/TickCount.h"

#include <atomic>
#include <chrono>

namespace quillory {

namespace {

std::atomic<TickSource> g_source{nullptr};

std::uint32_t SteadyTicks() {
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
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
