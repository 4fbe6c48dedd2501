// Writes tests/data/expected_bits.txt: for a few thousand inputs, the
// coefficients, pass count and a hash of every pass as native x87 long double
// and the curve arithmetic as first written give them. Built only where long
// double is the x87 format. Run:
// build/release/tests/expected_bits_x87 > tests/data/expected_bits.txt

#include <array>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/split_mix.h"
#include "tests/x87_expected_bits.h"

namespace {

using Fields = std::array<std::string, 4>;

using Random = SplitMix;

std::string digits(Random& random, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += static_cast<char>('0' + random.between(0, 9));
    return text;
}

// A coefficient-side field (Vramp, Omaga): any shape and size, zeros now and
// then, and sometimes far beyond a float.
std::string anyNumber(Random& random) {
    const std::string sign = random.oneIn(3) ? "-" : "";
    switch (random.between(0, 9)) {
        case 0:
            return sign + std::to_string(random.between(0, 99));
        case 1:
            return sign + digits(random, random.between(1, 20)) + "e" +
                   std::to_string(random.between(-40, 40));
        case 2:
            return sign + "1." + digits(random, random.between(1, 20)) + "e" +
                   std::to_string(random.oneIn(2) ? random.between(280, 320)
                                                  : random.between(-320, -280));
        case 3:
            return sign + digits(random, 2) + "e" +
                   std::to_string(random.oneIn(2) ? random.between(4000, 4940)
                                                  : random.between(-4950, -4000));
        default: {
            const std::string whole = std::to_string(random.between(0, 999));
            return sign + whole + "." + digits(random, random.between(1, 21));
        }
    }
}

// A span: few passes (up to about 300), often not whole, now and then just
// below or above a whole number by less than a double can tell.
std::string spanNumber(Random& random) {
    switch (random.between(0, 7)) {
        case 0:
            return std::to_string(random.between(-5, 300));
        case 1:
            return std::to_string(random.between(0, 299)) + ".99999999999999999" +
                   digits(random, random.between(0, 3));
        case 2:
            return std::to_string(random.between(-3, 300)) + "." +
                   digits(random, random.between(1, 8));
        case 3:
            return digits(random, 1) + "." + digits(random, 2) + "e" +
                   std::to_string(random.between(0, 2));
        default:
            return std::to_string(random.between(0, 120));
    }
}

std::vector<Fields> inputs() {
    std::vector<Fields> rows = {
        // Where a 64-bit or 128-bit long double gives other bits.
        {"-29", "53", "1", "19"},
        {"-28", "67", "-8", "72"},
        {"8", "22", "3", "38"},
        {"-16", "88", "6", "45"},
        {"-11", "1", "3", "31"},
        {"1e4000", "1", "1e4000", "3"},
        {"1e300", "1e10", "1e300", "1"},
        {"10", "9.99999999999999999", "10", "10"},
        {"10", "9.9999999999999999997", "10", "10"},
        // A subnormal float coefficient (b0 = 5e-41), which flush-to-zero or
        // denormals-are-zero in the sampling thread would turn into zero.
        {"1", "1", "1e40", "1"},
        // Worked cases.
        {"4", "5", "8", "15"},
        {"10", "2", "10", "12"},
        {"1", "10", "10", "20"},
        {"10", "10", "10", "10"},
        // Errors.
        {"10", "10", "0", "10"},
        {"10", "10", "-0", "10"},
        {"1e30", "1e30", "1", "0"},
        {"1e38", "30", "10", "30"},
        {"1.5e36", "20", "1", "0"},
        {"4", "5", "1e5000", "15"},
        {"-1e-5000", "5", "8", "15"},
    };
    Random random(0xB175);
    for (int i = 0; i < 2000; ++i)
        rows.push_back(
            {anyNumber(random), spanNumber(random), anyNumber(random), spanNumber(random)});
    // Small whole parameters, as typed most often.
    for (int i = 0; i < 1000; ++i)
        rows.push_back(
            {std::to_string(random.between(-30, 30)), std::to_string(random.between(-2, 100)),
             std::to_string(random.between(-10, 10)), std::to_string(random.between(-2, 100))});
    // A few longer runs, to x in the thousands.
    for (int i = 0; i < 12; ++i)
        rows.push_back({anyNumber(random), std::to_string(random.between(1000, 40000)),
                        anyNumber(random), spanNumber(random)});
    return rows;
}

}  // namespace

int main() {
    std::setlocale(LC_ALL, "C");
    std::printf(
        "# Expected bits of the curve arithmetic, from native x87 long double and the\n"
        "# arithmetic as first written (tools/expected_bits_x87.cpp; format in\n"
        "# tests/expected_bits.h):\n"
        "# Vramp Span1 Omaga Span2 = a0..a4 b0..b4 (float bits) passes hash, or error: message\n");
    for (const Fields& fields : inputs()) {
        std::printf("%s %s %s %s = %s\n", fields[0].c_str(), fields[1].c_str(), fields[2].c_str(),
                    fields[3].c_str(), x87::expectedResult(fields).c_str());
    }
}
