#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillory {

// The command-line conventions of quillory, quillory-odds and quillory-report,
// in one parser:
// - A long option is --name; its value follows as --name=VALUE or as the next
//   argument (--name VALUE), even when that argument starts with a dash.
// - A short option is -x; its value is attached (-oFILE) or the next argument
//   (-o FILE). Short options without a value may be grouped (-hv).
// - "--" ends the options: every later argument is an operand, even "-x".
//   "-" alone is an operand (it usually means standard input or output).
// - Any other argument that starts with a dash is an error, unless it is one
//   of the foreign options given by the caller: options of a library that the
//   program hands its arguments to (Qt's -platform, -style, ...). Those are
//   accepted with one or two dashes, with "=VALUE" or the next argument as the
//   value, and are kept in order for the library.
// Every error message quotes what was typed (see MessageText.h), so it is one
// line and safe to print.

enum class OptionValue { None, Required };

struct OptionSpec {
    int id{};                // the caller's number for the option
    std::string_view name{}; // long name without the dashes; empty for none
    char letter{};           // short letter; 0 for none
    OptionValue value{OptionValue::None};
};

struct ForeignOption {
    std::string_view name{}; // without the dash: "platform", "style"
    OptionValue value{OptionValue::None};
};

struct ParsedOption {
    int id{};
    std::string spelling{}; // as typed, without any value: "--board", "-o"
    std::string_view value{};
    bool hasValue{};
};

struct ParsedArguments {
    std::vector<ParsedOption> options{}; // in command-line order
    std::vector<std::string_view> operands{};
    std::vector<std::string_view> foreign{}; // foreign options with their values

    bool Has(int id) const { return Last(id) != nullptr; }
    // The last occurrence of an option, or nullptr.
    const ParsedOption* Last(int id) const;
    int Count(int id) const;
};

// Parses the arguments after the program name. False, with a one-line message
// in `error`, for an unknown option, an option without its value, or a value
// given to an option that takes none (--json=yes).
bool ParseArguments(std::span<const std::string_view> args, std::span<const OptionSpec> options,
                    std::span<const ForeignOption> foreign, ParsedArguments& parsed,
                    std::string& error);

// False, with "option --deals is given twice" in `error`, when any of the
// program's own options occurs more than once, in any spelling ("-o a
// --output b" names --output twice): the programs never let a later option
// silently override an earlier one. Foreign options are left to their library.
bool RefuseRepeatedOptions(const ParsedArguments& parsed, std::string& error);

// The value of option `name` (as typed, "--deals") read as a whole decimal
// number from `low` to `high`. False, with one of the programs' two shared
// messages in `error`:
//   --deals needs a whole number, not '1e5'
//   --deals must be from 0 to 1000000000, not '-1'
// The value is quoted with its control characters escaped (MessageText.h).
bool ParseWholeNumber(std::string_view name, std::string_view text, std::int64_t low,
                      std::int64_t high, std::int64_t& value, std::string& error);

// The lines a program prints on standard error before it ends with status 2:
//   PROGRAM: MESSAGE
//   Try 'PROGRAM --help'.
// Control characters left in the message are escaped, so the first line is
// always one line.
std::string UsageErrorText(std::string_view program, std::string_view message);

// The arguments after the program name as UTF-8 text. On Windows they are
// read from the wide command line, so a file name in any script survives
// whatever the console's code page (argv holds it in the ANSI code page,
// with "?" for what that cannot show); elsewhere they are argv as it is.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Views of `args` for ParseArguments; they point into `args`.
std::vector<std::string_view> ArgumentViews(const std::vector<std::string>& args);

} // namespace quillory
