#include "odds/CallTable.h"

namespace quillory {

std::string CallerHeading(std::int32_t column) {
    if (column <= 0) {
        return "Amount";
    }
    const std::int32_t others = column - 1;
    if (others == 0) {
        return "No caller";
    }
    return others == 1 ? "1 caller" : std::to_string(others) + " callers";
}

std::string CallSummary(WinRate known, std::int32_t rate, std::int32_t adding,
                        std::optional<std::string_view> prize) {
    std::string summary = known == WinRate::Known
                              ? "Winning rate " + std::to_string(rate) + "%."
                              : "No winning rate is known yet (press Draw in the main window "
                                "first); the figures use 0%.";
    if (!prize) {
        summary += " Enter the pot, your investment and an amount to add, then press Calculate.";
    } else if (*prize == "-") {
        summary += " Adding $" + std::to_string(adding) + " neither wins nor loses on average.";
    } else {
        summary += " Adding $" + std::to_string(adding) + ": expected profit ";
        summary.append(*prize).append(".");
    }
    return summary;
}

} // namespace quillory
