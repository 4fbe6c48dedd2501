#pragma once
// User text as it appears inside a message: one short line whatever was typed
// or pasted, so that an error box neither breaks its text over lines nor
// grows wider than the screen.

#include <cstddef>
#include <string>
#include <string_view>

namespace conversions {

// How a text is quoted: texts of up to `wholeUpTo` shown characters whole,
// longer ones with `atEachEnd` characters at each end.
struct Quoting {
    char mark;
    std::size_t wholeUpTo;
    std::size_t atEachEnd;
};
// What was typed into a field: '10'.
inline constexpr Quoting kFieldText{'\'', 40, 16};
// A file's name: "/home/ann/chart.png"; long enough for a folder or two, and
// the end of a long one keeps the name's extension in sight.
inline constexpr Quoting kFileName{'"', 80, 38};

// `text` (UTF-8) with every character that would break the line, hide itself
// or reorder the line shown as an escape: \n, \r, \t, \\, other controls and
// invisible or direction-changing characters as \u{…} (their code point in
// hex), bytes that are not UTF-8 as \x{…}.
std::string escapedForMessage(std::string_view text);

// `text` escaped and in quotation marks. A longer text is shortened in the
// middle and followed by its length:
//   "10\n"          → '10\n'
//   "1", NUL, "2"   → '1\u{0}2'
//   100,000 nines   → '9999999999999999…9999999999999999' (100,000 characters)
std::string quotedForMessage(std::string_view text, const Quoting& quoting = kFieldText);

// `message` with at most kLongestMessage characters: a longer one keeps its
// beginning and its end around "…", so that a box showing it, wrapped, still
// fits on the screen whatever an error carries (a path, a foreign library's
// text). Bytes that are not UTF-8 count as one character each.
inline constexpr std::size_t kLongestMessage = 400;
std::string shortenedMessage(std::string_view message);

}  // namespace conversions
