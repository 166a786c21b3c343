#include "common/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <thread>

using namespace vrnnec;

using namespace numtext;

TEST(GeneralFormat, ShortestTextWithFifteenDigits)
{
    EXPECT_EQ(general(0.5), "0.5");
    EXPECT_EQ(general(12), "12");
    EXPECT_EQ(general(-3.25), "-3.25");
    EXPECT_EQ(general(14.05), "14.05");
    EXPECT_EQ(general(0.1 + 0.2), "0.3");
    EXPECT_EQ(general(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(general(0), "0");
    EXPECT_EQ(general(-0.0), "0");
    EXPECT_EQ(general(7.5), "7.5");
    EXPECT_EQ(general(5000), "5000");
    EXPECT_EQ(general(1.85e-5), "1.85E-5");
}

TEST(GeneralFormat, ScientificOutsideFixedRange)
{
    EXPECT_EQ(general(0.00005), "5E-5");
    EXPECT_EQ(general(0.0001), "0.0001");
    EXPECT_EQ(general(-0.00012345), "-0.00012345");
    EXPECT_EQ(general(1e15), "1E15");
    EXPECT_EQ(general(999999999999999.0), "999999999999999");
    EXPECT_EQ(general(1.5e20), "1.5E20");
    EXPECT_EQ(general(-2.5e-7), "-2.5E-7");
    // Rounding to 15 digits can carry into the next decade.
    EXPECT_EQ(general(9.9999999999999999e-5), "0.0001");
}

// The text is the value rounded to 15 significant digits, whichever way it is found:
// it reads back as the same double as that rounding does.
TEST(GeneralFormat, SameNumberAsTheFifteenDigitRounding)
{
    std::uint64_t state = 88172645463325252ull;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const std::uint64_t bits = next();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
        } else {
            // Values as antennas have them: few digits, any sign and decade.
            value = static_cast<double>(static_cast<std::int64_t>(next() % 2000001) - 1000000)
                * std::pow(10.0, static_cast<int>(next() % 21) - 12);
        }
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
        double rounded = 0, shown = 0;
        std::from_chars(buffer, end, rounded);
        const std::string text = general(value);
        ASSERT_TRUE(parseReal(text, shown)) << text;
        ASSERT_EQ(shown, rounded) << std::string(buffer, end) << " shown as " << text;
    }
}

TEST(FixedFormat, SignificantDigitsThenDecimals)
{
    EXPECT_EQ(fixed(14.2, 4, 2), "14.20");
    EXPECT_EQ(fixed(73.1234, 8, 3), "73.123");
    EXPECT_EQ(fixed(42.5, 8, 3), "42.500");
    EXPECT_EQ(fixed(2.1766, 7, 2), "2.18");
    EXPECT_EQ(fixed(1, 7, 2), "1.00");
    EXPECT_EQ(fixed(-12.5, 8, 3), "-12.500");
    EXPECT_EQ(fixed(0, 4, 2), "0.00");
    EXPECT_EQ(fixed(20, 3, 1), "20.0");
    EXPECT_EQ(fixed(-0.001, 4, 2), "0.00");
    EXPECT_EQ(fixed(0.004, 4, 2), "0.00");
    EXPECT_EQ(fixed(0.005, 4, 2), "0.01");
    EXPECT_EQ(fixed(9.996, 4, 2), "10.00");
    // Rounding to P significant digits comes first: 12.3456 with P = 3 is 12.3.
    EXPECT_EQ(fixed(12.3456, 3, 2), "12.30");
    EXPECT_EQ(fixed(-90, 3, 1), "-90.0");
}

TEST(FixedFormat, TooManyIntegerDigitsGoScientific)
{
    EXPECT_EQ(fixed(12345.6, 4, 2), "1.235E4");
    EXPECT_EQ(fixed(1234, 4, 2), "1234.00");
}

TEST(ExponentFormat, DigitsSignAndExponentWidth)
{
    EXPECT_EQ(exponent(1.1e-7, 6, 2), "1.10000E-07");
    EXPECT_EQ(exponent(8.74274e-8, 6, 2), "8.74274E-08");
    EXPECT_EQ(exponent(0.014, 7, 2), "1.400000E-02");
    EXPECT_EQ(exponent(-0.0074883, 7, 2), "-7.488300E-03");
    EXPECT_EQ(exponent(12345, 3, 2), "1.23E+04");
    EXPECT_EQ(exponent(1e-123, 2, 2), "1.0E-123");
    EXPECT_EQ(exponent(0, 3, 2), "0.00E+00");
}

