// Quoting of user input in messages: one line, no terminal control, readable
// text kept.
#include "platform/MessageText.h"

#include "platform/NumberText.h"

#include <gtest/gtest.h>
#include <string>

namespace quillory {
namespace {

TEST(MessageText, ControlBytesAndQuotesAreEscapedAndTextIsKept) {
    const struct {
        std::string input;
        std::string quoted;
    } cases[] = {
        {"AsKd", "'AsKd'"},
        {"", "''"},
        {"5\nquillory-odds: forged", "'5\\nquillory-odds: forged'"},
        {"\x1b[2J\x1b[31mX", "'\\x1b[2J\\x1b[31mX'"},
        {"a\tb\rc\x7f\x01", "'a\\tb\\rc\\x7f\\x01'"},
        {"it's \\ here", "'it\\'s \\\\ here'"},
        {std::string("nul\0byte", 8), "'nul\\x00byte'"},
        {"報告.txt", "'報告.txt'"},           // well-formed UTF-8 stays readable
        {"A\xE2\x99\xA0", "'A\xE2\x99\xA0'"}, // a spade sign
        {"\xC2\x9B"
         "31m",
         "'\\xc2\\x9b31m'"}, // C1 control sequence introducer
        {"\xE2\x80\xAE"
         "txt.exe",
         "'\\xe2\\x80\\xaetxt.exe'"},               // right-to-left override
        {"\xE2\x80\xA8", "'\\xe2\\x80\\xa8'"},      // line separator
        {"\xFF\xC3", "'\\xff\\xc3'"},               // not UTF-8, cut short
        {"\xC0\xAF", "'\\xc0\\xaf'"},               // overlong form of '/'
        {"\xED\xA0\x80", "'\\xed\\xa0\\x80'"},      // a surrogate half
        {"\xF0\x9F\x82\xA1", "'\xF0\x9F\x82\xA1'"}, // a playing card, four bytes
    };
    for (const auto& c : cases) {
        const std::string quoted = Quoted(c.input);
        EXPECT_EQ(quoted, c.quoted);
        for (const char byte : quoted) {
            const auto value = static_cast<unsigned char>(byte);
            EXPECT_TRUE(value >= 0x20 && value != 0x7F) << quoted;
        }
    }
}

TEST(MessageText, PrintableTextEscapesOnlyWhatATerminalWouldActOn) {
    EXPECT_EQ(PrintableText("cannot create \"/tmp/a'b\\c\": Permission denied"),
              "cannot create \"/tmp/a'b\\c\": Permission denied");
    EXPECT_EQ(PrintableText("cannot create \"x\ny\x1b]0;t\x07\""),
              "cannot create \"x\\ny\\x1b]0;t\\x07\"");
    // Text already quoted is left as it is: nothing is escaped twice.
    const std::string quoted = Quoted("a\nb");
    EXPECT_EQ(PrintableText(quoted), quoted);
}

// Numbers read the same in every locale: printf's rounding, a '.' always,
// commas between thousands, and no cut-off text for the largest values.
TEST(NumberText, FixedAndGroupedForms) {
    EXPECT_EQ(FixedText(7.126, 2), "7.13");
    EXPECT_EQ(FixedText(0.125, 2), "0.12");
    EXPECT_EQ(FixedText(88.774703, 2), "88.77");
    EXPECT_EQ(FixedText(-0.5, 0), "-0");
    EXPECT_EQ(FixedText(99.96, 1), "100.0");
    EXPECT_EQ(FixedText(1e300, 2).size(), 301U + 3U);
    EXPECT_EQ(GroupedText(0), "0");
    EXPECT_EQ(GroupedText(990), "990");
    EXPECT_EQ(GroupedText(1070190), "1,070,190");
    EXPECT_EQ(GroupedText(-2097572400), "-2,097,572,400");
    EXPECT_EQ(GroupedText(INT64_MIN), "-9,223,372,036,854,775,808");
}

} // namespace
} // namespace quillory

// The one reader of typed whole numbers: the strict form of the programs'
// options and the field form (blanks and a '+' allowed, 32 bits) built on it.
TEST(WholeNumbers, StrictAndFieldFormsReadTheSameDigits) {
    std::int64_t value = 5;
    EXPECT_EQ(quillory::ReadWholeNumber("-42", value), quillory::WholeNumberRead::Number);
    EXPECT_EQ(value, -42);
    for (const char* refused : {"", " 1", "+1", "1e5", "0x10", "4.5", "1 2", "-"}) {
        EXPECT_EQ(quillory::ReadWholeNumber(refused, value), quillory::WholeNumberRead::NotANumber)
            << refused;
    }
    EXPECT_EQ(quillory::ReadWholeNumber("99999999999999999999", value),
              quillory::WholeNumberRead::TooLarge);

    EXPECT_EQ(quillory::ReadFieldInteger(" 007 "), 7);
    EXPECT_EQ(quillory::ReadFieldInteger("-4"), -4);
    EXPECT_EQ(quillory::ReadFieldInteger("+2147483647"), 2147483647);
    EXPECT_EQ(quillory::ReadFieldInteger("-2147483648"), INT32_MIN);
    for (const char* refused : {"", " ", "-", "+", "+-1", "12a", "1 2", "0x10", "2147483648", "4.5",
                                "99999999999999999999"}) {
        EXPECT_FALSE(quillory::ReadFieldInteger(refused)) << refused;
    }
    // The stored form saturates instead of refusing.
    EXPECT_EQ(quillory::ReadStoredInteger(" +7 "), 7);
    EXPECT_EQ(quillory::ReadStoredInteger("2147483648"), INT32_MAX);
    EXPECT_EQ(quillory::ReadStoredInteger("-99999999999999999999"), INT32_MIN);
    EXPECT_FALSE(quillory::ReadStoredInteger("4.5"));
}
