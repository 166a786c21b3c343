// The nec2c listing rewriter: every section any reader of the program uses is compared,
// field by field at the classic columns, with the classic engine's listing of the same
// deck; plus pass-through and the special lines.
#include "ListingTestSupport.h"

#include "engine/ClassicListing.h"

#include "common/NumberText.h"
#include "common/TextLines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

using namespace vrnnec;

using listingtest::dataPath;
using listingtest::fileText;
using listingtest::TempFolder;
using Lines = std::vector<std::string>;

namespace {

using listingtest::rewrittenLines;
using listingtest::splitLines;

// ---- field comparison at the classic columns ----

enum class Kind {
    Integer,
    Text,      // trimmed text
    Real,      // |a - b| <= absolute + relative * |a|
    Magnitude, // |a - b| <= relative * (largest magnitude of the row's group)
    Phase,     // compared only when the magnitude `group` refers to is significant
    Budget,    // |a - b| <= absolute + relative * (the field in the table's first row)
};

struct Field {
    const char* name;
    int from, to;
    Kind kind;
    double absolute = 0;
    double relative = 0;
    int group = -1; // Magnitude: index of the field that holds the scale; Phase: its magnitude
};

struct SectionLayout {
    const char* heading;
    int from, to; // heading columns
    int firstRow; // lines from the heading to the first row
    int step = 1; // every step-th line is a row
    std::vector<Field> fields;
    std::size_t maxRows = 0;   // 0: up to the first empty line
    bool compareHeader = true; // the lines between heading and first row are fixed texts
};

std::vector<int> headingLines(const Lines& lines, const SectionLayout& layout)
{
    std::vector<int> found;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (textlines::columns(lines[i], layout.from, layout.to) == layout.heading)
            found.push_back(static_cast<int>(i));
    return found;
}

Lines tableRows(const Lines& lines, int heading, const SectionLayout& layout)
{
    Lines rows;
    for (std::size_t i = static_cast<std::size_t>(heading + layout.firstRow); i < lines.size();
         i += static_cast<std::size_t>(layout.step)) {
        if (lines[i].empty() || (layout.maxRows && rows.size() == layout.maxRows))
            break;
        rows.push_back(lines[i]);
    }
    return rows;
}

double real(const std::string& line, const Field& f)
{
    double v = NAN;
    textlines::columnReal(line, f.from, f.to, v);
    return v;
}

void compareRow(const std::string& where, const std::string& c, const std::string& r, const std::vector<Field>& fields,
                const std::string& firstRow)
{
    for (const Field& f : fields) {
        const std::string at = where + " field " + f.name + "\n classic:   " + c + "\n rewritten: " + r;
        switch (f.kind) {
        case Kind::Integer: {
            long long a = 0, b = 0;
            ASSERT_TRUE(textlines::columnInteger(c, f.from, f.to, a)) << at;
            ASSERT_TRUE(textlines::columnInteger(r, f.from, f.to, b)) << at;
            EXPECT_EQ(b, a) << at;
            break;
        }
        case Kind::Text:
            EXPECT_EQ(std::string(numtext::trimBlanks(textlines::columns(r, f.from, f.to))),
                      std::string(numtext::trimBlanks(textlines::columns(c, f.from, f.to))))
                << at;
            break;
        case Kind::Real: {
            const double a = real(c, f), b = real(r, f);
            ASSERT_FALSE(std::isnan(a)) << at;
            ASSERT_FALSE(std::isnan(b)) << at;
            EXPECT_LE(std::fabs(a - b), f.absolute + f.relative * std::fabs(a)) << at;
            break;
        }
        case Kind::Magnitude: {
            const double a = real(c, f), b = real(r, f);
            ASSERT_FALSE(std::isnan(a)) << at;
            ASSERT_FALSE(std::isnan(b)) << at;
            double scale = 0;
            for (const Field& g : fields)
                if (g.kind == Kind::Magnitude && g.group == f.group)
                    scale = std::max(scale, std::fabs(real(c, g)));
            EXPECT_LE(std::fabs(a - b), f.relative * scale + 1e-30) << at;
            break;
        }
        case Kind::Budget: {
            const double a = real(c, f), b = real(r, f), scale = real(firstRow, f);
            ASSERT_FALSE(std::isnan(a)) << at;
            ASSERT_FALSE(std::isnan(b)) << at;
            EXPECT_LE(std::fabs(a - b), f.absolute + f.relative * std::fabs(scale)) << at;
            break;
        }
        case Kind::Phase: {
            const double a = real(c, f), b = real(r, f);
            ASSERT_FALSE(std::isnan(a)) << at;
            ASSERT_FALSE(std::isnan(b)) << at;
            const Field& m = fields[static_cast<std::size_t>(f.group)];
            double largest = 0;
            for (const Field& g : fields)
                if (g.kind == Kind::Magnitude && g.group == m.group)
                    largest = std::max(largest, std::fabs(real(c, g)));
            if (std::fabs(real(c, m)) > 1e-3 * largest) {
                double d = std::fabs(a - b);
                d = std::min(d, std::fabs(d - 360));
                EXPECT_LE(d, f.absolute) << at;
            }
            break;
        }
        }
    }
}

// The sections, their rows and fields as the program's readers take them.
std::vector<SectionLayout> sectionLayouts()
{
    const double coord4 = 1.0001e-4; // nec2c has 4 decimals where the classic engine has 5
    const double impedance = 3e-4;   // engines and nec2c's 5 digits
    std::vector<Field> sourceFields = {
        {"tag", 1, 6, Kind::Integer},
        {"marker", 7, 8, Kind::Text},
        {"segment", 9, 12, Kind::Integer},
        {"voltage re", 13, 24, Kind::Magnitude, 0, impedance, 0},
        {"voltage im", 25, 36, Kind::Magnitude, 0, impedance, 0},
        {"current re", 37, 48, Kind::Magnitude, 0, impedance, 1},
        {"current im", 49, 60, Kind::Magnitude, 0, impedance, 1},
        {"R", 61, 72, Kind::Magnitude, 0, impedance, 2},
        {"X", 73, 84, Kind::Magnitude, 0, impedance, 2},
        {"G", 85, 96, Kind::Magnitude, 0, impedance, 3},
        {"B", 97, 108, Kind::Magnitude, 0, impedance, 3},
        {"power", 109, 120, Kind::Real, 1e-12, impedance},
    };
    return {
        {"SEGMENTATION DATA",
         42,
         58,
         9,
         1,
         {{"segment", 1, 6, Kind::Integer},
          {"x", 7, 16, Kind::Real, coord4},
          {"y", 17, 26, Kind::Real, coord4},
          {"z", 27, 36, Kind::Real, coord4},
          {"length", 37, 46, Kind::Real, coord4},
          {"alpha", 48, 57, Kind::Real, coord4},
          {"beta", 58, 67, Kind::Real, coord4},
          {"radius", 69, 77, Kind::Real, coord4},
          {"connections and tag", 78, 100, Kind::Text},
          {"tag", 94, 100, Kind::Integer},
          {"tag", 95, 100, Kind::Integer}}},
        {"FREQUENCY", 46, 54, 2, 1, {{"frequency", 47, 58, Kind::Real, 0, 1e-12}}, 1},
        {"FREQUENCY", 46, 54, 3, 1, {{"wavelength", 48, 59, Kind::Real, 0, 1e-12}}, 1, false},
        {"STRUCTURE IMPEDANCE LOADING",
         38,
         64,
         6,
         2,
         {{"tag", 5, 8, Kind::Text},
          {"first", 10, 13, Kind::Text},
          {"last", 15, 18, Kind::Text},
          {"R", 21, 34, Kind::Text},
          {"L", 35, 47, Kind::Text},
          {"C", 48, 60, Kind::Text},
          {"Z re", 61, 73, Kind::Text},
          {"Z im", 74, 86, Kind::Text},
          {"conductivity", 87, 99, Kind::Text},
          {"type", 100, 130, Kind::Text}}},
        // The readers show at most three environment lines.
        {"ANTENNA ENVIRONMENT", 41, 59, 2, 1, {{"text", 1, 255, Kind::Text}}, 3},
        {"EXCITATION", 47, 56, 2, 1, {{"text", 1, 255, Kind::Text}}},
        {"STRUCTURE EXCITATION DATA AT NETWORK CONNECTION POINTS", 34, 87, 4, 1, sourceFields},
        {"ANTENNA INPUT PARAMETERS", 49, 72, 4, 1, sourceFields},
        {"CURRENTS AND LOCATION",
         36,
         56,
         7,
         1,
         {{"segment", 1, 6, Kind::Integer},
          {"tag", 7, 11, Kind::Integer},
          {"x", 12, 20, Kind::Real, coord4},
          {"y", 21, 29, Kind::Real, coord4},
          {"z", 30, 38, Kind::Real, coord4},
          {"length", 39, 47, Kind::Real, 1.0001e-5},
          {"real", 49, 60, Kind::Magnitude, 0, 3e-4, 0},
          {"imaginary", 61, 72, Kind::Magnitude, 0, 3e-4, 0},
          {"imaginary (chart)", 62, 73, Kind::Magnitude, 0, 3e-4, 0},
          {"magnitude", 73, 84, Kind::Magnitude, 0, 3e-4, 0},
          {"magnitude (viewer)", 74, 84, Kind::Magnitude, 0, 3e-4, 0},
          {"phase", 85, 93, Kind::Phase, 0.05, 0, 9},
          {"phase (chart)", 86, 93, Kind::Phase, 0.05, 0, 9}}},
        {"SURFACE PATCH DATA",
         51,
         68,
         6,
         1,
         {{"x", 6, 15, Kind::Real, 1e-9},
          {"y", 16, 25, Kind::Real, 1e-9},
          {"z", 26, 35, Kind::Real, 1e-9},
          {"normal x", 37, 44, Kind::Real, 1e-9},
          {"normal y", 45, 52, Kind::Real, 1e-9},
          {"normal z", 53, 60, Kind::Real, 1e-9},
          {"area", 62, 70, Kind::Real, 1e-9},
          {"t1 x", 72, 79, Kind::Real, 1e-9},
          {"t1 y", 80, 87, Kind::Real, 1e-9},
          {"t1 z", 88, 95, Kind::Real, 1e-9},
          {"t2 x", 97, 104, Kind::Real, 1e-9},
          {"t2 y", 105, 112, Kind::Real, 1e-9},
          {"t2 z", 113, 120, Kind::Real, 1e-9}}},
        // Losses are small differences of two powers: compared against the input power.
        {"POWER BUDGET",
         47,
         58,
         2,
         1,
         {{"label", 44, 58, Kind::Text}, {"value", 59, 69, Kind::Budget, 0, 1e-3}, {"unit", 70, 80, Kind::Text}},
         4},
        {"POWER BUDGET",
         47,
         58,
         6,
         1,
         {{"label", 44, 58, Kind::Text}, {"efficiency", 59, 65, Kind::Real, 0.0300001}, {"unit", 66, 80, Kind::Text}},
         1,
         false},
        {"NEAR ELECTRIC FIELDS",
         42,
         61,
         5,
         1,
         {{"x", 1, 13, Kind::Real, 1e-9},
          {"y", 14, 24, Kind::Real, 1e-9},
          {"z", 25, 35, Kind::Real, 1e-9},
          {"x magnitude", 37, 50, Kind::Magnitude, 0, 3e-4, 0},
          {"x phase", 52, 59, Kind::Phase, 0.05, 0, 3},
          {"y magnitude", 60, 73, Kind::Magnitude, 0, 3e-4, 0},
          {"y phase", 75, 82, Kind::Phase, 0.05, 0, 5},
          {"z magnitude", 83, 96, Kind::Magnitude, 0, 3e-4, 0},
          {"z phase", 98, 105, Kind::Phase, 0.05, 0, 7}}},
        {"NEAR MAGNETIC FIELDS",
         42,
         61,
         5,
         1,
         {{"x", 1, 13, Kind::Real, 1e-9},
          {"y", 14, 24, Kind::Real, 1e-9},
          {"z", 25, 35, Kind::Real, 1e-9},
          {"x magnitude", 37, 50, Kind::Magnitude, 0, 3e-4, 0},
          {"x phase", 52, 59, Kind::Phase, 0.05, 0, 3},
          {"y magnitude", 60, 73, Kind::Magnitude, 0, 3e-4, 0},
          {"y phase", 75, 82, Kind::Phase, 0.05, 0, 5},
          {"z magnitude", 83, 96, Kind::Magnitude, 0, 3e-4, 0},
          {"z phase", 98, 105, Kind::Phase, 0.05, 0, 7}}},
        {"RADIATION PATTERNS",
         55,
         72,
         5,
         1,
         {{"theta", 1, 8, Kind::Real, 1e-9},
          {"phi", 10, 17, Kind::Real, 1e-9},
          {"vertical gain", 21, 28, Kind::Real, 0.0100001},
          {"horizontal gain", 29, 36, Kind::Real, 0.0100001},
          {"total gain", 37, 44, Kind::Real, 0.0100001}}},
    };
}

// Gains at or below -60 dB are noise: the engines agree only that they are that low.
void dropNoiseGains(std::string& classic, std::string& rewritten)
{
    for (int from : {21, 29, 37}) {
        double c = 0;
        if (textlines::columnReal(classic, from, from + 7, c) && c <= -60) {
            double r = 0;
            ASSERT_TRUE(textlines::columnReal(rewritten, from, from + 7, r));
            EXPECT_LT(r, -59.99) << rewritten;
            classic.replace(static_cast<std::size_t>(from - 1), 8, "  -99.00");
            rewritten.replace(static_cast<std::size_t>(from - 1), 8, "  -99.00");
        }
    }
}

struct ListingPair {
    std::string name;
    std::string classicPath;
    std::string nec2cPath;
    bool enginesDiffer;     // the engines stop at different places: compare what both have
    std::size_t blocks = 0; // compare only the first blocks of every section (0: all)
};

void PrintTo(const ListingPair& pair, std::ostream* os)
{
    *os << pair.name;
}

std::vector<ListingPair> listingPairs()
{
    std::vector<ListingPair> pairs;
    for (const char* deck :
         {"big", "csdvs_source", "dipole_free", "dipole_perfect", "dipole_sommerfeld", "green_write", "near_electric",
          "near_magnetic", "network_tl", "patches", "plane_wave", "plane_wave_eta90", "stack", "sweep", "sweep_perfect",
          "sweep_two_sources", "two_sources", "yagi3_loads"}) {
        const std::string d = deck;
        // green_write: nec2c does not compute Green's function runs; sweep: the classic
        // engine stops in the second frequency for want of a ground file.
        pairs.push_back({d, dataPath("listings/classic/" + d + ".out"), dataPath("listings/nec2c/" + d + ".out"),
                         d == "green_write" || d == "sweep", d == "sweep" ? 1u : 0u});
    }
    for (const char* example : {"example5", "patch_plate"}) {
        const std::string e = example;
        pairs.push_back(
            {e, dataPath("examples/classic/" + e + ".out"), dataPath("examples/nec2c/" + e + ".out"), false});
    }
    return pairs;
}

class RewrittenListing : public testing::TestWithParam<ListingPair> {};

} // namespace

