#pragma once
// User text as it appears inside a message: one short line whatever was typed
// or pasted, so that an error box neither breaks its text over lines nor
// grows wider than the screen.

#include <cstddef>
#include <string>
#include <string_view>

// Texts of up to this many shown characters are quoted whole; longer ones keep
// kShownAtEachEnd characters at each end.
inline constexpr std::size_t kQuotedWholeUpTo = 40;
inline constexpr std::size_t kShownAtEachEnd = 16;

// `text` (UTF-8) in single quotes, with every character that would break the
// line, hide itself or reorder the line shown as an escape: \n, \r, \t, \\,
// other ASCII controls and bytes that are not UTF-8 as \xNN, invisible and
// direction-changing characters as \uNNNN. A longer text is shortened in the
// middle and followed by its length:
//   "10\n"          → '10\n'
//   100,000 nines   → '9999999999999999…9999999999999999' (100,000 characters)
std::string quotedForMessage(std::string_view text);

// `message` with at most kLongestMessage characters: a longer one keeps its
// beginning and its end around "…", so that a box showing it, wrapped, still
// fits on the screen whatever an error carries (a path, a foreign library's
// text). Bytes that are not UTF-8 count as one character each.
inline constexpr std::size_t kLongestMessage = 400;
std::string shortenedMessage(std::string_view message);
