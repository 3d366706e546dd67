#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace quillory::fuzz {

// A fuzz input as a command line: the bytes split at NUL into at most
// kMaxArguments arguments (the program name not included).
inline constexpr std::size_t kMaxArguments = 64;

inline std::vector<std::string> SplitArguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            if (args.size() == kMaxArguments) {
                break;
            }
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    if (size == 0) {
        args.clear();
    }
    return args;
}

// Stops the run with a crash report when a promise of the parser is broken.
inline void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace quillory::fuzz