TEST_P(RewrittenListing, EverySectionMatchesTheClassicListingAtTheClassicColumns)
{
    const ListingPair& pair = GetParam();
    const Lines classic = listingtest::fileLines(pair.classicPath);
    const Lines rewritten = rewrittenLines(pair.nec2cPath);
    int compared = 0;
    for (const SectionLayout& layout : sectionLayouts()) {
        const std::vector<int> c = headingLines(classic, layout);
        const std::vector<int> r = headingLines(rewritten, layout);
        if (!pair.enginesDiffer) {
            ASSERT_EQ(r.size(), c.size()) << layout.heading;
        }
        std::size_t n = std::min(c.size(), r.size());
        if (pair.blocks)
            n = std::min(n, pair.blocks);
        for (std::size_t k = 0; k < n; ++k) {
            const std::string where = pair.name + " " + layout.heading + " #" + std::to_string(k + 1);
            // The lines between the heading and the first row are the classic ones.
            for (int i = 1; layout.compareHeader && i < layout.firstRow; ++i)
                EXPECT_EQ(rewritten[static_cast<std::size_t>(r[k] + i)], classic[static_cast<std::size_t>(c[k] + i)])
                    << where << " line +" << i;
            if (textlines::columnsFrom(classic[static_cast<std::size_t>(c[k] + 2)], 36)
                == "THIS STRUCTURE IS NOT LOADED")
                continue; // no load rows
            Lines cRows = tableRows(classic, c[k], layout);
            Lines rRows = tableRows(rewritten, r[k], layout);
            if (std::string(layout.heading) == "SEGMENTATION DATA" && cRows.empty())
                continue; // a structure of patches only
            ASSERT_EQ(rRows.size(), cRows.size()) << where;
            for (std::size_t i = 0; i < cRows.size(); ++i) {
                if (std::string(layout.heading) == "RADIATION PATTERNS")
                    dropNoiseGains(cRows[i], rRows[i]);
                compareRow(where + " row " + std::to_string(i + 1), cRows[i], rRows[i], layout.fields, cRows[0]);
                ++compared;
            }
        }
    }
    EXPECT_GE(compared, 5);
}

