// Fuzz target for StrToFloat, the one function that takes whatever a user
// types or pastes. For every text it checks that StrToFloat either returns a
// value or throws EConvertError (anything else escaping is a crash), that it
// returns a value exactly for the texts of the number grammar whose value is
// within the extended range and, unless the number is zero, not rounded to
// zero, and that the value has the bits x87 strtold gives under the C locale.
// A refusal must say why: "not a valid number" outside the grammar, "out of
// range" beyond the range, "too small: it becomes zero" for a nonzero number
// that rounds to zero.
//
// libFuzzer runs it (`make fuzz`); corpus_main.cpp runs it over the seed
// corpus in every test build. Where long double is not the x87 format, or
// the C library's strtold is no oracle (Windows), only the grammar is checked.

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/conversions/Conversions.h"
#include "platform/conversions/Exception.h"
#include "tests/extended_bits.h"

namespace {

using conversions::EConvertError;
using plot::Extended;

// --- The grammar, as a state machine ----------------------------------------
//
//     blanks [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits] blanks
//
// where blanks are spaces, tabs and line breaks (CR, LF).
//
// A table-driven recogniser rather than a second copy of the parser's scanner,
// so that the two are unlikely to share a mistake. (std::regex would do, but
// libstdc++'s recurses once per character and overflows the stack on the
// 10,000-digit inputs the fuzzer tries.)

// The mantissa's states come first: numberIn looks for its nonzero digits
// in the states before kExponentMark.
enum State : std::uint8_t {
    kLeading,       // blanks so far
    kSign,          // a sign
    kWhole,         // digits before any point: accepting
    kLonePoint,     // a point with no digit before it
    kWholePoint,    // digits and a point ("5."): accepting
    kFraction,      // digits after the point: accepting
    kExponentMark,  // e or E
    kExponentSign,  // its sign
    kExponent,      // its digits: accepting
    kTrailing,      // blanks after a number: accepting
    kRejected,
};

enum CharClass : std::uint8_t { kBlank, kSignChar, kDigit, kPoint, kE, kOther };

CharClass classOf(char c) {
    switch (c) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
            return kBlank;
        case '+':
        case '-':
            return kSignChar;
        case '.':
            return kPoint;
        case 'e':
        case 'E':
            return kE;
        default:
            return c >= '0' && c <= '9' ? kDigit : kOther;
    }
}

constexpr State R = kRejected;
// clang-format off
constexpr State kNext[][6] = {
    //                  blank      sign           digit      point        e              other
    /* Leading      */ {kLeading,  kSign,         kWhole,    kLonePoint,  R,             R},
    /* Sign         */ {R,         R,             kWhole,    kLonePoint,  R,             R},
    /* Whole        */ {kTrailing, R,             kWhole,    kWholePoint, kExponentMark, R},
    /* LonePoint    */ {R,         R,             kFraction, R,           R,             R},
    /* WholePoint   */ {kTrailing, R,             kFraction, R,           kExponentMark, R},
    /* Fraction     */ {kTrailing, R,             kFraction, R,           kExponentMark, R},
    /* ExponentMark */ {R,         kExponentSign, kExponent, R,           R,             R},
    /* ExponentSign */ {R,         R,             kExponent, R,           R,             R},
    /* Exponent     */ {kTrailing, R,             kExponent, R,           R,             R},
    /* Trailing     */ {kTrailing, R,             R,         R,           R,             R},
    /* Rejected     */ {R,         R,             R,         R,           R,             R},
};
// clang-format on

bool accepting(State s) {
    return s == kWhole || s == kWholePoint || s == kFraction || s == kExponent || s == kTrailing;
}

struct Number {
    std::string_view text;  // without the blanks around it
    bool nonzero;           // a digit of the mantissa is not 0
};

