// Protects how user text appears inside a message: escapes for everything
// that breaks, hides or reorders a line, shortening in the middle with the
// length, and nothing of the text lost or changed in what is shown.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/MessageText.h"
#include "tests/row_name.h"

namespace {

struct Quoted {
    const char* name;
    std::string text;
    const char* shown;
};

class QuotedForMessage : public testing::TestWithParam<Quoted> {};

TEST_P(QuotedForMessage, ShowsTheTextOnOneShortLine) {
    EXPECT_EQ(quotedForMessage(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    MessageText, QuotedForMessage,
    testing::Values(
        Quoted{"Plain", "abc", "'abc'"}, Quoted{"Empty", "", "''"},
        Quoted{"LineBreaksAndTab", "10\r\n\t", "'10\\r\\n\\t'"},
        Quoted{"Backslash", "1\\n", "'1\\\\n'"},
        Quoted{"OtherControls", std::string("\0\x1b\x7f", 3), "'\\x00\\x1b\\x7f'"},
        Quoted{"NotUtf8", "1\xff\xc0\x80", "'1\\xff\\xc0\\x80'"},
        Quoted{"SurrogateEncoded", "\xed\xa0\x80", "'\\xed\\xa0\\x80'"},
        Quoted{"CutSequence", "1\xe2\x82", "'1\\xe2\\x82'"},
        Quoted{"InvisibleAndLayout", "1\u00a0000\u2028\u202e\ufeff",
               "'1\\u00a0000\\u2028\\u202e\\ufeff'"},
        Quoted{"OtherScriptsKept", "1,5 € 確定", "'1,5 € 確定'"},
        Quoted{"FortyWhole", std::string(40, '7'), "'7777777777777777777777777777777777777777'"},
        Quoted{"FortyOneShortened", std::string(41, '7'),
               "'7777777777777777…7777777777777777' (41 characters)"},
        Quoted{"EscapesCountAsTheirWidth", std::string(39, 'a') + "\n",
               "'aaaaaaaaaaaaaaaa…aaaaaaaaaaaaaa\\n' (40 characters)"},
        Quoted{"HundredThousandNines", std::string(100'000, '9'),
               "'9999999999999999…9999999999999999' (100,000 characters)"},
        Quoted{
            "LongCjkCountsCharacters",
            [] {
                std::string s;
                for (int i = 0; i < 50; ++i) s += "確";
                return s;
            }(),
            "'確確確確確確確確確確確確確確確確…確確確確確確確確確確確確確確確確' (50 characters)"}),
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
        if (kind == 'n') text += '\n';
        if (kind == 'r') text += '\r';
        if (kind == 't') text += '\t';
        if (kind == '\\') text += '\\';
        if (kind == 'x') {
            text += static_cast<char>(std::stoi(shown.substr(i + 1, 2), nullptr, 16));
            i += 2;
        }
        if (kind == 'u') {
            const int c = std::stoi(shown.substr(i + 1, 4), nullptr, 16);
            i += 4;
            if (c < 0x800) {
                text += static_cast<char>(0xC0 | (c >> 6));
            } else {
                text += static_cast<char>(0xE0 | (c >> 12));
                text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            }
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

// Random texts built from pieces whose character count is known: printable
// ASCII, backslashes, controls, multi-byte characters visible and invisible,
// and bytes that are no UTF-8 (lone continuation bytes, never-used bytes,
// overlong and surrogate forms, each counting one character per byte).
TEST(MessageText, ShowsEveryTextRecoverablyOnOneBoundedLine) {
    struct Piece {
        const char* bytes;
        std::size_t characters;
    };
    const Piece pieces[] = {
        {"7", 1},
        {"a", 1},
        {" ", 1},
        {"\\", 1},
        {"\n", 1},
        {"\r", 1},
        {"\t", 1},
        {"\x01", 1},
        {"\x7f", 1},
        {"é", 1},
        {"確", 1},
        {"😀", 1},
        {"\u2028", 1},
        {"\u202e", 1},
        {"\u00a0", 1},
        {"\x80", 1},
        {"\xbf", 1},
        {"\xff", 1},
        {"\xc0\xaf", 2},
        {"\xed\xa0\x80", 3},
        {"\xe0\x80\x80", 3},
    };
    const char* const kNeverShownRaw[] = {"\n",   "\r",     "\t",     "\x01",
                                          "\x7f", "\u2028", "\u202e", "\u00a0"};
    std::mt19937 random(13);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::geometric_distribution<std::size_t> length(0.03);
    for (int round = 0; round < 20'000; ++round) {
        std::string text;
        std::size_t characters = 0;
        for (std::size_t n = length(random); n > 0; --n) {
            const Piece& piece = pieces[pick(random)];
            text += piece.bytes;
            characters += piece.characters;
        }
        const std::string shown = quotedForMessage(text);
        SCOPED_TRACE(shown);
        for (const char* raw : kNeverShownRaw) ASSERT_EQ(shown.find(raw), std::string::npos);
        ASSERT_EQ(shown.front(), '\'');
        const std::size_t close = shown.rfind('\'');
        const std::string inner = shown.substr(1, close - 1);
        const std::size_t cut = inner.find("…");
        if (cut == std::string::npos) {
            ASSERT_EQ(close, shown.size() - 1);
            ASSERT_EQ(unescaped(inner), text);
            ASSERT_LE(characters, kQuotedWholeUpTo);
            continue;
        }
        // The shown ends are the text's ends, and the length is the text's.
        const std::string head = unescaped(inner.substr(0, cut));
        const std::string tail = unescaped(inner.substr(cut + std::string("…").size()));
        ASSERT_EQ(text.substr(0, head.size()), head);
        ASSERT_EQ(text.substr(text.size() - tail.size()), tail);
        ASSERT_EQ(
            shown.substr(close + 1), " (" + [&] {
                std::string digits = std::to_string(characters);
                if (digits.size() > 3) digits.insert(digits.size() - 3, ",");
                return digits;
            }() + " characters)");
        ASSERT_LE(inner.size(), 4 * (2 * kShownAtEachEnd) + std::string("…").size());
    }
}

}  // namespace
