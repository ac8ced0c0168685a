#include "core/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace rzv {
namespace {

struct DecimalCase {
    double value;
    const char* dot;    // with "." as the separator
    const char* comma;  // with ","
};

class DecimalTextTest : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalTextTest, writesFifteenSignificantDigitsInGeneralForm) {
    EXPECT_EQ(decimalText(GetParam().value, "."), GetParam().dot);
    EXPECT_EQ(decimalText(GetParam().value, ","), GetParam().comma);
}

INSTANTIATE_TEST_SUITE_P(
    UptimeFigures, DecimalTextTest,
    ::testing::Values(
        DecimalCase{0, "0", "0"}, DecimalCase{-0.0, "0", "0"}, DecimalCase{1, "1", "1"},
        DecimalCase{3910028, "3910028", "3910028"},
        DecimalCase{3910028000.0 / 31536000000.0, "0.123986174530695", "0,123986174530695"},
        DecimalCase{3910028000.0 / 2419200000.0, "1.61624834656085", "1,61624834656085"},
        DecimalCase{3910028000.0 / 604800000.0, "6.46499338624339", "6,46499338624339"},
        DecimalCase{3910028000.0 / 86400000.0, "45.2549537037037", "45,2549537037037"},
        DecimalCase{3910028000.0 / 3600000.0, "1086.11888888889", "1086,11888888889"},
        DecimalCase{3910028000.0 / 60000.0, "65167.1333333333", "65167,1333333333"},
        DecimalCase{273906000.0 / 86400000.0, "3.17020833333333", "3,17020833333333"},
        DecimalCase{76.085 - 72, "4.08499999999999", "4,08499999999999"},
        DecimalCase{46000.0 / 3600000.0, "0.0127777777777778", "0,0127777777777778"},
        DecimalCase{5000000000.0 / 86400000.0, "57.8703703703704", "57,8703703703704"},
        DecimalCase{2592000000.0 / 2419200000.0, "1.07142857142857", "1,07142857142857"},
        DecimalCase{1.66666700351925E-05, "1.66666700351925E-05", "1,66666700351925E-05"},
        DecimalCase{-2.77777800761214E-07, "-2.77777800761214E-07", "-2,77777800761214E-07"},
        DecimalCase{0.0001, "0.0001", "0,0001"}, DecimalCase{0.00001, "1E-05", "1E-05"},
        DecimalCase{-0.5, "-0.5", "-0,5"}, DecimalCase{1e15, "1E+15", "1E+15"},
        DecimalCase{123456789012345.0, "123456789012345", "123456789012345"},
        DecimalCase{1.5e300, "1.5E+300", "1,5E+300"},
        DecimalCase{std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324",
                    "4,94065645841247E-324"}));

TEST(DecimalText, placementsWithSevenDigitsStayPlainWholeNumbers) {
    EXPECT_EQ(decimalText(1000.0f, ".", 7), "1000");
    EXPECT_EQ(decimalText(-1200.0f, ",", 7), "-1200");
    EXPECT_EQ(decimalText(4380.0f, ".", 7), "4380");
    EXPECT_EQ(decimalText(1234.5f, ",", 7), "1234,5");
    EXPECT_EQ(decimalText(12345678.0f, ".", 7), "1.234568E+07");
}

TEST(DecimalText, multiByteSeparatorIsWrittenWhole) {
    EXPECT_EQ(decimalText(0.25, "\xd9\xab"),
              "0\xd9\xab"
              "25");
}