std::optional<Number> numberIn(std::string_view text) {
    State state = kLeading;
    std::size_t first = 0, end = 0;
    bool nonzero = false;
    for (std::size_t i = 0; i < text.size() && state != kRejected; ++i) {
        const char c = text[i];
        if (state < kExponentMark && c >= '1' && c <= '9') nonzero = true;
        const State next = kNext[state][classOf(c)];
        if (state == kLeading && next != kLeading) first = i;
        if (next != kTrailing) end = i + 1;
        state = next;
    }
    if (!accepting(state)) return std::nullopt;
    return Number{text.substr(first, end - first), nonzero};
}

// --- Reporting ----------------------------------------------------------------

// The text as a C string literal, shortened in the middle when long.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() > 200 && i == 100) {
            out += "\" … (" + std::to_string(text.size()) + " bytes) … \"";
            i = text.size() - 100;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", c);
            out += escape;
        }
    }
    return out + "\"";
}

[[noreturn]] void fail(std::string_view text, const std::string& what) {
    std::fprintf(stderr, "StrToFloat(%s): %s\n", quoted(text).c_str(), what.c_str());
    std::abort();
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

// --- The oracle -----------------------------------------------------------------

// x87 strtold under the "C" locale (strtold reads the decimal point of the
// process locale; "C" has '.'). None on Windows: mingw-w64's strtold gives
// wrong bits for some numbers of thousands of digits (the seed
// found/2fff022b…: ffc2:ffffffffffffffff where the x87 rounding, glibc's
// strtold and StrToFloat give 0001:ffffffffffffffff), so there only the
// grammar is checked.
std::optional<long double> strtoldInC([[maybe_unused]] const std::string& digits) {
#if defined(_WIN32)
    return std::nullopt;
#else
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtold_l(digits.c_str(), nullptr, cLocale);
#endif
}

// What StrToFloat must do with a number of the grammar: give strtold's bits,
// or refuse it where strtold overflows or gives zero for a nonzero number.
// Without an oracle it must at least take the number, or refuse it as out of
// range or too small.
template <class Native>
void checkNumber(std::string_view text, const Number& number, const std::optional<Extended>& value,
                 const std::string& refusal) {
    if constexpr (kNativeIsX87<Native>) {
        if (const std::optional<Native> native = strtoldInC(std::string(number.text))) {
            if (std::isinf(*native)) {
                if (value) fail(text, "gives " + bitsText(*value) + " where strtold overflows");
                if (!endsWith(refusal, " is out of range"))
                    fail(text, "beyond the range, but refused with '" + refusal + "'");
                return;
            }
            if (*native == 0 && number.nonzero) {
                if (value) fail(text, "gives " + bitsText(*value) + " where strtold gives zero");
                if (!endsWith(refusal, " is too small: it becomes zero"))
                    fail(text, "rounds to zero, but refused with '" + refusal + "'");
                return;
            }
            const Extended want(*native);
            if (!value) fail(text, "strtold gives " + bitsText(want) + ", refused: " + refusal);
            if (!sameResult(*value, want))
                fail(text, "gives " + bitsText(*value) + ", strtold " + bitsText(want));
            return;
        }
    }
    if (!value && !endsWith(refusal, " is out of range") &&
        !endsWith(refusal, " is too small: it becomes zero"))
        fail(text, "in the grammar, but refused with '" + refusal + "'");
}

void check(std::string_view text) {
    std::optional<Extended> value;
    std::string refusal;
    try {
        value = StrToFloat(text);
    } catch (const EConvertError& error) {
        refusal = error.Message();
    }
    const std::optional<Number> number = numberIn(text);
    if (number) {
        checkNumber<long double>(text, *number, value, refusal);
    } else if (value) {
        fail(text, "outside the grammar, but gives " + bitsText(*value));
    } else if (!endsWith(refusal, " is not a valid number")) {
        fail(text, "outside the grammar, but refused with '" + refusal + "'");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check({reinterpret_cast<const char*>(data), size});
    return 0;
}
