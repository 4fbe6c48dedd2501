// Protects the whole curve arithmetic against the arithmetic as first written
// on native long double: where that is the x87 format, random typed
// parameters give the same bits for every pass, at every vector level (the checked-in record of
// tests/data/expected_bits.txt is checked in expected_bits_sweep_test.cpp).

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <string>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/each_level.h"
#include "tests/extended_bits.h"
#include "tests/split_mix.h"
#include "tests/x87_curves.h"

namespace {

// A number as typed most often: whole, now and then with a decimal or two.
std::string typedNumber(SplitMix& random, int from, int to) {
    std::string text = std::to_string(random.between(from, to));
    if (random.oneIn(4)) text += "." + std::to_string(random.between(0, 99));
    return text;
}

std::vector<std::array<float, 5>> passesOf(const plot::Parameters& parameters,
                                           plot::SimdLevel level) {
    std::vector<std::array<float, 5>> passes;
    plot::sampleCurves(
        parameters, plot::deriveCoefficients(parameters),
        [&](const plot::Pass& p) {
            passes.push_back({p.x, p.count1, p.count2, p.y1, p.y2});
        },
        level);
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
void expectRandomParametersToGiveTheNativeBits(plot::SimdLevel level) {
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
            const auto ours = passesOf({v[0], v[1], v[2], v[3]}, level);
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

TEST_P(EachLevel, RandomTypedParametersGiveTheBitsOfNativeX87) {
    expectRandomParametersToGiveTheNativeBits<long double>(level());
}

}  // namespace