TEST_P(RewrittenListing, ClassicHeadingsInTheSameOrder)
{
    const ListingPair& pair = GetParam();
    const Lines classic = listingtest::fileLines(pair.classicPath);
    const Lines rewritten = rewrittenLines(pair.nec2cPath);
    const std::vector<SectionLayout> layouts = sectionLayouts();
    const auto sequence = [&layouts](const Lines& lines) {
        Lines names;
        for (const std::string& line : lines) {
            const SectionLayout* found = nullptr;
            for (const SectionLayout& layout : layouts)
                if (textlines::columns(line, layout.from, layout.to) == layout.heading)
                    found = &layout;
            if (found)
                names.push_back(found->heading);
        }
        return names;
    };
    Lines c = sequence(classic);
    Lines r = sequence(rewritten);
    if (pair.enginesDiffer) {
        const std::size_t n = std::min(c.size(), r.size());
        c.resize(n);
        r.resize(n);
    }
    EXPECT_EQ(r, c);
    // A rewritten listing is itself classic: rewriting it again changes nothing.
    const std::string once = engine::RewriteToClassicListing(fileText(pair.nec2cPath));
    EXPECT_FALSE(engine::IsNec2cListing(once));
    EXPECT_EQ(engine::RewriteToClassicListing(once), once);
}

