// Protects how user text appears inside a message: escapes for everything
// that breaks, hides or reorders a line, shortening in the middle with the
// length, and nothing of the text lost or changed in what is shown.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/conversions/MessageText.h"
#include "tests/row_name.h"

namespace {

using namespace conversions;

struct Quoted {
    const char* name;
    std::string text;
    const char* shown;
    Quoting quoting = kFieldText;
};

class QuotedForMessage : public testing::TestWithParam<Quoted> {};

TEST_P(QuotedForMessage, ShowsTheTextOnOneShortLine) {
    EXPECT_EQ(quotedForMessage(GetParam().text, GetParam().quoting), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    MessageText, QuotedForMessage,
    testing::Values(
        Quoted{"Escapes", std::string("10\r\n\t\\\0\x7f\xff", 9),
               "'10\\r\\n\\t\\\\\\u{0}\\u{7f}\\x{ff}'"},
        Quoted{"EscapeEndsBeforeADigit",
               std::string("1\0"
                           "2",
                           3),
               "'1\\u{0}2'"},
        Quoted{"LongFileNameKeepsItsExtension", "/tmp/" + std::string(295, 'n') + ".csv",
               "\"/tmp/nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn…nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn.csv\" "
               "(304 characters)",
               kFileName},
        Quoted{"EscapesCountAsTheirWidth", std::string(39, 'a') + "\n",
               "'aaaaaaaaaaaaaaaa…aaaaaaaaaaaaaa\\n' (40 characters)"},
        Quoted{"HundredThousandNines", std::string(100'000, '9'),
               "'9999999999999999…9999999999999999' (100,000 characters)"}),
    RowName{});

// The text back from what is shown, reading each escape; independent of how
// the code under test decodes.
std::string unescaped(const std::string& shown) {
    std::string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != '\\') {
            text += shown[i];
            continue;
        }
        const char kind = shown[++i];
        if (kind == 'n' || kind == 'r' || kind == 't' || kind == '\\')
            text += kind == 'n' ? '\n' : kind == 'r' ? '\r' : kind == 't' ? '\t' : '\\';
        if (kind != 'x' && kind != 'u') continue;
        const std::size_t close = shown.find('}', i);
        const int c = std::stoi(shown.substr(i + 2, close - i - 2), nullptr, 16);
        i = close;
        if (kind == 'x' || c < 0x80) {  // a byte, or a control
            text += static_cast<char>(c);
            continue;
        }
        // Only 2- and 3-byte characters are escaped as code points.
        if (c >= 0x800) text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>((c >= 0x800 ? 0x80 : 0xC0) | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

// Random texts of pieces whose character counts are known (printable text,
// controls, multi-byte characters visible and invisible, bytes that are no
// UTF-8, one character each): whatever is shown holds no raw control or
// invisible character, gives the text back (its two ends when shortened) and
// the right length.
TEST(MessageText, ShowsEveryTextRecoverablyOnOneBoundedLine) {
    const std::pair<const char*, std::size_t> pieces[] = {
        {"7", 1},    {" ", 1},      {"\\", 1},       {"\n", 1},
        {"\r", 1},   {"\x01", 1},   {"é", 1},        {"確", 1},
        {"😀", 1},    {"\u2028", 1}, {"\u202e", 1},   {"\u00a0", 1},
        {"\x80", 1}, {"\xff", 1},   {"\xc0\xaf", 2}, {"\xed\xa0\x80", 3},
    };
    const char* const kNeverRaw[] = {"\n", "\r", "\x01", "\u2028", "\u202e", "\u00a0"};
    std::mt19937 random(13);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::geometric_distribution<std::size_t> length(0.03);
    for (int round = 0; round < 20'000; ++round) {
        std::string text;
        std::size_t characters = 0;
        for (std::size_t n = length(random); n > 0; --n) {
            const auto& [bytes, count] = pieces[pick(random)];
            text += bytes;
            characters += count;
        }
        const std::string shown = quotedForMessage(text);
        SCOPED_TRACE(shown);
        for (const char* raw : kNeverRaw) ASSERT_EQ(shown.find(raw), std::string::npos);
        const std::size_t close = shown.rfind('\'');
        const std::string inner = shown.substr(1, close - 1);
        const std::size_t cut = inner.find("…");
        if (cut == std::string::npos) {
            ASSERT_EQ(unescaped(inner), text);
            ASSERT_EQ(close, shown.size() - 1);
            continue;
        }
        const std::string head = unescaped(inner.substr(0, cut));
        const std::string tail = unescaped(inner.substr(cut + std::string("…").size()));
        ASSERT_EQ(text.substr(0, head.size()), head);
        ASSERT_EQ(text.substr(text.size() - tail.size()), tail);
        ASSERT_LE(inner.size(), 4 * 2 * kFieldText.atEachEnd + std::string("…").size());
        std::string count = std::to_string(characters);
        if (count.size() > 3) count.insert(count.size() - 3, ",");
        ASSERT_EQ(shown.substr(close + 1), " (" + count + " characters)");
    }
}

TEST(MessageText, ALongMessageKeepsItsEndsWithinTheLimit) {
    EXPECT_EQ(shortenedMessage("short"), "short");
    std::string message;
    for (std::size_t i = 0; i < kLongestMessage; ++i) message += "確";
    EXPECT_EQ(shortenedMessage(message), message);
    const std::string longer = "Head" + message + "Tail";
    const std::string shortened = shortenedMessage(longer);
    EXPECT_EQ(shortened.substr(0, 4), "Head");
    EXPECT_EQ(shortened.substr(shortened.size() - 4), "Tail");
    const std::size_t kept = (kLongestMessage - 1) / 2;  // characters at each end
    EXPECT_EQ(shortened.size(), 4 + 4 + std::string("…").size() + 3 * (2 * kept - 8));
}

}  // namespace
