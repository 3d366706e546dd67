#pragma once

// Money figures of the main window and the "Should I Call?" calculator.
//
// Amounts are whole currency units. A winning rate enters as a whole percent
// (0 to 100), WholePercent of the estimate. A percentage of an amount is the integer
// product multiplied by 0.01 in double precision and truncated toward zero.
//
// The window validates pot and investment to 0..10,000,000, where every
// product fits in 32 bits. A failed validation can leave larger values in
// place (the typed value stays and is still computed with), so the products
// here are taken in 64 bits and results beyond the 32-bit range saturate to
// its ends instead of wrapping around.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <string_view>

namespace quillory {

// Saturates a wide value into the signed 32-bit range.
constexpr std::int32_t Saturate32(std::int64_t v) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

// Truncates toward zero and saturates into 32 bits.
inline std::int32_t Truncate32(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (v <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(v);
}

// The whole percent the money figures use for an estimate of `wins` in
// `trials` (trials > 0, 0 <= wins <= trials): the whole part of the rate as
// it is shown, rounded to hundredths of a percent. So a rate that shows as
// "50.00%" counts as 50 even where the exact rate (4999.6 / 100) is below
// 50, and "49.99%" counts as 49. Hundredths round half up; a rate never
// falls on a tie at the trial counts the trainer uses (10000 / players).
constexpr std::int32_t WholePercent(std::int64_t wins, std::int64_t trials) {
    const std::int64_t hundredths = (wins * 20000 + trials) / (2 * trials);
    return static_cast<std::int32_t>(hundredths / 100);
}

// Expected profit of the pot at this rate, less what was put in:
// trunc(rate * pot * 0.01 - invest). It can be negative.
inline std::int32_t ExpectedProfit(std::int32_t rate, std::int64_t pot, std::int64_t invest) {
    const std::int64_t product = static_cast<std::int64_t>(rate) * pot;
    return Truncate32(static_cast<double>(product) * 0.01 - static_cast<double>(invest));
}

// The two read-only figures of the main window from the rate (whole percent),
// the pot and the investment:
// - expectingProfit: trunc(rate * pot * 0.01 - invest);
// - addUpTo, how much more can go in before the expected profit reaches zero:
//   1,000,000 at a rate of 100, else ((pot - invest) * rate) / (100 - rate)
//   - invest, dividing (toward zero) before subtracting.
inline void CalcProfit(std::int32_t rate, std::int32_t pot, std::int32_t invest,
                       std::int32_t& addUpTo, std::int32_t& expectingProfit) {
    expectingProfit = ExpectedProfit(rate, pot, invest);
    if (rate == 100) {
        addUpTo = 1000000;
        return;
    }
    const std::int64_t numerator =
        (static_cast<std::int64_t>(pot) - static_cast<std::int64_t>(invest)) * rate;
    addUpTo = Saturate32(numerator / (100 - static_cast<std::int64_t>(rate)) - invest);
}

// Expected profit of adding `add` to the pot and to the investment:
// trunc(rate * (pot + add) * 0.01 - (invest + add)).
inline std::int32_t CalcCallProfit(std::int32_t rate, std::int64_t pot, std::int64_t invest,
                                   std::int64_t add) {
    return ExpectedProfit(rate, pot + add, invest + add);
}

// A profit and its percentage of the base: "-" for 0, "+$20 (50%)" for a
// gain, "-$38 (-63%)" for a loss. The percentage is (profit * 100) / base,
// truncated toward zero, or 0 when the base is 0.
inline std::string FormatProfit(std::int32_t profit, std::int64_t base) {
    if (profit == 0) {
        return "-";
    }
    const std::int64_t percent = base == 0 ? 0 : static_cast<std::int64_t>(profit) * 100 / base;
    const std::int64_t magnitude = profit < 0 ? -static_cast<std::int64_t>(profit) : profit;
    char text[64];
    std::snprintf(text, sizeof text, "%s$%lld (%lld%%)", profit > 0 ? "+" : "-",
                  static_cast<long long>(magnitude), static_cast<long long>(percent));
    return text;
}

// `percent` per cent of an amount, to the cent: "$1.50" for 15 and 10.
inline std::string FormatAmount(std::int32_t amount, std::int32_t percent) {
    const std::int64_t product = static_cast<std::int64_t>(amount) * percent;
    char text[64];
    std::snprintf(text, sizeof text, "$%.02f", static_cast<double>(product) * 0.01);
    return text;
}

} // namespace quillory
