#pragma once
// Numbers as the texts a user reads: point labels and table values.

#include <cstddef>
#include <string>

namespace plot {

// Every whole number of magnitude up to 2^24 is a float, and prints as its
// plain digits; beyond it, and for fractions, the shortest text is used.
inline constexpr float kLargestPlainWhole = 16777216.0f;

// True when `value` prints as plain decimal digits with no sign or point.
bool isPlainWhole(float value);

// Whole numbers up to 2^24 as plain digits ("0", "16777216"); any other value
// as the shortest text that reads back to the same value of its own type, so
// that a 32-bit value prints as "0.1" where its widening needs 17 digits.
std::string shortestText(float value);
std::string shortestText(double value);

// A point's value: as the float it is, where it is one ("0.1", not
// "0.10000000149011612"), else as a double.
std::string valueText(double value);

// The same texts written in place, for writing millions of them: `out` has
// room for kNumberChars characters; returns the end of the text.
inline constexpr std::size_t kNumberChars = 32;  // the longest shortest double is 24
char* valueChars(double value, char* out);

// "1,048,575": a count in a message, digits grouped by threes.
std::string groupedDigits(std::size_t count);

}  // namespace plot
