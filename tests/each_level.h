#pragma once
// A test run once per vector level of this processor architecture
// (plot/simd_level.h), each named after its level; a level this program or
// processor lacks is reported as skipped, by name.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "plot/simd_level.h"

namespace plot {
// A failing test names its level by name.
inline void PrintTo(SimdLevel level, std::ostream* out) { *out << levelName(level); }
}  // namespace plot

class EachLevel : public testing::TestWithParam<plot::SimdLevel> {
protected:
    void SetUp() override {
        if (!plot::levelAvailable(level()))
            GTEST_SKIP() << plot::levelName(level())
                         << " is not in this build or not on this processor";
    }
    plot::SimdLevel level() const { return GetParam(); }
};

struct LevelName {
    std::string operator()(const testing::TestParamInfo<plot::SimdLevel>& info) const {
        return plot::levelName(info.param);
    }
};