TEST_P(RewrittenListing, ClassicListingPassesThroughUnchanged)
{
    const std::string classic = fileText(GetParam().classicPath);
    EXPECT_FALSE(engine::IsNec2cListing(classic));
    EXPECT_EQ(engine::RewriteToClassicListing(classic), classic);
    EXPECT_TRUE(engine::IsNec2cListing(fileText(GetParam().nec2cPath)));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, RewrittenListing, testing::ValuesIn(listingPairs()),
                         [](const testing::TestParamInfo<ListingPair>& info) { return info.param.name; });

TEST(ClassicListing, TheFirstSectionHeadingTellsTheLayout)
{
    // Comment texts that look like headings of the other layout change nothing.
    const std::string classic = "1\n"
                                "                                     - - - - COMMENTS - - - -\n"
                                "                  ---------- RADIATION PATTERNS ----------\n";
    EXPECT_FALSE(engine::IsNec2cListing(classic));
    EXPECT_EQ(engine::RewriteToClassicListing(classic), classic);
    const std::string nec2c = "                               ---------------- COMMENTS ----------------\n"
                              "                               - - - RADIATION PATTERNS - - -\n"
                              "                               ---------- POWER BUDGET ---------\n";
    EXPECT_TRUE(engine::IsNec2cListing(nec2c));
    EXPECT_EQ(engine::RewriteToClassicListing(nec2c),
              std::string(37, ' ') + "- - - - COMMENTS - - - -\n"
                  + "                               - - - RADIATION PATTERNS - - -\n" + std::string(40, ' ')
                  + "- - - POWER BUDGET - - -\n\n");
    EXPECT_FALSE(engine::IsNec2cListing("no headings at all\n"));
}

