#include "platform/MessageText.h"

#include <cstdint>

namespace quillory {
namespace {

enum class QuoteMarks { Escape, Keep };

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr std::string_view kHex = "0123456789abcdef";
    out += "\\x";
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

// The length of the well-formed UTF-8 sequence at `at` and its code point, or
// 0 when the bytes there are not one.
std::size_t Utf8Sequence(std::string_view text, std::size_t at, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1Fu;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0Fu;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07u;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (next & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

// Code points that a terminal may act on rather than show.
bool IsControlCodePoint(std::uint32_t code) {
    return (code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029 || code == 0x200E ||
           code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

std::string Escape(std::string_view text, QuoteMarks marks) {
    std::string out;
    out.reserve(text.size() + 2);
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            std::uint32_t code = 0;
            const std::size_t length = Utf8Sequence(text, i, code);
            if (length == 0 || IsControlCodePoint(code)) {
                const std::size_t bytes = length == 0 ? 1 : length;
                for (std::size_t j = 0; j < bytes; ++j) {
                    AppendHex(out, static_cast<unsigned char>(text[i + j]));
                }
                i += bytes;
            } else {
                out.append(text.substr(i, length));
                i += length;
            }
            continue;
        }
        ++i;
        if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte < 0x20 || byte == 0x7F) {
            AppendHex(out, byte);
        } else if (marks == QuoteMarks::Escape && (byte == '\\' || byte == '\'')) {
            out += '\\';
            out += static_cast<char>(byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

} // namespace

std::string Quoted(std::string_view text) {
    return "'" + Escape(text, QuoteMarks::Escape) + "'";
}

std::string PrintableText(std::string_view text) {
    return Escape(text, QuoteMarks::Keep);
}

} // namespace quillory
