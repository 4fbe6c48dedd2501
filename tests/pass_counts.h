#pragma once
// The table of pass counts shared by curves_test.cpp and, for the counts that
// run up to the counter limit, curves_sweep_test.cpp: each row's count from
// plot::passCount and from the loop's own rule applied pass by pass.

#include <gtest/gtest.h>

#include <cstdint>

#include "plot/curves.h"
#include "plot/decimal.h"

namespace pass_counts {

struct CountCase {
    const char* name;
    const char *span1, *span2;
    std::uint64_t passes;
};

// The pass count the loop's own rule gives, applied literally before every
// pass: run while Span1 ≥ count1 or Span2 ≥ count2, comparisons in extended
// precision, a counter stuck at 2^24 counting for one pass only.
inline std::uint64_t literalPassCount(const plot::Parameters& p) {
    using plot::Extended;
    float count1 = 0, count2 = 10;
    bool spent1 = false, spent2 = false;
    std::uint64_t n = 0;
    while ((!spent1 && p.span1 >= Extended(count1)) || (!spent2 && p.span2 >= Extended(count2))) {
        ++n;
        spent1 = count1 == plot::kCounterLimit;
        spent2 = count2 == plot::kCounterLimit;
        count1 = (Extended(count1) + 1).toFloat();
        count2 = (Extended(count2) + 1).toFloat();
    }
    return n;
}

inline void expectPassCount(const CountCase& c) {
    const plot::Parameters p{1, plot::parseDecimal(c.span1).value(), 1,
                             plot::parseDecimal(c.span2).value()};
    EXPECT_EQ(plot::passCount(p), c.passes);
    EXPECT_EQ(literalPassCount(p), c.passes);
}

}  // namespace pass_counts