TEST(ClassicListing, CurrentSlopeSourceKeepsItsMarker)
{
    const Lines lines = rewrittenLines(dataPath("listings/nec2c/csdvs_source.out"));
    const int heading = listingtest::findLine(lines, "- - - ANTENNA INPUT PARAMETERS - - -");
    ASSERT_GE(heading, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(heading + 4)].substr(0, 12), "     1 *  12");
    // An ordinary voltage source has none.
    const Lines plain = rewrittenLines(dataPath("listings/nec2c/dipole_free.out"));
    const int other = listingtest::findLine(plain, "- - - ANTENNA INPUT PARAMETERS - - -");
    EXPECT_EQ(plain[static_cast<std::size_t>(other + 4)].substr(0, 12), "     1    11");
}

TEST(ClassicListing, SweepGivesOneBlockPerFrequency)
{
    // The classic engine stops after the first frequency of this deck; nec2c computes all.
    const Lines lines = rewrittenLines(dataPath("listings/nec2c/sweep.out"));
    std::vector<double> frequencies;
    std::vector<double> resistances;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (textlines::columns(lines[i], 46, 54) == "FREQUENCY") {
            double f = 0;
            ASSERT_TRUE(textlines::columnReal(lines[i + 2], 47, 58, f)) << lines[i + 2];
            frequencies.push_back(f);
        }
        if (textlines::columns(lines[i], 49, 72) == "ANTENNA INPUT PARAMETERS") {
            long long tag = 0;
            double r = 0, x = 0;
            ASSERT_TRUE(textlines::columnInteger(lines[i + 4], 1, 6, tag));
            ASSERT_TRUE(textlines::columnReal(lines[i + 4], 61, 72, r));
            ASSERT_TRUE(textlines::columnReal(lines[i + 4], 73, 84, x));
            EXPECT_EQ(tag, 2);
            EXPECT_TRUE(lines[i + 5].empty());
            resistances.push_back(r);
        }
    }
    EXPECT_EQ(frequencies, (std::vector<double>{13.8, 13.867, 13.933, 14.0, 14.067, 14.133, 14.2}));
    ASSERT_EQ(resistances.size(), 7u);
    // The first block is the one the classic engine computed.
    const Lines classic = listingtest::fileLines(dataPath("listings/classic/sweep.out"));
    const int heading = listingtest::findLine(classic, "- - - ANTENNA INPUT PARAMETERS - - -");
    double r = 0;
    ASSERT_TRUE(textlines::columnReal(classic[static_cast<std::size_t>(heading + 4)], 61, 72, r));
    EXPECT_NEAR(resistances[0], r, 2e-4 * r);
}

