// S parameters from impedances and admittance matrices, the Touchstone writer against
// hand-computed values, and the reader of measured one-port files.
#include "analyses/Touchstone.h"

#include "SweepTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace vrnnec::analyses;

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

std::vector<double> numbers(const std::string& line)
{
    std::vector<double> out;
    std::istringstream in(line);
    for (double v; in >> v;)
        out.push_back(v);
    return out;
}

ComplexMatrix matrix(int n, std::initializer_list<Complex> values)
{
    ComplexMatrix m(n);
    m.values.assign(values.begin(), values.end());
    return m;
}

} // namespace

TEST(Touchstone, ReflectionCoefficientOfHandComputedImpedances)
{
    struct Case {
        Complex z;
        double reference;
        Complex s;
    };
    const Case cases[] = {
        {{50, 0}, 50, {0, 0}},          {{100, 0}, 50, {1.0 / 3, 0}},     {{25, 0}, 50, {-1.0 / 3, 0}},
        {{50, 50}, 50, {0.2, 0.4}},     {{0, 0}, 50, {-1, 0}},            {{75, 0}, 75, {0, 0}},
        {{73, 42.5}, 50, {(23 * 123 + 42.5 * 42.5) / (123.0 * 123 + 42.5 * 42.5), (42.5 * 123 - 23 * 42.5) / (123.0 * 123 + 42.5 * 42.5)}},
    };
    for (const Case& c : cases) {
        const Complex s = ReflectionCoefficient(c.z, c.reference);
        EXPECT_NEAR(s.real(), c.s.real(), 1e-12) << c.z;
        EXPECT_NEAR(s.imag(), c.s.imag(), 1e-12) << c.z;
        const Complex back = ImpedanceFromReflection(s, c.reference);
        if (std::abs(c.s - Complex(-1, 0)) > 0.1) {
            EXPECT_NEAR(std::abs(back - c.z), 0, 1e-9) << c.z;
        }
    }
}

TEST(Touchstone, ScatteringMatrixFromAdmittance)
{
    // Uncoupled ports: the diagonal is each port's reflection coefficient.
    const auto diagonal = ScatteringFromAdmittance(matrix(2, {1.0 / 100, 0, 0, 1.0 / Complex(50, 50)}), 50);
    ASSERT_TRUE(diagonal);
    EXPECT_NEAR(std::abs(diagonal->at(0, 0) - Complex(1.0 / 3, 0)), 0, 1e-12);
    EXPECT_NEAR(std::abs(diagonal->at(1, 1) - Complex(0.2, 0.4)), 0, 1e-12);
    EXPECT_NEAR(std::abs(diagonal->at(0, 1)), 0, 1e-12);
    // A series impedance of 100 ohm between two 50 ohm ports: S11 = Z/(Z+100) = 0.5, S21 = 100/(Z+100) = 0.5.
    const double g = 1.0 / 100;
    const auto series = ScatteringFromAdmittance(matrix(2, {g, -g, -g, g}), 50);
    ASSERT_TRUE(series);
    EXPECT_NEAR(std::abs(series->at(0, 0) - 0.5), 0, 1e-12);
    EXPECT_NEAR(std::abs(series->at(1, 0) - 0.5), 0, 1e-12);
    EXPECT_NEAR(std::abs(series->at(0, 1) - 0.5), 0, 1e-12);
    // A coupled, complex, non-symmetric three-port goes back to its admittance.
    const ComplexMatrix y = matrix(3, {{0.01, -0.004}, {-0.002, 0.001}, {0.0005, 0},
                                       {-0.003, 0.002}, {0.012, 0.003}, {0.001, -0.001},
                                       {0.0007, 0.0001}, {0.0009, 0}, {0.008, 0.006}});
    const auto s = ScatteringFromAdmittance(y, 50);
    ASSERT_TRUE(s);
    const auto back = AdmittanceFromScattering(*s, 50);
    ASSERT_TRUE(back);
    for (std::size_t k = 0; k < y.values.size(); ++k)
        EXPECT_NEAR(std::abs(back->values[k] - y.values[k]), 0, 1e-14) << k;
    // (U - zY)(U + zY)^-1 computed the long way round.
    const auto inverse = Inverse([&] {
        ComplexMatrix a(3);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                a.at(i, j) = 50.0 * y.at(i, j) + (i == j ? 1.0 : 0.0);
        return a;
    }());
    ASSERT_TRUE(inverse);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            Complex sum = 0;
            for (int k = 0; k < 3; ++k)
                sum += ((i == k ? 1.0 : 0.0) - 50.0 * y.at(i, k)) * inverse->at(k, j);
            EXPECT_NEAR(std::abs(sum - s->at(i, j)), 0, 1e-13) << i << j;
        }
    // A singular U + zY has no S.
    EXPECT_FALSE(ScatteringFromAdmittance(matrix(1, {-1.0 / 50}), 50));
}

