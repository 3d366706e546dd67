#pragma once

#include <cstdint>

namespace quillory {

// Milliseconds since the system started (the monotonic clock), as an unsigned
// 32-bit number that wraps after about 49.7 days. It only seeds
// shuffles; nothing compares it with a clock.
std::uint32_t GetTickCount();

// A replacement tick source for tests and for callers that want repeatable
// seeds. nullptr restores the real clock. The override is process-wide.
using TickSource = std::uint32_t (*)();
void SetTickSource(TickSource source);

// Installs a fixed tick source for the lifetime of the object and restores the
// previous one afterwards.
class ScopedTickSource {
public:
    explicit ScopedTickSource(TickSource source);
    ~ScopedTickSource();
    ScopedTickSource(const ScopedTickSource&) = delete;
    ScopedTickSource& operator=(const ScopedTickSource&) = delete;

private:
    TickSource m_previous{};
};

} // namespace quillory
