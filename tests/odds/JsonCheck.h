#pragma once

// A strict little JSON reader for the tests: checks that a text is exactly one
// JSON value (RFC 8259 grammar, no extensions) and returns the members of a
// top-level object as raw value texts, so a test can check field by field.

#include <cctype>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillory::test {

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    // The top-level object's members (key -> raw value text), or nothing when
    // the text is not exactly one JSON object (surrounding blanks allowed).
    std::optional<std::map<std::string, std::string>> Object() {
        std::map<std::string, std::string> members;
        Blank();
        if (!Eat('{')) {
            return std::nullopt;
        }
        Blank();
        if (!Eat('}')) {
            do {
                Blank();
                std::string key;
                if (!String(&key)) {
                    return std::nullopt;
                }
                Blank();
                if (!Eat(':')) {
                    return std::nullopt;
                }
                Blank();
                const std::size_t start = m_pos;
                if (!Value() || members.count(key) != 0) {
                    return std::nullopt;
                }
                members[key] = std::string(m_text.substr(start, m_pos - start));
                Blank();
            } while (Eat(','));
            if (!Eat('}')) {
                return std::nullopt;
            }
        }
        Blank();
        if (m_pos != m_text.size()) {
            return std::nullopt;
        }
        return members;
    }

private:
    bool Eat(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (m_text.substr(m_pos, word.size()) == word) {
            m_pos += word.size();
            return true;
        }
        return false;
    }
    void Blank() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\n' ||
                                         m_text[m_pos] == '\t' || m_text[m_pos] == '\r')) {
            ++m_pos;
        }
    }
    bool Digits() {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_pos]))) {
            ++m_pos;
        }
        return m_pos > start;
    }
    bool Number() {
        Eat('-');
        if (Eat('0')) {
            // No leading zeros.
        } else if (!Digits()) {
            return false;
        }
        if (Eat('.') && !Digits()) {
            return false;
        }
        if (Eat('e') || Eat('E')) {
            if (!Eat('+')) {
                Eat('-');
            }
            return Digits();
        }
        return true;
    }
    bool String(std::string* out) {
        if (!Eat('"')) {
            return false;
        }
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') {
                return true;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                return false;
            }
            if (c == '\\') {
                if (m_pos >= m_text.size() ||
                    std::string_view("\"\\/bfnrtu").find(m_text[m_pos]) == std::string_view::npos) {
                    return false;
                }
                ++m_pos; // the escaped character; \u digits are checked as plain text
            }
            if (out != nullptr) {
                out->push_back(c);
            }
        }
        return false;
    }
    bool Value() {
        if (m_pos >= m_text.size()) {
            return false;
        }
        switch (m_text[m_pos]) {
        case '"':
            return String(nullptr);
        case '{':
        case '[': {
            const char close = m_text[m_pos] == '{' ? '}' : ']';
            const bool object = close == '}';
            ++m_pos;
            Blank();
            if (Eat(close)) {
                return true;
            }
            do {
                Blank();
                if (object && (!String(nullptr) || (Blank(), !Eat(':')))) {
                    return false;
                }
                Blank();
                if (!Value()) {
                    return false;
                }
                Blank();
            } while (Eat(','));
            return Eat(close);
        }
        case 't':
            return Word("true");
        case 'f':
            return Word("false");
        case 'n':
            return Word("null");
        default:
            return Number();
        }
    }

    std::string_view m_text;
    std::size_t m_pos{0};
};

// Shorthand: the members of a JSON object text, or nothing when it is not one.
inline std::optional<std::map<std::string, std::string>> JsonObject(std::string_view text) {
    return JsonReader(text).Object();
}

} // namespace quillory::test
