// Protects the whole curve arithmetic against a checked-in record of its
// bits: for a few thousand inputs, the coefficients, the pass count and a
// hash of every pass must be what native x87 long double gave when the file
// was made, on every platform and at every vector level; and where long double is the x87 format,
// the arithmetic as first written must still give the file, so the record stays true; and the file
// comes out the same when the calling thread flushes subnormals to zero. Slow: one input runs
// all 16.7 million passes.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/each_level.h"
#include "tests/expected_bits.h"
#include "tests/flush_to_zero.h"
#include "tests/x87_expected_bits.h"

namespace {

using expected_bits::errorText;

std::string resultWithExtended(const std::array<std::string, 4>& fields, plot::SimdLevel level) {
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
        plot::sampleCurves(
            parameters, coefficients,
            [&](const plot::Pass& pass) {
                hash.add(pass.x, pass.count1, pass.count2, pass.y1, pass.y2);
                ++passes;
            },
            level);
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

TEST_P(EachLevel, TheExtendedArithmeticReproducesTheFile) {
    expectTheFileReproduced(
        [&](const auto& fields) { return resultWithExtended(fields, level()); });
}

TEST_P(EachLevel, TheExtendedArithmeticReproducesTheFileUnderTheCallersFlushToZero) {
    if (!FlushToZero::kAvailable) GTEST_SKIP() << "no flush-to-zero to set on this processor";
    const FlushToZero flushToZero;
    const std::uint64_t controls = FlushToZero::controls();
    expectTheFileReproduced(
        [&](const auto& fields) { return resultWithExtended(fields, level()); });
    EXPECT_EQ(FlushToZero::controls(), controls);
}

INSTANTIATE_TEST_SUITE_P(Sampling, EachLevel, testing::ValuesIn(plot::architectureLevels()),
                         LevelName{});

TEST(ExpectedBits, NativeX87ArithmeticStillReproducesTheFile) {
    if (!plot::kLongDoubleIsX87) GTEST_SKIP() << "long double is not the x87 format here";
    expectTheFileReproduced(x87::expectedResult);
}

}  // namespace
