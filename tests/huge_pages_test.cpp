// Protects the point arrays' layout under each huge page size a kernel may
// report (64 KiB, 2 MiB, 512 MiB): an array below one huge page takes the
// plain path, a bigger one starts on a huge page boundary, really allocated
// so; and the size as read from the system's text, unusable text giving 2 MiB.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <sstream>

#include "series/HugePageAllocator.h"
#include "tests/row_name.h"

namespace {

constexpr std::size_t KiB = 1024, MiB = KiB * KiB;

struct Layout {
    const char* name;
    std::size_t hugePage;
    std::size_t bytes;
    std::size_t alignment;
};

class HugePageLayout : public testing::TestWithParam<Layout> {};

TEST_P(HugePageLayout, OnlyArraysOfAHugePageOrMoreAreAlignedToIt) {
    namespace hp = series::huge_pages;
    const Layout& row = GetParam();
    EXPECT_EQ(hp::alignment(row.bytes, alignof(double), row.hugePage), row.alignment);
    auto* p = static_cast<char*>(hp::allocate(row.bytes, alignof(double), row.hugePage));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % row.alignment, 0u);
    p[0] = p[row.bytes - 1] = 1;
    hp::deallocate(p, row.bytes, alignof(double), row.hugePage);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HugePageLayout,
                         testing::Values(Layout{"Below64KiB", 64 * KiB, 64 * KiB - 8, 8},
                                         Layout{"Of64KiB", 64 * KiB, 64 * KiB, 64 * KiB},
                                         Layout{"Below2MiB", 2 * MiB, 2 * MiB - 8, 8},
                                         Layout{"Over2MiB", 2 * MiB, 2 * MiB + 8, 2 * MiB},
                                         Layout{"Below512MiB", 512 * MiB, 128 * MiB, 8},
                                         Layout{"Over512MiB", 512 * MiB, 512 * MiB + 8, 512 * MiB}),
                         RowName{});

TEST(HugePageSize, ReadFromTheSystemsTextOr2MiB) {
    const struct {
        const char* text;
        std::size_t size;
    } rows[] = {{"2097152\n", 2 * MiB}, {"536870912\n", 512 * MiB}, {"33554432", 32 * MiB},
                {"", 2 * MiB},          {"always\n", 2 * MiB},      {"3000000\n", 2 * MiB},
                {"0\n", 2 * MiB},       {"1024\n", 2 * MiB},        {"-2097152\n", 2 * MiB}};
    for (const auto& row : rows) {
        std::istringstream text(row.text);
        EXPECT_EQ(series::huge_pages::parseSize(text), row.size) << "text '" << row.text << "'";
    }
}

}  // namespace
