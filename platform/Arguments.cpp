#include "platform/Arguments.h"

#include "platform/MessageText.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>
#endif

namespace quillory {
namespace {

// The state of one pass over the arguments.
struct Reader {
    std::span<const std::string_view> args;
    std::span<const OptionSpec> options;
    std::span<const ForeignOption> foreign;
    ParsedArguments& parsed;
    std::string& error;
    std::size_t next{0}; // index of the argument after the one being read

    bool Fail(std::string message) {
        error = std::move(message);
        return false;
    }

    // The next argument as the value of `spelling`, or an error.
    bool TakeNext(std::string_view spelling, std::string_view& value) {
        if (next >= args.size()) {
            return Fail(std::string(spelling) + " needs a value");
        }
        value = args[next++];
        return true;
    }

    bool ReadForeign(std::string_view arg) {
        std::string_view body = arg.substr(arg.starts_with("--") ? 2 : 1);
        const auto eq = body.find('=');
        const std::string_view name = body.substr(0, eq);
        const auto found = std::find_if(foreign.begin(), foreign.end(),
                                        [name](const ForeignOption& f) { return f.name == name; });
        if (found == foreign.end()) {
            return false;
        }
        parsed.foreign.push_back(arg);
        if (found->value == OptionValue::Required && eq == std::string_view::npos) {
            std::string_view value;
            if (!TakeNext(arg, value)) {
                return true; // the error is set; the caller sees it
            }
            parsed.foreign.push_back(value);
        }
        return true;
    }

    bool ReadLong(std::string_view arg) {
        const auto eq = arg.find('=');
        const std::string_view spelling = arg.substr(0, eq);
        const std::string_view name = spelling.substr(2);
        const auto found = std::find_if(options.begin(), options.end(),
                                        [name](const OptionSpec& o) { return o.name == name; });
        if (found == options.end() || name.empty()) {
            return Fail("unknown option " + Quoted(spelling));
        }
        ParsedOption option{found->id, std::string(spelling), {}, false};
        if (found->value == OptionValue::None) {
            if (eq != std::string_view::npos) {
                return Fail(std::string(spelling) + " takes no value");
            }
        } else if (eq != std::string_view::npos) {
            option.value = arg.substr(eq + 1);
            option.hasValue = true;
        } else {
            if (!TakeNext(spelling, option.value)) {
                return false;
            }
            option.hasValue = true;
        }
        parsed.options.push_back(std::move(option));
        return true;
    }

    // A group of short options: -h, -hv, -oFILE, -o FILE.
    bool ReadShort(std::string_view arg) {
        for (std::size_t i = 1; i < arg.size(); ++i) {
            const char letter = arg[i];
            const auto found =
                std::find_if(options.begin(), options.end(),
                             [letter](const OptionSpec& o) { return o.letter == letter; });
            const std::string spelling = std::string("-") + letter;
            if (found == options.end()) {
                return Fail("unknown option " +
                            Quoted(i == 1 ? arg.substr(0, 2) : std::string_view(spelling)) +
                            (i == 1 ? "" : " in " + Quoted(arg)));
            }
            ParsedOption option{found->id, spelling, {}, false};
            if (found->value == OptionValue::Required) {
                if (i + 1 < arg.size()) {
                    option.value = arg.substr(i + 1);
                } else if (!TakeNext(spelling, option.value)) {
                    return false;
                }
                option.hasValue = true;
                parsed.options.push_back(std::move(option));
                return true;
            }
            parsed.options.push_back(std::move(option));
        }
        return true;
    }

    bool Run() {
        bool optionsEnded = false;
        while (next < args.size()) {
            const std::string_view arg = args[next++];
            if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
                parsed.operands.push_back(arg);
                continue;
            }
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            if (!foreign.empty() && ReadForeign(arg)) {
                if (!error.empty()) {
                    return false;
                }
                continue;
            }
            const bool read = arg[1] == '-' ? ReadLong(arg) : ReadShort(arg);
            if (!read) {
                return false;
            }
        }
        return true;
    }
};

} // namespace

const ParsedOption* ParsedArguments::Last(int id) const {
    for (auto it = options.rbegin(); it != options.rend(); ++it) {
        if (it->id == id) {
            return &*it;
        }
    }
    return nullptr;
}

int ParsedArguments::Count(int id) const {
    return static_cast<int>(std::count_if(options.begin(), options.end(),
                                          [id](const ParsedOption& o) { return o.id == id; }));
}

bool ParseArguments(std::span<const std::string_view> args, std::span<const OptionSpec> options,
                    std::span<const ForeignOption> foreign, ParsedArguments& parsed,
                    std::string& error) {
    parsed = ParsedArguments{};
    error.clear();
    Reader reader{args, options, foreign, parsed, error};
    return reader.Run();
}

bool RefuseRepeatedOptions(const ParsedArguments& parsed, std::string& error) {
    for (auto later = parsed.options.begin(); later != parsed.options.end(); ++later) {
        const auto first = std::find_if(parsed.options.begin(), later,
                                        [&](const ParsedOption& o) { return o.id == later->id; });
        if (first != later) {
            error = "option " + later->spelling + " is given twice";
            if (first->spelling != later->spelling) {
                error += " (as " + first->spelling + ")";
            }
            return false;
        }
    }
    return true;
}

bool ParseWholeNumber(std::string_view name, std::string_view text, std::int64_t low,
                      std::int64_t high, std::int64_t& value, std::string& error) {
    std::int64_t parsed = 0;
    const WholeNumberRead read = ReadWholeNumber(text, parsed);
    if (read == WholeNumberRead::NotANumber) {
        error = std::string(name) + " needs a whole number, not " + Quoted(text);
        return false;
    }
    if (read == WholeNumberRead::TooLarge || parsed < low || parsed > high) {
        error = std::string(name) + " must be from " + std::to_string(low) + " to " +
                std::to_string(high) + ", not " + Quoted(text);
        return false;
    }
    value = parsed;
    return true;
}

std::string UsageErrorText(std::string_view program, std::string_view message) {
    const std::string name(program);
    return name + ": " + PrintableText(message) + "\nTry '" + name + " --help'.\n";
}

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* text) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string converted(static_cast<std::size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), length, nullptr, nullptr);
    converted.pop_back(); // the terminating NUL
    return converted;
}

} // namespace
#endif

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (wide != nullptr) {
        std::vector<std::string> args;
        for (int i = 1; i < count; ++i) {
            args.push_back(Utf8FromWide(wide[i]));
        }
        ::LocalFree(wide);
        return args;
    }
#endif
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
}

std::vector<std::string_view> ArgumentViews(const std::vector<std::string>& args) {
    return std::vector<std::string_view>(args.begin(), args.end());
}

} // namespace quillory
