#include "report/HandStatistics.h"

namespace quillory {

std::int64_t HandStatistics::SeatsCounted(int tableSize) const {
    std::int64_t sum = 0;
    for (int category = 0; category < 9; ++category) {
        for (int hole = 0; hole < kHoleCounts; ++hole) {
            for (int rank = 0; rank < 13; ++rank) {
                sum += Occurred(category, hole, tableSize, rank);
            }
        }
    }
    return sum;
}

HandStatistics& HandStatistics::operator+=(const HandStatistics& other) {
    for (std::size_t i = 0; i < m_counters.size(); ++i) {
        m_counters[i] += other.m_counters[i];
    }
    return *this;
}

} // namespace quillory