TEST(DecimalsFormat, PlainFixedPoint)
{
    EXPECT_EQ(decimals(12.5, 3), "12.500");
    EXPECT_EQ(decimals(0.70710678, 4), "0.7071");
    EXPECT_EQ(decimals(-1.2e-16, 4), "0.0000");
    EXPECT_EQ(decimals(-0.70710678, 4), "-0.7071");
    EXPECT_EQ(decimals(165059.27777, 3), "165059.278");
}

TEST(RealParsing, AcceptsPointNotationOnly)
{
    double v = -1;
    EXPECT_TRUE(parseReal("0.5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(parseReal("  0.5  ", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(parseReal("\t-1.5E+01", v));
    EXPECT_DOUBLE_EQ(v, -15);
    EXPECT_TRUE(parseReal("+2e-3", v));
    EXPECT_DOUBLE_EQ(v, 0.002);
    EXPECT_TRUE(parseReal(".5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(parseReal("5.", v));
    EXPECT_DOUBLE_EQ(v, 5);
    EXPECT_TRUE(parseReal("1e-400", v));
    EXPECT_EQ(v, 0);

    v = 42;
    for (const char* bad : {"", "  ", "0,5", "-", "+", ".", "1e", "1e+", "abc", "1.2.3", "1 2", "0x10", "inf", "nan",
                            "1e400", "--1", "1d5"}) {
        EXPECT_FALSE(parseReal(bad, v)) << bad;
    }
    EXPECT_EQ(v, 42) << "a refused text leaves the value alone";
}

TEST(RealParsing, IndependentOfTheProcessLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr && std::setlocale(LC_NUMERIC, "de_DE") == nullptr)
        GTEST_SKIP() << "no comma locale installed";
    double v = 0;
    EXPECT_TRUE(parseReal("2.25", v));
    EXPECT_DOUBLE_EQ(v, 2.25);
    EXPECT_EQ(general(2.25), "2.25");
    EXPECT_EQ(fixed(2.25, 4, 2), "2.25");
    EXPECT_EQ(decimals(2.25, 3), "2.250");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(IntegerParsing, DecimalWithinThirtyTwoBits)
{
    long long v = 0;
    EXPECT_TRUE(parseInteger("12", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(parseInteger("  -7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(parseInteger("03", v));
    EXPECT_EQ(v, 3);
    EXPECT_TRUE(parseInteger("-2147483648", v));
    EXPECT_EQ(v, -2147483648LL);
    v = 99;
    for (const char* bad : {"", "12 ", "1.0", "x3", "2147483648", "99999999999999999999", "-", "1e3"})
        EXPECT_FALSE(parseInteger(bad, v)) << bad;
    EXPECT_EQ(v, 99);
    EXPECT_TRUE(parseTrimmedInteger("   1234  ", v));
    EXPECT_EQ(v, 1234);
}

TEST(LocaleVariants, SeparatorInAndOut)
{
    EXPECT_EQ(withSeparator(general(13.5), ','), "13,5");
    EXPECT_EQ(withSeparator(general(13.5), '.'), "13.5");
    double v = 0;
    EXPECT_TRUE(parseRealWithSeparator("13,5", ',', v));
    EXPECT_DOUBLE_EQ(v, 13.5);
    EXPECT_FALSE(parseRealWithSeparator("13.5", ',', v));
    EXPECT_FALSE(parseRealWithSeparator("13,5", '.', v));
    EXPECT_TRUE(parseRealWithSeparator("-2e1", ',', v));
    EXPECT_DOUBLE_EQ(v, -20);
}

TEST(Messages, ConversionTexts)
{
    EXPECT_EQ(invalidFloatMessage("0,x"), "'0,x' is not a valid floating point value");
    EXPECT_EQ(invalidIntegerMessage("1a"), "'1a' is not a valid integer value");
}

TEST(Rounding, HalfToEven)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(20.53), 21);
    EXPECT_EQ(roundHalfEven(14.37), 14);
}

TEST(Formats, SafeFromSeveralThreads)
{
    auto work = [](std::string* out) {
        std::string s;
        for (int i = 0; i < 2000; ++i)
            s = general(i * 0.25) + fixed(i * 0.125, 8, 3) + exponent(i * 1e-3, 7, 2);
        *out = s;
    };
    std::string a, b;
    std::thread t1(work, &a), t2(work, &b);
    t1.join();
    t2.join();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, general(1999 * 0.25) + fixed(1999 * 0.125, 8, 3) + exponent(1999 * 1e-3, 7, 2));
}