TEST(ClassicListing, SpecialLinesOfSmallListings)
{
    const std::string text =
        "  DATA CARD No:   1 EX   5     0     2     0  1.00000E+00\n"
        "  DATA CARD No:   2 RP   0     1     1  1000  0.00000E+00\n"
        "  DATA CARD No:   3 EX   0     0     3     0  1.00000E+00\n"
        "                        --------- ANTENNA INPUT PARAMETERS ---------\n"
        "  TAG   SEG       VOLTAGE (VOLTS)\n"
        "  No:   No:     REAL      IMAGINARY\n"
        "    0     2  1.0000E+00  0.0000E+00  1.0000E-02  0.0000E+00  1.0000E+02  0.0000E+00  1.0000E-02  0.0000E+00  "
        "5.0000E-03\n"
        "    0     3  1.0000E+00  0.0000E+00  1.0000E-02  0.0000E+00  1.0000E+02  0.0000E+00  1.0000E-02  0.0000E+00  "
        "5.0000E-03\n"
        "\n"
        "                            -------- ANTENNA ENVIRONMENT --------\n"
        "                            RADIAL WIRE GROUND SCREEN\n"
        "                            RELATIVE DIELECTRIC CONST: 4.000\n"
        "\n"
        "                             ---------- RADIATION PATTERNS -----------\n"
        "\n"
        "                             RANGE:  1.000000E+04 METERS\n"
        "                             EXP(-JKR)/R:  1.00000E-04 AT PHASE: -241.60 DEGREES\n"
        "\n"
        " ---- ANGLES -----     ----- POWER GAINS -----       ---- POLARIZATION ----   ---- E(THETA) ----    ----- "
        "E(PHI) ------\n"
        "  THETA      PHI       MAJOR    MINOR    TOTAL       AXIAL      TILT  SENSE   MAGNITUDE    PHASE    MAGNITUDE "
        "    PHASE\n"
        " DEGREES   DEGREES        DB       DB       DB       RATIO   DEGREES            VOLTS/M   DEGREES     VOLTS/M "
        "  DEGREES\n"
        "   90.00     12.00   -999.99 -999.99  -999.99      0.0000      0.00         0.0000E+00      0.00  0.0000E+00  "
        "    0.00\n"
        "   12345.678 1\n"
        "\n"
        "                             -------- NEAR ELECTRIC FIELDS --------\n"
        "     ------- LOCATION -------     ------- EX ------    ------- EY ------    ------- EZ ------\n"
        "      X         Y         Z       MAGNITUDE   PHASE    MAGNITUDE   PHASE    MAGNITUDE   PHASE\n"
        "    METERS    METERS    METERS     VOLTS/M  DEGREES    VOLTS/M   DEGREES     VOLTS/M  DEGREES\n"
        "12345.6789   -0.0000    0.5000   2.0000E+00    0.00   0.0000E+00    0.00   5.7299E-11 -158.57\n";
    ASSERT_TRUE(engine::IsNec2cListing(text));
    const Lines lines = splitLines(engine::RewriteToClassicListing(text));
    const int params = listingtest::findLine(lines, "ANTENNA INPUT PARAMETERS");
    // The EX 5 card was followed by another card, so the EX 0 card started a new set.
    EXPECT_EQ(lines[static_cast<std::size_t>(params + 4)].substr(0, 12), "     0     2");
    EXPECT_EQ(lines[static_cast<std::size_t>(params + 5)].substr(0, 12), "     0     3");
    EXPECT_EQ(lines[static_cast<std::size_t>(params + 4)].substr(60, 12), " 1.00000E+02");

    const int environment = listingtest::findLine(lines, "ANTENNA ENVIRONMENT");
    EXPECT_EQ(lines[static_cast<std::size_t>(environment + 2)], std::string(40, ' ') + "RADIAL WIRE GROUND SCREEN");
    EXPECT_EQ(lines[static_cast<std::size_t>(environment + 3)],
              std::string(40, ' ') + "RELATIVE DIELECTRIC CONST.=  4.000");

    const int pattern = listingtest::findLine(lines, "RADIATION PATTERNS");
    EXPECT_EQ(textlines::columns(lines[static_cast<std::size_t>(pattern)], 55, 72), "RADIATION PATTERNS");
    EXPECT_EQ(lines[static_cast<std::size_t>(pattern + 1)], std::string(54, ' ') + "RANGE= 1.000000E+04 METERS");
    EXPECT_EQ(lines[static_cast<std::size_t>(pattern + 2)],
              std::string(54, ' ') + "EXP(-JKR)/R= 1.00000E-04 AT PHASE-241.60 DEGREES");
    EXPECT_EQ(lines[static_cast<std::size_t>(pattern + 6)].substr(0, 44),
              "  THETA     PHI        MAJOR   MINOR   TOTAL");
    EXPECT_EQ(lines[static_cast<std::size_t>(pattern + 8)],
              "   90.00    12.00    -999.99 -999.99 -999.99    0.00000     0.00            0.00000E+00     0.00    "
              "0.00000E+00     0.00");
    EXPECT_EQ(lines[static_cast<std::size_t>(pattern + 9)], "   12345.678 1") << "a row that does not read stays";

    // A coordinate too wide for its field loses decimals instead of shifting the row.
    const int near = listingtest::findLine(lines, "NEAR ELECTRIC FIELDS");
    const std::string& row = lines[static_cast<std::size_t>(near + 5)];
    EXPECT_EQ(row.substr(0, 35), "    12345.679    -0.0000     0.5000");
    EXPECT_EQ(row.substr(35), "     2.0000E+00     0.00    0.0000E+00     0.00    5.7299E-11  -158.57");
}
