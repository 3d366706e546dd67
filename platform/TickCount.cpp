#include "platform/TickCount.h"

#include <chrono>

#if defined(_WIN32)
#include <windows.h>
#elif defined(__linux__)
#include <time.h>
#endif

namespace quillory {

// Milliseconds since the system started, truncated to 32 bits. The shuffles
// read this twice per simulated trial, so it uses each platform's cheap
// millisecond clock: the tick count on Windows, the coarse monotonic clock on
// Linux (a few milliseconds' resolution, as fine as a seed needs and about a
// third of the cost of the precise one), the steady clock elsewhere. A counter
// that started with the process would start every run near 0 and repeat the
// same shuffles from one run to the next.
std::uint32_t GetTickCount() {
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

} // namespace quillory
