// Protects decimal reading against x87 strtold: each text gives the extended
// value strtold gives (random texts of many shapes, the exact decimal
// expansions of rounding midpoints and their neighbours, 10,000-digit
// mantissas, the ends of the range). Slow: some 300,000 texts.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "plot/decimal.h"
#include "tests/decimal_expansion.h"
#include "tests/extended_bits.h"
#include "tests/row_name.h"
#include "tests/split_mix.h"

namespace {

using decimal_expansion::DecimalValue;
using decimal_expansion::midpointAbove;
using plot::Extended;
using plot::parseDecimal;

constexpr std::uint64_t kTop = 0x8000000000000000u;

using Random = SplitMix;

char randomDigit(Random& random) { return static_cast<char>('0' + random.below(10)); }

// The value written with its point somewhere and a matching exponent, with
// the optional decorations the grammar allows.
std::string written(const DecimalValue& v, Random& random) {
    const long length = static_cast<long>(v.digits.size());
    std::string text = random.oneIn(4) ? "-" : random.oneIn(8) ? "+" : "";
    if (random.oneIn(6)) text += std::string(static_cast<std::size_t>(random.between(1, 3)), '0');
    const long point =
        random.oneIn(3) ? length : random.between(0, static_cast<int>(std::min(length, 40L)));
    text += v.digits.substr(0, static_cast<std::size_t>(point));
    if (point < length || random.oneIn(4))
        text += "." + v.digits.substr(static_cast<std::size_t>(point));
    const long exponent = v.exponent + length - point;
    if (exponent != 0 || random.oneIn(4)) {
        text += random.oneIn(2) ? "e" : "E";
        if (exponent >= 0 && random.oneIn(3)) text += "+";
        text += std::to_string(exponent);
    }
    return text;
}

// --- Against x87 strtold --------------------------------------------------------

struct OracleCase {
    const char* name;
    int count;
    std::string (*text)(Random&);
};

std::string randomDigits(Random& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += randomDigit(random);
    return digits;
}

// Mostly short mantissas, some long; exponents small, large, and near both
// ends of the range.
std::string randomText(Random& random) {
    const int length = random.oneIn(10) ? random.between(20, 60) : random.between(1, 21);
    DecimalValue v{randomDigits(random, length), 0};
    switch (random.below(5)) {
        case 0:
            v.exponent = random.between(-30, 30);
            break;
        case 1:
            v.exponent = random.between(-400, 400);
            break;
        case 2:
            v.exponent = random.between(4925, 4935) - length;
            break;
        case 3:
            v.exponent = random.between(-4955, -4940) - length;
            break;
        default:
            v.exponent = random.between(-5000, 5000);
            break;
    }
    if (random.oneIn(20))
        v.digits += std::string(static_cast<std::size_t>(random.between(1, 30)), '0');
    return written(v, random);
}

// A random extended value's upper midpoint, exactly or a hair above or below.
std::string midpointText(Random& random) {
    int e = 0;
    switch (random.below(6)) {
        case 0:
            e = random.between(0, 70);  // subnormal and lowest normals: 11,500 digits
            if (!random.oneIn(4)) e = random.between(16383 - 200, 16383 + 200);
            break;
        case 1:
            e = random.between(0x7FFE - 70, 0x7FFE);
            break;
        case 2:
            e = random.between(1, 0x7FFE);
            if (e < 14000 && !random.oneIn(3)) e = random.between(14000, 0x7FFE);
            break;
        default:
            e = random.between(16383 - 100, 16383 + 100);
            break;
    }
    std::uint64_t significand = random.bits();
    if (e == 0)
        significand &= ~kTop;
    else
        significand |= kTop;
    if (random.oneIn(2)) significand &= ~std::uint64_t{0} << random.below(64);
    DecimalValue v = midpointAbove(significand, std::max(e, 1) - 16383 - 63);
    switch (random.below(3)) {
        case 0: {  // a hair above
            const std::string tail =
                std::string(static_cast<std::size_t>(random.below(30)), '0') + "1";
            v.digits += tail;
            v.exponent -= static_cast<long>(tail.size());
            break;
        }
        case 1: {  // a hair below
            std::string& d = v.digits;
            std::size_t i = d.size();
            while (i-- > 0 && d[i] == '0') d[i] = '9';
            d[i] = static_cast<char>(d[i] - 1);
            const int nines = random.between(1, 30);
            d += std::string(static_cast<std::size_t>(nines), '9');
            v.exponent -= nines;
            break;
        }
        default:
            break;
    }
    return written(v, random);
}

std::string longMantissaText(Random& random) {
    DecimalValue v{randomDigits(random, random.between(10'000, 12'000)), 0};
    v.exponent = random.between(-4950, 4932) - static_cast<long>(v.digits.size());
    return written(v, random);
}

// The ends of the range: the largest finite value and the overflow
// threshold, the smallest normal, the smallest subnormal and half of it,
// written short or with more digits.
std::string boundaryText(Random& random) {
    static const char* const kTexts[] = {"1e4932",
                                         "1.18973149535723176502e4932",
                                         "1.18973149535723176508e4932",
                                         "1.1897314953572317651e4932",
                                         "1e4933",
                                         "3.3621031431120935063e-4932",
                                         "3.3621031431120935062e-4932",
                                         "3.64519953188247460252e-4951",
                                         "3.6e-4951",
                                         "1.82259976594123730126e-4951",
                                         "1.8225997659412373013e-4951",
                                         "1e-4951",
                                         "1e-4950",
                                         "9.9e-4952",
                                         "0.0001e-4947"};
    std::string text = kTexts[random.below(static_cast<int>(std::size(kTexts)))];
    if (text.find('.') != std::string::npos && random.oneIn(2))
        text.insert(text.find('e'), randomDigits(random, random.between(1, 30)));
    return random.oneIn(3) ? "-" + text : text;
}

template <class Native>
void checkAgainstNative(const OracleCase& c) {
    if constexpr (!kNativeIsX87<Native>) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        std::setlocale(LC_NUMERIC, "C");
        Random random(0xDEC0000u + static_cast<std::uint64_t>(c.count));
        int failures = 0;
        for (int i = 0; i < c.count; ++i) {
            const std::string text = c.text(random);
            const std::optional<Extended> got = parseDecimal(text);
            const Extended want(static_cast<Native>(std::strtold(text.c_str(), nullptr)));
            if ((!got || !sameResult(*got, want)) && ++failures <= 5)
                ADD_FAILURE() << text.substr(0, 200) << (text.size() > 200 ? "…" : "") << ": got "
                              << (got ? bitsText(*got) : "nothing") << ", strtold gives "
                              << bitsText(want);
        }
        EXPECT_EQ(failures, 0);
    }
}

class AgainstStrtold : public testing::TestWithParam<OracleCase> {};

TEST_P(AgainstStrtold, GivesTheSameBits) { checkAgainstNative<long double>(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Decimal, AgainstStrtold,
                         testing::Values(OracleCase{"RandomTexts", 300'000, randomText},
                                         OracleCase{"Midpoints", 3'000, midpointText},
                                         OracleCase{"RangeEnds", 2'000, boundaryText},
                                         OracleCase{"TenThousandDigitMantissas", 40,
                                                    longMantissaText}),
                         RowName{});

}  // namespace
