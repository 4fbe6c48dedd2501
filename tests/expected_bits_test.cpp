// Protects the whole curve arithmetic against a checked-in record of its
// bits: for a few thousand inputs, the coefficients, the pass count and a
// hash of every pass must be what native x87 long double gave when the file
// was made, on every platform; and where long double is the x87 format, the
// arithmetic as first written must still give the file, so the record stays
// true, and must give the same bits as ours for random parameters too.

#include "tests/expected_bits.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <string>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/extended_bits.h"
#include "tests/split_mix.h"
#include "tests/x87_expected_bits.h"

namespace {

using expected_bits::errorText;

std::string resultWithExtended(const std::array<std::string, 4>& fields) {
    plot::Extended values[4];
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<plot::Extended> value = plot::parseDecimal(fields[i]);
        if (!value) return errorText("not a number");
        if (value->isInf()) return errorText("out of range");
        values[i] = *value;
    }
    try {
        const plot::Parameters parameters{values[0], values[1], values[2], values[3]};
        const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
        expected_bits::PassHash hash;
        std::uint64_t passes = 0;
        plot::sampleCurves(parameters, coefficients, [&](const plot::Pass& pass) {
            hash.add(pass.x, pass.count1, pass.count2, pass.y1, pass.y2);
            ++passes;
        });
        return expected_bits::resultText(coefficients.a, coefficients.b, passes, hash.value());
    } catch (const plot::PlotError& error) {
        return errorText(error.what());
    }
}

template <class Compute>
void expectTheFileReproduced(Compute&& compute) {
    const std::vector<expected_bits::Line> lines =
        expected_bits::readLines(CURVEPLOT_EXPECTED_BITS_FILE);
    ASSERT_GE(lines.size(), 3000u) << "reading " << CURVEPLOT_EXPECTED_BITS_FILE;
    int failures = 0;
    for (const expected_bits::Line& line : lines) {
        const std::string result = compute(line.fields);
        if (result != line.result && ++failures <= 5)
            ADD_FAILURE() << "line " << line.number << ": " << line.fields[0] << " "
                          << line.fields[1] << " " << line.fields[2] << " " << line.fields[3]
                          << "\n  gives " << result << "\n  file  " << line.result;
    }
    EXPECT_EQ(failures, 0);
}

TEST(ExpectedBits, TheExtendedArithmeticReproducesTheFile) {
    expectTheFileReproduced(resultWithExtended);
}

TEST(ExpectedBits, NativeX87ArithmeticStillReproducesTheFile) {
    if (!plot::kLongDoubleIsX87) GTEST_SKIP() << "long double is not the x87 format here";
    expectTheFileReproduced(x87::expectedResult);
}

// A number as typed most often: whole, now and then with a decimal or two.
std::string typedNumber(SplitMix& random, int from, int to) {
    std::string text = std::to_string(random.between(from, to));
    if (random.oneIn(4)) text += "." + std::to_string(random.between(0, 99));
    return text;
}

std::vector<std::array<float, 5>> passesOf(const plot::Parameters& parameters) {
    std::vector<std::array<float, 5>> passes;
    plot::sampleCurves(parameters, plot::deriveCoefficients(parameters), [&](const plot::Pass& p) {
        passes.push_back({p.x, p.count1, p.count2, p.y1, p.y2});
    });
    return passes;
}

template <class Native>
std::vector<std::array<float, 5>> nativePassesOf(const std::array<std::string, 4>& fields) {
    Native v[4];
    for (std::size_t i = 0; i < fields.size(); ++i) v[i] = std::strtold(fields[i].c_str(), nullptr);
    const x87::Parameters parameters{v[0], v[1], v[2], v[3]};
    std::vector<std::array<float, 5>> passes;
    x87::sampleCurves(parameters, x87::deriveCoefficients(parameters), [&](const x87::Pass& p) {
        passes.push_back({p.x, p.count1, p.count2, p.y1, p.y2});
    });
    return passes;
}

// About one sample in 20,000 of these (terms that nearly cancel, near x = 2)
// comes out as another float unless every step is rounded to extended.
template <class Native>
void expectRandomParametersToGiveTheNativeBits() {
    if constexpr (!kNativeIsX87<Native>) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        SplitMix random(0xC0FFEE);
        int failures = 0;
        std::size_t samples = 0;
        for (int i = 0; i < 20'000; ++i) {
            const std::array<std::string, 4> fields = {
                typedNumber(random, -100, 100), typedNumber(random, -2, 100),
                typedNumber(random, 1, 200).insert(0, random.coin() ? "-" : ""),
                typedNumber(random, -2, 100)};
            plot::Extended v[4];
            for (std::size_t f = 0; f < fields.size(); ++f)
                v[f] = plot::parseDecimal(fields[f]).value();
            const auto ours = passesOf({v[0], v[1], v[2], v[3]});
            const auto native = nativePassesOf<Native>(fields);
            samples += 2 * native.size();
            if (ours.size() != native.size()) {
                ADD_FAILURE() << fields[0] << " " << fields[1] << " " << fields[2] << " "
                              << fields[3] << ": " << ours.size() << " passes, native "
                              << native.size();
                continue;
            }
            for (std::size_t k = 0; k < ours.size(); ++k)
                if (std::bit_cast<std::array<std::uint32_t, 5>>(ours[k]) !=
                        std::bit_cast<std::array<std::uint32_t, 5>>(native[k]) &&
                    ++failures <= 5)
                    ADD_FAILURE() << fields[0] << " " << fields[1] << " " << fields[2] << " "
                                  << fields[3] << ", pass " << k << ": y1 " << ours[k][3] << " y2 "
                                  << ours[k][4] << ", native " << native[k][3] << " "
                                  << native[k][4];
        }
        EXPECT_EQ(failures, 0) << "of " << samples << " samples";
    }
}

TEST(ExpectedBits, RandomTypedParametersGiveTheBitsOfNativeX87) {
    expectRandomParametersToGiveTheNativeBits<long double>();
}

}  // namespace