TEST(Touchstone, OnePortFileInEveryFormat)
{
    const std::vector<TouchstonePoint> points = {{13.9, matrix(1, {{0.2, 0.4}})}, {14.1, matrix(1, {{-0.5, 0}})}};
    struct Case {
        TouchstoneFormat format;
        const char* option;
        double a0, b0, a1, b1;
    };
    const Case cases[] = {
        {TouchstoneFormat::RI, "# MHZ S RI R 50", 0.2, 0.4, -0.5, 0},
        {TouchstoneFormat::MA, "# MHZ S MA R 50", 0.4472135955, 63.43494882, 0.5, 180},
        {TouchstoneFormat::DB, "# MHZ S DB R 50", -6.989700043, 63.43494882, -6.020599913, 180},
    };
    for (const Case& c : cases) {
        const auto text = lines(TouchstoneText(points, 50, c.format, {"made by a test"}));
        ASSERT_EQ(text.size(), 4u);
        EXPECT_EQ(text[0], "! made by a test");
        EXPECT_EQ(text[1], c.option);
        const auto first = numbers(text[2]);
        const auto second = numbers(text[3]);
        ASSERT_EQ(first.size(), 3u);
        ASSERT_EQ(second.size(), 3u);
        EXPECT_DOUBLE_EQ(first[0], 13.9);
        EXPECT_NEAR(first[1], c.a0, 1e-8);
        EXPECT_NEAR(first[2], c.b0, 1e-7);
        EXPECT_NEAR(second[1], c.a1, 1e-8);
        EXPECT_NEAR(second[2], c.b1, 1e-7);
        // What is written reads back.
        const MeasuredSweep read = ParseTouchstoneOnePort(TouchstoneText(points, 50, c.format));
        ASSERT_TRUE(read.ok()) << read.message;
        ASSERT_EQ(read.s11.size(), 2u);
        EXPECT_NEAR(std::abs(read.s11[0] - Complex(0.2, 0.4)), 0, 1e-9);
        EXPECT_NEAR(std::abs(read.s11[1] - Complex(-0.5, 0)), 0, 1e-9);
    }
}

TEST(Touchstone, PortLayoutsFollowTheMatrixSize)
{
    // S(i, j) = 10 i + j + 11 (real), so the order on the lines shows.
    const auto point = [](int n) {
        ComplexMatrix s(n);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                s.at(i, j) = Complex(10 * i + j + 11, 0);
        return TouchstonePoint{7.5, s};
    };
    const auto two = lines(TouchstoneText({point(2)}, 50, TouchstoneFormat::RI));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(numbers(two[1]), (std::vector<double>{7.5, 11, 0, 21, 0, 12, 0, 22, 0}));

    struct Case {
        int ports;
        std::size_t linesPerFrequency;
    };
    for (const Case c : {Case{3, 3}, Case{4, 4}, Case{5, 10}, Case{9, 27}}) {
        const auto text = lines(TouchstoneText({point(c.ports), point(c.ports)}, 50, TouchstoneFormat::RI));
        ASSERT_EQ(text.size(), 1 + 2 * c.linesPerFrequency) << c.ports;
        std::vector<double> all;
        for (std::size_t k = 1; k <= c.linesPerFrequency; ++k) {
            const auto values = numbers(text[k]);
            EXPECT_LE(values.size(), k == 1 ? 9u : 8u) << c.ports;
            EXPECT_EQ(text[k].front() != ' ', k == 1) << c.ports << " line " << k;
            all.insert(all.end(), values.begin(), values.end());
        }
        ASSERT_EQ(all.size(), 1u + 2 * c.ports * c.ports);
        EXPECT_EQ(all[0], 7.5);
        for (int i = 0; i < c.ports; ++i)
            for (int j = 0; j < c.ports; ++j)
                EXPECT_EQ(all[1 + 2 * (i * c.ports + j)], 10 * i + j + 11) << c.ports;
    }
    EXPECT_EQ(TouchstoneExtension(1), ".s1p");
    EXPECT_EQ(TouchstoneExtension(12), ".s12p");
}

