// Protects the text ↔ number conversions: what StrToFloat accepts and to
// which value, what it rejects and with which message, in any locale; and
// the texts FloatToStr gives for the label counters.

#include "platform/conversions/Conversions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>

#include "platform/conversions/Exception.h"
#include "tests/expect_throw.h"
#include "tests/row_name.h"

namespace {

using conversions::EConvertError;
using conversions::FieldToFloat;
using plot::Extended;

// Values as their 80-bit patterns (sign and exponent, significand), so that
// every platform checks the same bits.
struct Accepted {
    const char* name;
    const char* text;
    std::uint16_t signAndExponent;
    std::uint64_t significand;
};

class StrToFloatAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(StrToFloatAccepts, GivesTheNearestExtendedValue) {
    const Accepted& c = GetParam();
    const Extended value = StrToFloat(c.text);
    EXPECT_EQ(value.signAndExponent(), c.signAndExponent);
    EXPECT_EQ(value.significand(), c.significand);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, StrToFloatAccepts,
    testing::Values(
        Accepted{"Whole", "10", 0x4002, 0xA000000000000000},
        Accepted{"Tenth", "0.1", 0x3FFB, 0xCCCCCCCCCCCCCCCD},
        Accepted{"SignsAndExponent", "-1.5e3", 0xC009, 0xBB80000000000000},
        Accepted{"PlusSign", "+7", 0x4001, 0xE000000000000000},
        Accepted{"UpperCaseExponent", "2.5E-1", 0x3FFD, 0x8000000000000000},
        Accepted{"LeadingPoint", ".5", 0x3FFE, 0x8000000000000000},
        Accepted{"TrailingPoint", "5.", 0x4001, 0xA000000000000000},
        Accepted{"BlanksAround", " \t 42  ", 0x4004, 0xA800000000000000},
        Accepted{"NegativeZero", "-0", 0x8000, 0},
        Accepted{"ManyDigitsRoundOnce", "0.30000000000000000001", 0x3FFD, 0x999999999999999A},
        Accepted{"LargestExtendedRange", "1e4932", 0x7FFE, 0xD72CB2A95C7EF6CD},
        Accepted{"SmallestSubnormal", "3.6451995318824746025e-4951", 0, 1},
        Accepted{"NearSmallestSubnormal", "4e-4951", 0, 1},
        Accepted{"ZeroWithAHugeExponent", "0e-5000", 0, 0},
        Accepted{"PastedCellLineBreak", "10\r\n", 0x4002, 0xA000000000000000},
        Accepted{"LineBreaksAndBlanksAround", "\n 2.5\t\n", 0x4000, 0xA000000000000000}),
    RowName{});

struct Rejected {
    const char* name;
    const char* text;
    const char* message;
};

class StrToFloatRejects : public testing::TestWithParam<Rejected> {};

TEST_P(StrToFloatRejects, WithAConversionErrorQuotingTheText) {
    EXPECT_THROW_MESSAGE(StrToFloat(GetParam().text), EConvertError, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, StrToFloatRejects,
    testing::Values(Rejected{"Empty", "", "'' is not a valid number"},
                    Rejected{"Blank", "  ", "'  ' is not a valid number"},
                    Rejected{"Letters", "abc", "'abc' is not a valid number"},
                    Rejected{"TrailingJunk", "10abc", "'10abc' is not a valid number"},
                    Rejected{"TwoPoints", "1.2.3", "'1.2.3' is not a valid number"},
                    Rejected{"CommaDecimal", "1,5", "'1,5' is not a valid number"},
                    Rejected{"BarePoint", ".", "'.' is not a valid number"},
                    Rejected{"BareSign", "-", "'-' is not a valid number"},
                    Rejected{"DoubleSign", "--1", "'--1' is not a valid number"},
                    Rejected{"ExponentWithoutDigits", "1e+", "'1e+' is not a valid number"},
                    Rejected{"ExponentOnly", "e5", "'e5' is not a valid number"},
                    Rejected{"Infinity", "inf", "'inf' is not a valid number"},
                    Rejected{"NotANumber", "nan", "'nan' is not a valid number"},
                    Rejected{"Hex", "0x10", "'0x10' is not a valid number"},
                    Rejected{"InnerBlank", "1 0", "'1 0' is not a valid number"},
                    Rejected{"InnerLineBreak", "10\n20", "'10\\n20' is not a valid number"},
                    Rejected{"OnlyALineBreak", "\r\n", "'\\r\\n' is not a valid number"},
                    Rejected{"BeyondExtendedRange", "1e5000", "'1e5000' is out of range"},
                    Rejected{"NegativeBeyondRange", "-1e5000", "'-1e5000' is out of range"},
                    Rejected{"UnderflowToZero", "1e-5000",
                             "'1e-5000' is too small: it becomes zero"},
                    Rejected{"NegativeUnderflowToZero", "-0.0001e-4950",
                             "'-0.0001e-4950' is too small: it becomes zero"}),
    RowName{});

// A missing locale fails the test rather than skipping it: skipped, it would
// pass silently on the machines where a locale-dependent parser goes unseen.
// Windows names its locales its own way.
#if defined(_WIN32)
constexpr const char* kGermanLocale = "German_Germany.1252";
#else
constexpr const char* kGermanLocale = "de_DE.UTF-8";
#endif
TEST(StrToFloat, IgnoresACommaDecimalLocale) {
    ASSERT_TRUE(std::setlocale(LC_ALL, kGermanLocale))
        << "no " << kGermanLocale << " locale (tools/setup.sh generates it)";
    EXPECT_EQ(StrToFloat("1.5"), Extended(1.5));
    EXPECT_THROW(StrToFloat("1,5"), EConvertError);
    std::setlocale(LC_ALL, "C");
}

struct Printed {
    const char* name;
    double value;
    const char* text;
};

class FloatToStrPrints : public testing::TestWithParam<Printed> {};

TEST_P(FloatToStrPrints, TheExpectedText) {
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Conversions, FloatToStrPrints,
                         testing::Values(Printed{"Zero", 0, "0"}, Printed{"Ten", 10, "10"},
                                         Printed{"TenMillionIsNotScientific", 10000000, "10000000"},
                                         Printed{"CounterLimit", 16777216, "16777216"},
                                         Printed{"Fraction", 0.25, "0.25"},
                                         Printed{"Negative", -2.5, "-2.5"},
                                         Printed{"BeyondTheCountersShortest", 1e20, "1e+20"},
                                         Printed{"WidenedFloatShortestForDouble",
                                                 static_cast<double>(0.1f), "0.10000000149011612"}),
                         RowName{});

TEST(FloatToStr, ShortestTextIsForTheArgumentsOwnWidth) {
    EXPECT_EQ(FloatToStr(0.1f), "0.1");
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(static_cast<double>(0.1f)), "0.10000000149011612");
    EXPECT_EQ(FloatToStr(16777216.0f), "16777216");
    EXPECT_EQ(FloatToStr(1e20f), "1e+20");
    EXPECT_EQ(FloatToStr(-3.0), "-3");
}

TEST(FloatToStr, ReadsBackToTheSameFloat) {
    for (const float v : {0.1f, 1.0f / 3, -2.7182817f, 1e-40f, 3.4e38f, 16777218.0f}) {
        EXPECT_EQ(StrToFloat(FloatToStr(v)).toFloat(), v) << FloatToStr(v);
    }
}

}  // namespace