TEST(WholeNumberText, plainDigitsWithMinus) {
    EXPECT_EQ(wholeNumberText(0), "0");
    EXPECT_EQ(wholeNumberText(-1), "-1");
    EXPECT_EQ(wholeNumberText(5000000000), "5000000000");
    EXPECT_EQ(wholeNumberText(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

struct LeadingCase {
    const char* text;
    const char* separator;
    double expected;
};

class LeadingNumberTest : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingNumberTest, readsTheLongestNumericPrefix) {
    const auto& c = GetParam();
    EXPECT_EQ(leadingNumber(c.text, c.separator), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(LeadingCase{"", ".", 0}, LeadingCase{"DAYS_ROUNDED_TB", ".", 0},
                      LeadingCase{"HOURS_FULL", ".", 0}, LeadingCase{"24", ".", 24},
                      LeadingCase{"76.085", ".", 76.085}, LeadingCase{"  1 2 3", ".", 123},
                      LeadingCase{"\t-4\n.5x", ".", -4.5}, LeadingCase{"+7", ".", 7},
                      LeadingCase{"1.5.6", ".", 1.5}, LeadingCase{".5", ".", 0.5},
                      LeadingCase{"5.", ".", 5}, LeadingCase{"-", ".", 0},
                      LeadingCase{"-.", ".", 0}, LeadingCase{"E5", ".", 0},
                      LeadingCase{"1E5", ".", 1e5}, LeadingCase{"1e-3", ".", 1e-3},
                      LeadingCase{"1E", ".", 1}, LeadingCase{"1E+", ".", 1},
                      LeadingCase{"2Ex", ".", 2},
                      LeadingCase{"-2.77777800761214E-07", ".", -2.77777800761214E-07},
                      LeadingCase{"1.66666700351925E-05", ".", 1.66666700351925E-05},
                      LeadingCase{"31536000000", ".", 31536000000.0},
                      LeadingCase{"5000000000", ".", 5000000000.0},
                      // The regional separator counts as a decimal point too, "." still does.
                      LeadingCase{"4,08499999999999", ",", 4.08499999999999},
                      LeadingCase{"4.08499999999999", ",", 4.08499999999999},
                      LeadingCase{"4,5", ".", 4}, LeadingCase{"1,5,5", ",", 1.5},
                      LeadingCase{"-2,77777800761214E-07", ",", -2.77777800761214E-07},
                      LeadingCase{"0\xd9\xab"
                                  "25",
                                  "\xd9\xab", 0.25},
                      LeadingCase{"1e-400", ".", 0}));

TEST(LeadingNumber, beyondTheDoubleRangeReadsAsInfinity) {
    EXPECT_EQ(leadingNumber("1E400", "."), HUGE_VAL);
    EXPECT_EQ(leadingNumber("-1E99999", "."), -HUGE_VAL);
    EXPECT_EQ(leadingNumber(std::string(400, '9'), "."), HUGE_VAL);
}

TEST(LeadingNumber, longTextsReadExactly) {
    std::string text = "1." + std::string(200, '0') + "1";
    EXPECT_EQ(leadingNumber(text, "."), 1.0);
    EXPECT_EQ(leadingNumber("   " + std::string(100, ' ') + "42", "."), 42);
}

struct StrictCase {
    const char* text;
    const char* separator;
    std::optional<double> expected;
};

class StrictNumberTest : public ::testing::TestWithParam<StrictCase> {};

TEST_P(StrictNumberTest, acceptsOnlyAWholeRegionalNumber) {
    const auto& c = GetParam();
    EXPECT_EQ(strictNumber(c.text, c.separator), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictNumberTest,
    ::testing::Values(StrictCase{"1000", ".", 1000}, StrictCase{" -1200 ", ".", -1200},
                      StrictCase{"+3", ".", 3},
                      StrictCase{"45.2549537037037", ".", 45.2549537037037},
                      StrictCase{"3,16666666666667", ",", 3.16666666666667},
                      StrictCase{"1.5", ",", std::nullopt}, StrictCase{"1,5", ".", std::nullopt},
                      StrictCase{"-2.77777800761214E-07", ".", -2.77777800761214E-07},
                      StrictCase{"1e3", ".", 1000}, StrictCase{".5", ".", 0.5},
                      StrictCase{"5.", ".", 5}, StrictCase{"", ".", std::nullopt},
                      StrictCase{"   ", ".", std::nullopt}, StrictCase{"abc", ".", std::nullopt},
                      StrictCase{"12abc", ".", std::nullopt}, StrictCase{"1 2", ".", std::nullopt},
                      StrictCase{".", ".", std::nullopt}, StrictCase{"-", ".", std::nullopt},
                      StrictCase{"1E", ".", std::nullopt}, StrictCase{"1E+", ".", std::nullopt},
                      StrictCase{"1.2.3", ".", std::nullopt},
                      StrictCase{"1E400", ".", std::nullopt}, StrictCase{"1E-400", ".", 0},
                      StrictCase{"inf", ".", std::nullopt}, StrictCase{"nan", ".", std::nullopt},
                      StrictCase{"0x10", ".", std::nullopt}));

struct WholePartCase {
    const char* text;
    double unitMs;
    std::optional<std::int32_t> expected;
};

class WholePartTest : public ::testing::TestWithParam<WholePartCase> {};

TEST_P(WholePartTest, floorsTheFigureAfterRoundingToWholeMilliseconds) {
    const auto& c = GetParam();
    EXPECT_EQ(wholePart(c.text, ".", c.unitMs), c.expected) << '"' << c.text << '"';
}

constexpr double kSec = 1000, kMin = 60000, kHour = 3600000, kDay = 86400000;

INSTANTIATE_TEST_SUITE_P(
    Figures, WholePartTest,
    ::testing::Values(
        WholePartCase{"45", kSec, 45}, WholePartCase{"0.0125", kHour, 0},
        WholePartCase{"3.99999998842593", kDay, 3},
        WholePartCase{"-2.77777800761214E-07", kHour, -1},
        WholePartCase{"5.99999999993997", kSec, 6}, WholePartCase{"4.99999999999801", kMin, 5},
        WholePartCase{"3", kDay, 3}, WholePartCase{"4", kDay, 4}, WholePartCase{"0", kDay, 0},
        WholePartCase{"1.0000000462963", kDay, 1}, WholePartCase{"1.9999999537037", kDay, 1},
        WholePartCase{"60", kMin, 60}, WholePartCase{"59.9989999999202", kSec, 59},
        WholePartCase{"0.99999999984", kSec, 1}, WholePartCase{"45.2549537037037", kDay, 45},
        WholePartCase{"-0.5", kSec, -1}, WholePartCase{"-1", kSec, -1},
        WholePartCase{"2147483647", kSec, 2147483647},
        WholePartCase{"2147483648", kSec, std::nullopt},
        WholePartCase{"-2147483648", kSec, -2147483647 - 1},
        WholePartCase{"1E30", kDay, std::nullopt}, WholePartCase{"DAYS_TB", kDay, std::nullopt},
        WholePartCase{"1", 0, std::nullopt}, WholePartCase{"1", 1.5, std::nullopt}));

TEST(WholePart, readsTheRegionalSeparator) {
    EXPECT_EQ(wholePart("3,16666666666667", ",", kDay), 3);
    EXPECT_EQ(wholePart("3.16666666666667", ",", kDay), std::nullopt);
}

TEST(TickValue, carriesTheCountExactlyAndReportsOverflow) {
    const auto ticks = [](std::uint64_t count) { return TickValue::fromStored(count); };
    EXPECT_EQ(ticks(0).times(10000)->wholeText(), "0");
    EXPECT_EQ(ticks(1).times(10000)->wholeText(), "1");
    EXPECT_EQ(ticks(86400000).times(10000)->wholeText(), "86400000");
    EXPECT_EQ(ticks(5000000000).times(10000)->wholeText(), "5000000000");
    EXPECT_EQ(ticks(273906000).times(10)->toDouble(), 273906);
    EXPECT_EQ(ticks(1).times(10)->toDouble(), 0.001);
    EXPECT_TRUE(ticks(922337203685477).times(10000).has_value());
    EXPECT_FALSE(ticks(922337203685478).times(10000).has_value());
    EXPECT_FALSE(ticks(std::numeric_limits<std::uint64_t>::max() / 2).times(10).has_value());
}

// Every decimal text reads back to the same text, with both readings.
TEST(NumberTextRoundTrip, decimalTextsReadBackUnchanged) {
    for (const char* separator : {".", ","}) {
        for (double v = 1e-9; v < 1e17; v *= 3.7) {
            for (double value : {v, -v, 1 / v}) {
                const auto text = decimalText(value, separator);
                const auto strict = strictNumber(text, separator);
                ASSERT_TRUE(strict) << text;
                EXPECT_EQ(decimalText(*strict, separator), text);
                EXPECT_EQ(leadingNumber(text, separator), *strict);
            }
        }
    }
}

}  // namespace
}  // namespace rzv