TEST(Touchstone, WriterGoesThroughTheAtomicWriter)
{
    sweeptest::TempFolder folder;
    const std::string path = folder.file("a.s1p");
    EXPECT_EQ(WriteTouchstone(path, {{14, matrix(1, {{0.1, 0}})}}, 50, TouchstoneFormat::RI), "");
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "# MHZ S RI R 50");
    EXPECT_NE(WriteTouchstone(folder.file("missing/a.s1p"), {}, 50, TouchstoneFormat::RI), "");
    EXPECT_EQ(TouchstoneReferenceMessage(0), "");
    EXPECT_NE(TouchstoneReferenceMessage(10), "");
    EXPECT_EQ(ParseTouchstoneFormat("Ma"), TouchstoneFormat::MA);
    EXPECT_FALSE(ParseTouchstoneFormat("xy"));
}

TEST(Touchstone, ReaderUnitsFormatsAndReference)
{
    struct Case {
        const char* text;
        double frequency; // MHz of the first point
        Complex s;
        double reference;
    };
    const Case cases[] = {
        {"# MHZ S RI R 50\n14 0.2 0.4\n", 14, {0.2, 0.4}, 50},
        {"# Hz S RI R 75\n14000000 0.2 0.4\n", 14, {0.2, 0.4}, 75},
        {"# khz s ri r 50\n14000 0.2 0.4\n", 14, {0.2, 0.4}, 50},
        {"# GHZ S RI\n0.014 0.2 0.4\n", 14, {0.2, 0.4}, 50},
        {"#\n0.014 0.5 90\n", 14, {0, 0.5}, 50},                          // defaults: GHz, MA, 50
        {"! analyser\n# MHz S MA R 50 ! trailing\n\n  14  0.5  -90 ! point\n", 14, {0, -0.5}, 50},
        {"# MHZ S DB R 50\n14 -6.020599913 180\n", 14, {-0.5, 0}, 50},
        {"#MHZ S RI R 50\r\n14\t0.2\t0.4\r\n", 14, {0.2, 0.4}, 50},
    };
    for (const Case& c : cases) {
        const MeasuredSweep read = ParseTouchstoneOnePort(c.text);
        ASSERT_TRUE(read.ok()) << c.text << read.message;
        ASSERT_EQ(read.frequency.size(), 1u) << c.text;
        EXPECT_NEAR(read.frequency[0], c.frequency, 1e-9) << c.text;
        EXPECT_NEAR(std::abs(read.s11[0] - c.s), 0, 1e-9) << c.text;
        EXPECT_EQ(read.reference, c.reference) << c.text;
    }
}

TEST(Touchstone, MalformedFilesNameTheLineAndGiveNothing)
{
    struct Case {
        const char* text;
        const char* start; // the message begins so
    };
    const Case cases[] = {
        {"# MHZ S RI R 50\n14 0.2\n", "Line 2: "},
        {"# MHZ S RI R 50\n14 0.2 0.4\n15 0.2 x\n", "Line 3: "},
        {"# MHZ S RI R 50\n14 0.2 0.4 0.1 0.1\n", "Line 2: "},
        {"# MHZ Z RI R 50\n14 0.2 0.4\n", "Line 1: "},
        {"# MHZ S XY R 50\n14 0.2 0.4\n", "Line 1: "},
        {"# MHZ S RI R -5\n14 0.2 0.4\n", "Line 1: the reference impedance after R must be a number above 0"},
        {"# MHZ S RI R 0\n14 0.2 0.4\n", "Line 1: the reference impedance after R must be a number above 0"},
        {"# MHZ S RI R\n14 0.2 0.4\n", "Line 1: the reference impedance after R must be a number above 0"},
        {"# MHZ S RI R fifty\n14 0.2 0.4\n", "Line 1: the reference impedance after R must be a number above 0"},
        {"! c\n# MHZ S RI R 50\n14 0.2 0.4\n13 0.2 0.4\n", "Line 4: "},
        {"# MHZ S RI R 50\n14 0.2 0.4\n# MHZ S MA R 50\n", "Line 3: "},
        {"! only a comment\n", "No frequency lines"},
    };
    for (const Case& c : cases) {
        const MeasuredSweep read = ParseTouchstoneOnePort(c.text);
        EXPECT_FALSE(read.ok()) << c.text;
        EXPECT_TRUE(read.message.starts_with(c.start)) << c.text << " -> " << read.message;
        EXPECT_TRUE(read.frequency.empty() && read.s11.empty()) << c.text;
    }
    EXPECT_FALSE(ReadTouchstoneOnePort("/nonexistent/folder/x.s1p").ok());
}
