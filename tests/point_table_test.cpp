// Protects which points Copy data takes: those inside the view on both axes,
// ends included, counted and listed alike, whatever the index shortcuts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "series/PointTable.h"
#include "series/TableWriter.h"

namespace series {
namespace {

constexpr Colour kBlue = 0xFF0000;

using Selected = std::vector<std::pair<std::string, std::size_t>>;  // series, index

Selected selectedByTable(const std::string& table) {
    Selected rows;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);  // header
    while (std::getline(lines, line)) {
        const std::size_t tab = line.find('\t');
        rows.emplace_back(line.substr(0, tab), std::stoul(line.substr(tab + 1)));
    }
    return rows;
}

// Random series of values drawn from a few levels, so that view edges fall
// exactly on values, with stretches of one level that the extent index sees
// whole, and views whose edges are fractional, outside the data or infinite.
TEST(PointTable, TakesExactlyThePointsInsideTheViewOnBothAxes) {
    std::mt19937 random(21);
    const double levels[] = {-2.5, -1, 0, static_cast<double>(0.1f), 0.25, 1, 3.75, 1e30};
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    std::uniform_int_distribution<std::size_t> level(0, std::size(levels) - 1);
    std::uniform_int_distribution<std::size_t> size(0, 3000);
    std::uniform_real_distribution<double> key(-10, 3010);
    for (int round = 0; round < 300; ++round) {
        std::vector<SeriesPoints> points(2);
        for (SeriesPoints& p : points) {
            const std::size_t n = size(random);
            double value = levels[level(random)];
            for (std::size_t i = 0; i < n; ++i) {
                if (random() % 100 < 3) value = levels[level(random)];
                p.append(random() % 1000 == 0 ? value + 1e-9 : value, NumberLabel{0}, kBlue);
            }
        }
        const std::vector<NamedSeries> series = {{"A", &points[0]}, {"B", &points[1]}};
        const auto edge = [&] {
            const std::size_t pick = level(random);
            return pick == 0 ? -kInfinity : pick == 1 ? kInfinity : levels[level(random)];
        };
        double k1 = key(random), k2 = key(random), v1 = edge(), v2 = edge();
        if (round % 3 == 0) k1 = std::round(k1);
        const ViewRect view{std::min(k1, k2), std::max(k1, k2), std::min(v1, v2), std::max(v1, v2)};

        Selected expected;
        for (std::size_t s = 0; s < 2; ++s)
            for (std::size_t i = 0; i < points[s].size(); ++i) {
                const double k = static_cast<double>(i), v = points[s].value(i);
                if (k >= view.keyLower && k <= view.keyUpper && v >= view.valueLower &&
                    v <= view.valueUpper)
                    expected.emplace_back(series[s].name, i);
            }
        SCOPED_TRACE(testing::Message()
                     << "round " << round << ": keys " << view.keyLower << ".." << view.keyUpper
                     << ", values " << view.valueLower << ".." << view.valueUpper);
        const std::vector<TableSlice> slices = tableSlices(series, view);
        ASSERT_EQ(rowCount(slices), expected.size());
        ASSERT_EQ(selectedByTable(pointTable(slices, rowCount(slices))), expected);
    }
}

}  // namespace
}  // namespace series
