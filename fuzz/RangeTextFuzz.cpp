// Range text as a person types it: any bytes either parse into a range whose
// normal form parses back to the same range, or fail with a message naming a
// term inside the text.
#include "FuzzArguments.h"
#include "range/HandRange.h"

#include <string_view>

using quillory::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    quillory::HandRange range;
    quillory::RangeError error;
    if (!quillory::ParseRange(text, range, error)) {
        Require(!error.reason.empty());
        Require(error.position >= 1 && static_cast<std::size_t>(error.position) <= size + 1);
        Require(text.substr(static_cast<std::size_t>(error.position) - 1).starts_with(error.term));
        Require(!error.Message().empty());
        return 0;
    }
    const std::string normal = quillory::FormatRange(range);
    quillory::HandRange again;
    Require(quillory::ParseRange(normal, again, error));
    Require(again == range);
    Require(quillory::FormatRange(again) == normal);
    return 0;
}
