#pragma once
// Helpers shared by the tests of the extended type and its users: an
// extended value's bits as text, and the switch that lets a test use native
// long double as its oracle only where that is the x87 format.

#include <concepts>
#include <cstdio>
#include <string>

#include "plot/extended.h"

// Test bodies that use long double as the oracle are templates on `Native`
// and run only when this holds, so that they still compile where long double
// is another format.
template <class Native>
inline constexpr bool kNativeIsX87 = std::same_as<Native, long double>&& plot::kLongDoubleIsX87;

// "sign+exponent:significand" in hex, e.g. 3fff:8000000000000000 for 1.
inline std::string bitsText(plot::Extended v) {
    char text[32];
    std::snprintf(text, sizeof text, "%04x:%016llx", static_cast<unsigned>(v.signAndExponent()),
                  static_cast<unsigned long long>(v.significand()));
    return text;
}

// Same bits, or both NaN (whose payloads the x87 picks by rules of its own).
inline bool sameResult(plot::Extended a, plot::Extended b) {
    return (a.isNaN() && b.isNaN()) ||
           (a.signAndExponent() == b.signAndExponent() && a.significand() == b.significand());
}
