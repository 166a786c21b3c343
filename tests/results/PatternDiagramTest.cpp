#include "ListingFixture.h"

#include "results/PatternDiagram.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>

using namespace vrnnec;

using namespace results;

namespace {

constexpr double kPi = std::numbers::pi;

// Image points computed here on their own: std::nearbyint rounds half to even in the
// default rounding mode.
int nearest(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

QPoint expectedAzimuth(double r, double phiDegrees)
{
    const double phi = phiDegrees * kPi / 180.0;
    const int x = 175 + nearest(175.0 * r * std::sin(phi));
    const int y = 175 - nearest(175.0 * r * std::cos(phi));
    return {std::clamp(x, 0, 349), std::clamp(y, 0, 349)};
}

QPoint expectedElevation(double r, double elevationDegrees)
{
    const double eps = elevationDegrees * kPi / 180.0;
    const int x = 175 + nearest(175.0 * r * std::cos(eps));
    const int y = 175 - nearest(175.0 * r * std::sin(eps));
    return {std::clamp(x, 0, 349), std::clamp(y, 0, 174)};
}

bool pixelIs(const QImage& image, QPoint p, const QColor& colour)
{
    return image.pixelColor(p).rgb() == colour.rgb();
}

bool isDark(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

// Whether any pixel of the 3 x 3 square around p satisfies the test.
bool near(const QImage& image, QPoint p, const std::function<bool(QColor)>& test)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint q = p + QPoint(dx, dy);
            if (image.rect().contains(q) && test(image.pixelColor(q)))
                return true;
        }
    return false;
}

std::vector<QPoint> pixelsOf(const QImage& image, const QColor& colour)
{
    std::vector<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb())
                found.emplace_back(x, y);
    return found;
}

QPoint onCircle(double cx, double cy, double radius, double degrees)
{
    const double a = degrees * kPi / 180.0;
    return {nearest(cx + radius * std::cos(a)), nearest(cy - radius * std::sin(a))};
}

const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kFace(240, 240, 240);

engine::PatternCuts uniformPattern(double vertical, double horizontal, double total)
{
    const fixture::Gains g{vertical, horizontal, total};
    return fixture::syntheticPattern([g](int) { return g; }, [g](int) { return g; });
}

} // namespace

TEST(PatternGrid, BackgroundDiscAndCentre)
{
    PatternImages images;
    ASSERT_EQ(images.azimuth.size(), QSize(350, 350));
    ASSERT_EQ(images.elevation.size(), QSize(350, 175));

    // Button face outside the disc, white inside between the rings.
    for (QPoint corner : {QPoint(0, 0), QPoint(349, 0), QPoint(0, 349), QPoint(349, 349)})
        EXPECT_TRUE(pixelIs(images.azimuth, corner, kFace)) << corner.x() << "," << corner.y();
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(190, 60), Qt::white));
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(260, 250), Qt::white));

    EXPECT_TRUE(pixelIs(images.elevation, QPoint(0, 0), kFace));
    EXPECT_TRUE(pixelIs(images.elevation, QPoint(349, 0), kFace));
    EXPECT_TRUE(pixelIs(images.elevation, QPoint(190, 60), Qt::white));
    // The bottom row is a button-face line across the whole width.
    for (int x = 0; x < 350; x += 7)
        EXPECT_TRUE(pixelIs(images.elevation, QPoint(x, 174), kFace)) << x;

    // Centre mark on the azimuth diagram only.
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(174, 174), Qt::black));
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(175, 175), Qt::black));
    for (int y = 170; y < 175; ++y)
        for (int x = 172; x <= 178; ++x)
            EXPECT_FALSE(isDark(images.elevation, x, y)) << x << "," << y;
}

TEST(PatternGrid, DottedRingsEveryTwoDegrees)
{
    PatternImages images;
    // Rings 1 to 6 at 0.9 .. 0.4 of the radius (sx = sy = 17 in both images).
    for (int i = 1; i <= 6; ++i) {
        const int r = 175 - 17 * i;
        for (int j = 1; j <= 180; ++j) {
            const double a = 2.0 * j * kPi / 180.0;
            const QPoint p(nearest(r * std::cos(a) + 175), nearest(175 - r * std::sin(a)));
            EXPECT_TRUE(pixelIs(images.azimuth, p, Qt::black)) << "ring " << i << " at " << 2 * j;
            if (j <= 89) {
                EXPECT_TRUE(pixelIs(images.elevation, p, Qt::black)) << "elevation ring " << i << " at " << 2 * j;
            }
        }
    }
}

TEST(PatternGrid, SolidInnerRingsAndNoRingAtMinus21dB)
{
    PatternImages images;
    auto grey = [](QColor c) { return c.rgb() == kGrey.rgb(); };
    auto notWhite = [](QColor c) { return c.rgb() != QColor(Qt::white).rgb(); };
    // Rings 8 and 9 are ellipses in the boxes 136..213 and 153..196 (right and bottom
    // edges excluded), centred on 174.5. The -24dB label lies over the top of ring 8.
    auto underLabel = [](QPoint p) { return p.x() >= 163 && p.x() <= 205 && p.y() >= 135 && p.y() <= 148; };
    for (double radius : {38.5, 21.5}) {
        for (int deg = 0; deg < 360; ++deg) {
            const QPoint p = onCircle(174.5, 174.5, radius, deg);
            if (!underLabel(p)) {
                EXPECT_TRUE(near(images.azimuth, p, grey)) << "azimuth radius " << radius << " at " << deg;
            }
        }
        for (int deg = 1; deg < 180; ++deg) {
            const QPoint p = onCircle(174.5, 174.5, radius, deg);
            if (!underLabel(p)) {
                EXPECT_TRUE(near(images.elevation, p, grey)) << "elevation radius " << radius << " at " << deg;
            }
        }
    }
    // Ring 1 is dotted: nothing between its dots (2.8 pixels per degree there).
    EXPECT_FALSE(near(images.azimuth, onCircle(175, 175, 158, 1), notWhite));
    EXPECT_FALSE(near(images.azimuth, onCircle(175, 175, 158, 33), notWhite));
    // At 0.3 of the radius only the spokes every 10 degrees leave a dot.
    for (int deg = 5; deg < 360; deg += 10) {
        EXPECT_FALSE(near(images.azimuth, onCircle(175, 175, 56, deg), notWhite)) << deg;
        EXPECT_TRUE(near(images.azimuth, onCircle(175, 175, 56, deg + 5), [](QColor c) {
            return c.rgb() == QColor(Qt::black).rgb();
        })) << deg + 5;
    }
}

TEST(PatternGrid, LevelLabelsAboveTheirRings)
{
    PatternImages images;
    // "0dB" at y 0, then -6dB .. -24dB at round(2 i h / 10) - 4: 31, 66, 101, 136 in
    // both images (h = 175 for the elevation image, cy = 175 for the azimuth image).
    // Ring and spoke dots are sparse; the text fills its box.
    for (const QImage* image : {&images.azimuth, &images.elevation}) {
        for (int top : {0, 31, 66, 101, 136}) {
            int inLabel = 0;
            int leftOfLabel = 0;
            for (int y = top; y < top + 12; ++y) {
                for (int x = 165; x < 200; ++x)
                    if (x != 175 && isDark(*image, x, y)) // the 90-degree spoke runs at 175
                        ++inLabel;
                for (int x = 125; x < 160; ++x)
                    if (isDark(*image, x, y))
                        ++leftOfLabel;
            }
            EXPECT_GE(inLabel, 30) << "label at " << top;
            EXPECT_LT(3 * leftOfLabel, inLabel) << "left of label at " << top;
        }
        // Nothing dark between the labels (rows 13 to 29 hold only ring dots).
        int between = 0;
        for (int y = 13; y < 30; ++y)
            for (int x = 165; x < 200; ++x)
                between += (x != 175 && isDark(*image, x, y)) ? 1 : 0;
        EXPECT_LT(between, 12);
    }
}

TEST(PatternCurves, IsotropicCutOnTheOuterRingClampedAt349)
{
    PatternImages images;
    const auto lines = uniformPattern(5.0, 5.0, 5.0);
    const PatternDrawOutcome outcome = DrawPatternCurves(images, lines, 5.0, GainComponent::Total, kBlue, true);
    EXPECT_EQ(outcome.message, "");
    EXPECT_TRUE(outcome.enableSave);

    for (int phi = 0; phi < 360; ++phi)
        EXPECT_TRUE(pixelIs(images.azimuth, expectedAzimuth(1.0, phi), kBlue)) << phi;
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(349, 175), kBlue)); // azimuth 90: x 350
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(175, 349), kBlue)); // azimuth 180: y 350
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(175, 0), kBlue));
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(0, 175), kBlue));
    // Every blue pixel lies on the circle of radius 175 (or on the clamped edge).
    const auto blue = pixelsOf(images.azimuth, kBlue);
    EXPECT_GT(blue.size(), 900u);
    for (QPoint p : blue) {
        const double d = std::hypot(p.x() - 175.0, p.y() - 175.0);
        EXPECT_TRUE(d > 173.0 && d < 176.5) << p.x() << "," << p.y();
    }

    for (int m = 0; m < 181; ++m)
        EXPECT_TRUE(pixelIs(images.elevation, expectedElevation(1.0, m), kBlue)) << m;
    EXPECT_TRUE(pixelIs(images.elevation, QPoint(349, 174), kBlue)); // front horizon
    EXPECT_TRUE(pixelIs(images.elevation, QPoint(0, 174), kBlue));   // back horizon
    EXPECT_TRUE(pixelIs(images.elevation, QPoint(175, 0), kBlue));   // zenith
}

TEST(PatternCurves, GainsThirtyDecibelsDownAtTheCentre)
{
    PatternImages images;
    // Azimuth exactly 30 dB down, elevation "no field" (-999.99).
    const auto lines = fixture::syntheticPattern(
        [](int) {
            return fixture::Gains{-20.0, -20.0, -20.0};
        },
        [](int) {
            return fixture::Gains{-999.99, -999.99, -999.99};
        });
    const auto outcome = DrawPatternCurves(images, lines, 10.0, GainComponent::Total, kBlue, true);
    EXPECT_EQ(outcome.message, "");
    const auto az = pixelsOf(images.azimuth, kBlue);
    ASSERT_EQ(az.size(), 1u);
    EXPECT_EQ(az[0], QPoint(175, 175));
    const auto el = pixelsOf(images.elevation, kBlue);
    ASSERT_EQ(el.size(), 1u);
    EXPECT_EQ(el[0], QPoint(175, 174)); // the centre (175, 175) clamped into the image
}

TEST(PatternCurves, ScaleAndRounding)
{
    EXPECT_DOUBLE_EQ(patternRadius(10.0, 10.0), 1.0);
    EXPECT_DOUBLE_EQ(patternRadius(7.0, 10.0), 0.9);
    EXPECT_DOUBLE_EQ(patternRadius(-20.0, 10.0), 0.0);
    EXPECT_DOUBLE_EQ(patternRadius(-45.0, 10.0), 0.0);
    // 0.3 of 175 is 52.5: the even 52, not 53; 157.5, 87.5 and 17.5 go up to even.
    EXPECT_EQ(azimuthPoint(patternRadius(-11.0, 10.0), 0.0), QPoint(175, 123));
    EXPECT_EQ(elevationPoint(0.3, 90.0), QPoint(175, 123));
    EXPECT_EQ(azimuthPoint(0.9, 0.0), QPoint(175, 17));
    EXPECT_EQ(azimuthPoint(0.5, 0.0), QPoint(175, 87));
    EXPECT_EQ(azimuthPoint(0.1, 90.0), QPoint(193, 175));
    EXPECT_EQ(elevationPoint(0.9, 90.0), QPoint(175, 17));
    EXPECT_EQ(elevationPoint(1.0, 0.0), QPoint(349, 174));
}

TEST(PatternCurves, HugeGainsStayOnThePictureEdge)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        QPoint point;
        QPoint expected;
    };
    const std::vector<Case> cases = {
        {"1.0E+308 straight up", azimuthPoint(patternRadius(1.0E+308, 0.0), 0.0), QPoint(175, 0)},
        {"1.0E+308 to the right", azimuthPoint(patternRadius(1.0E+308, 0.0), 90.0), QPoint(349, 175)},
        {"infinite radius, 45 degrees", azimuthPoint(inf, 45.0), QPoint(349, 0)},
        {"infinite elevation radius up", elevationPoint(inf, 90.0), QPoint(175, 0)},
        {"infinite elevation radius to the front", elevationPoint(inf, 0.0), QPoint(349, 174)},
        {"radius without a value at the centre", azimuthPoint(nan, 30.0), QPoint(175, 175)},
        {"infinite maximum gain", azimuthPoint(patternRadius(3.0, inf), 0.0), QPoint(175, 175)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.point, c.expected) << c.name;
}

TEST(PatternCurves, PolarizationChoices)
{
    // Total on the outer ring, horizontal 3 dB down (0.9), vertical 6 dB down (0.8)
    // except around azimuth 90 and elevation 45, where it equals the horizontal gain.
    const double m = 8.0;
    auto azimuth = [m](int k) {
        const bool same = k >= 80 && k <= 100;
        return fixture::Gains{same ? m - 3 : m - 6, m - 3, m};
    };
    auto elevation = [m](int e) {
        const bool same = e >= 40 && e <= 50;
        return fixture::Gains{same ? m - 3 : m - 6, m - 3, m};
    };
    const auto lines = fixture::syntheticPattern(azimuth, elevation);

    struct Case {
        Polarization choice;
        bool total, horizontal, vertical;
    };
    for (const Case& c :
         {Case{Polarization::Total, true, false, false}, Case{Polarization::Phi, false, true, false},
          Case{Polarization::Theta, false, false, true}, Case{Polarization::PhiTheta, false, true, true}}) {
        SCOPED_TRACE(static_cast<int>(c.choice));
        PatternImages images;
        const PolarizationOutcome outcome = ShowPolarization(images, lines, m, c.choice, ',');
        EXPECT_TRUE(outcome.messages.empty());
        EXPECT_TRUE(outcome.enableSave);
        EXPECT_EQ(outcome.outerRingText, "Outer ring level = 8 dBi");
        EXPECT_EQ(outerRingText(10.25, ','), "Outer ring level = 10,25 dBi");

        EXPECT_EQ(pixelIs(images.azimuth, expectedAzimuth(1.0, 0), kBlue), c.total);
        EXPECT_EQ(pixelIs(images.azimuth, expectedAzimuth(0.9, 0), kGreen), c.horizontal);
        EXPECT_EQ(pixelIs(images.azimuth, expectedAzimuth(0.8, 0), kRed), c.vertical);
        EXPECT_EQ(pixelIs(images.elevation, expectedElevation(1.0, 120), kBlue), c.total);
        EXPECT_EQ(pixelIs(images.elevation, expectedElevation(0.9, 120), kGreen), c.horizontal);
        EXPECT_EQ(pixelIs(images.elevation, expectedElevation(0.8, 120), kRed), c.vertical);
        EXPECT_EQ(pixelsOf(images.azimuth, kBlue).empty(), !c.total);
        EXPECT_EQ(pixelsOf(images.azimuth, kGreen).empty(), !c.horizontal);
        EXPECT_EQ(pixelsOf(images.azimuth, kRed).empty(), !c.vertical);

        // Where both components coincide, the vertical one is on top.
        if (c.choice == Polarization::PhiTheta) {
            EXPECT_TRUE(pixelIs(images.azimuth, expectedAzimuth(0.9, 90), kRed));
            EXPECT_TRUE(pixelIs(images.elevation, expectedElevation(0.9, 45), kRed));
        }
        if (c.choice == Polarization::Phi) {
            EXPECT_TRUE(pixelIs(images.azimuth, expectedAzimuth(0.9, 90), kGreen));
        }
    }
}

TEST(PatternCurves, MissingOrBrokenData)
{
    const engine::PatternCuts good = uniformPattern(0.0, 0.0, 0.0);

    // No cuts at all: message, nothing redrawn even with clearFirst.
    {
        PatternImages images;
        DrawPatternCurves(images, good, 0.0, GainComponent::Total, kBlue, true);
        const QImage before = images.azimuth;
        const auto outcome = DrawPatternCurves(images, engine::PatternCuts{}, 0.0, GainComponent::Total, kRed, true);
        EXPECT_EQ(outcome.message, "No data for radiation pattern found.");
        EXPECT_FALSE(outcome.enableSave);
        EXPECT_EQ(images.azimuth, before);
    }
    // No azimuth cut.
    {
        PatternImages images;
        engine::PatternCuts noAzimuth = good;
        noAzimuth.azimuth.clear();
        EXPECT_EQ(DrawPatternCurves(images, noAzimuth, 0.0, GainComponent::Total, kBlue, true).message,
                  "Radiation pattern data in output NEC-2 file not found.");
    }
    // The elevation cut missing: the azimuth curve stays drawn.
    {
        PatternImages images;
        engine::PatternCuts azimuthOnly = good;
        azimuthOnly.elevation.clear();
        const auto outcome = DrawPatternCurves(images, azimuthOnly, 0.0, GainComponent::Total, kBlue, true);
        EXPECT_EQ(outcome.message, "Radiation pattern data in output NEC-2 file not found.");
        EXPECT_FALSE(outcome.enableSave);
        EXPECT_FALSE(pixelsOf(images.azimuth, kBlue).empty());
        EXPECT_TRUE(pixelsOf(images.elevation, kBlue).empty());
    }
    const std::string invalid = "Radiation pattern data in NEC-2 output are ivalid (may be due "
                                "to incorrect RP card in NEC-2 input). See NEC-2 output file.";
    // An unreadable elevation gain; the azimuth curve stays.
    {
        PatternImages images;
        engine::PatternCuts broken = good;
        std::string row = fixture::patternRow(80.0, 0.0, 0.0, 0.0, 0.0);
        row.replace(36, 8, "  ******");
        broken.elevation[171] = engine::ReadPatternRow(row);
        const auto outcome = DrawPatternCurves(images, broken, 0.0, GainComponent::Total, kBlue, true);
        EXPECT_EQ(outcome.message, invalid);
        EXPECT_FALSE(pixelsOf(images.azimuth, kBlue).empty());
        EXPECT_TRUE(pixelsOf(images.elevation, kBlue).empty());
        // Only that column is broken: the horizontal gain still draws.
        EXPECT_EQ(DrawPatternCurves(images, broken, 0.0, GainComponent::Horizontal, kGreen, true).message, "");
    }
    // A cut shorter than its rows reads as unreadable gains (no crash).
    {
        PatternImages images;
        engine::PatternCuts cut = good;
        cut.elevation.resize(131);
        EXPECT_EQ(DrawPatternCurves(images, cut, 0.0, GainComponent::Total, kBlue, true).message, invalid);
        cut = good;
        cut.azimuth.resize(359);
        EXPECT_EQ(DrawPatternCurves(images, cut, 0.0, GainComponent::Total, kBlue, true).message, invalid);
    }
    // With "V+H" each failing curve reports its message.
    {
        PatternImages images;
        const auto outcome = ShowPolarization(images, engine::PatternCuts{}, 1.0, Polarization::PhiTheta, '.');
        ASSERT_EQ(outcome.messages.size(), 2u);
        EXPECT_EQ(outcome.messages[0], "No data for radiation pattern found.");
        EXPECT_FALSE(outcome.enableSave);
        EXPECT_EQ(outcome.outerRingText, "Outer ring level = 1 dBi");
    }
}

TEST(PatternCurves, SampleYagiMainLobeForward)
{
    // Three-element Yagi: azimuth cut at theta 70 (20 degrees elevation), elevation
    // cut at phi 0; the main lobe points to azimuth 0.
    const auto lines = fixture::patternCuts("classic/yagi3_loads.out");
    ASSERT_EQ(lines.azimuth.size(), 360u);
    ASSERT_EQ(lines.elevation.size(), 181u);
    const double m = 10.2; // largest total gain of the listing, in the elevation cut
    PatternImages images;
    const auto outcome = ShowPolarization(images, lines, m, Polarization::Total, '.');
    ASSERT_TRUE(outcome.messages.empty());

    // The azimuth maximum (10.00 dBi at azimuth 0) lies just inside the outer ring.
    EXPECT_TRUE(pixelIs(images.azimuth, QPoint(175, 1), kBlue));
    const auto blue = pixelsOf(images.azimuth, kBlue);
    int forward = 0, backward = 0;
    for (QPoint p : blue) {
        forward += p.y() < 40 ? 1 : 0;
        backward += p.y() > 310 ? 1 : 0;
    }
    EXPECT_GT(forward, 0);
    EXPECT_EQ(backward, 0);
    // The elevation lobe leans to the front (right).
    int front = 0, back = 0;
    for (QPoint p : pixelsOf(images.elevation, kBlue)) {
        front += p.x() > 300 ? 1 : 0;
        back += p.x() < 50 ? 1 : 0;
    }
    EXPECT_GT(front, 0);
    EXPECT_EQ(back, 0);

    images.azimuth.save(QString(TEST_OUTPUT_DIR) + "/yagi3_azimuth.png", "PNG");
    images.elevation.save(QString(TEST_OUTPUT_DIR) + "/yagi3_elevation.png", "PNG");
    ShowPolarization(images, lines, m, Polarization::PhiTheta, '.');
    images.azimuth.save(QString(TEST_OUTPUT_DIR) + "/yagi3_azimuth_vh.png", "PNG");
    images.elevation.save(QString(TEST_OUTPUT_DIR) + "/yagi3_elevation_vh.png", "PNG");
}

TEST(PatternDensity, DiagramsDrawnAgainForADenserScreen)
{
    // The two curves of "V+H" at half of the outer ring (15 dB down) in green and red.
    PatternImages images;
    const auto lines = uniformPattern(-10.0, -10.0, 5.0);
    ShowPolarization(images, lines, 5.0, Polarization::PhiTheta, '.');
    ASSERT_EQ(images.azimuthCurves.size(), 2u);
    ASSERT_EQ(images.elevationCurves.size(), 2u);
    const QImage bitmap = images.azimuth;

    struct {
        double ratio;
        int azimuthSide, elevationHeight;
    } cases[] = {{1, 350, 175}, {0.5, 350, 175}, {1.5, 525, 263}, {2, 700, 350}, {3, 1050, 525}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ratio);
        const PatternImages dense = PatternImagesAt(images, c.ratio);
        const double ratio = std::max(c.ratio, 1.0);
        EXPECT_EQ(dense.azimuth.size(), QSize(c.azimuthSide, c.azimuthSide));
        EXPECT_EQ(dense.elevation.size(), QSize(c.azimuthSide, c.elevationHeight));
        EXPECT_DOUBLE_EQ(dense.azimuth.devicePixelRatio(), ratio);
        EXPECT_DOUBLE_EQ(dense.elevation.devicePixelRatio(), ratio);
        // The same drawing at the scale: background, white disc, the curve of the last
        // colour (red over green) on the half-radius circle, nothing of it elsewhere.
        EXPECT_EQ(dense.azimuth.pixelColor(1, 1).rgb(), kFace.rgb());
        EXPECT_NEAR(static_cast<double>(pixelsOf(dense.azimuth, Qt::white).size()),
                    ratio * ratio * static_cast<double>(pixelsOf(bitmap, Qt::white).size()),
                    0.1 * ratio * ratio * static_cast<double>(pixelsOf(bitmap, Qt::white).size()));
        for (int phi = 0; phi < 360; phi += 15) {
            const QPoint at = onCircle(175 * ratio, 175 * ratio, 87.5 * ratio, phi);
            EXPECT_TRUE(near(dense.azimuth, at, [](QColor q) { return q.red() > 150 && q.green() < 120; })) << phi;
        }
        for (int m = 0; m <= 180; m += 15) {
            QPoint at = onCircle(175 * ratio, 175 * ratio, 87.5 * ratio, m);
            at.setY(std::min(at.y(), nearest(174 * ratio))); // the horizon's last row
            EXPECT_TRUE(near(dense.elevation, at, [](QColor q) { return q.red() > 150 && q.green() < 120; })) << m;
        }
        EXPECT_EQ(dense.azimuthCurves.size(), 2u);
    }
    // The bitmaps themselves stay as drawn; a new grid forgets the curves.
    EXPECT_EQ(PatternImagesAt(images, 1).azimuth, bitmap);
    EXPECT_EQ(images.azimuth, bitmap);
    DrawPatternGrid(images);
    EXPECT_TRUE(images.azimuthCurves.empty());
    EXPECT_TRUE(images.elevationCurves.empty());
    EXPECT_TRUE(pixelsOf(PatternImagesAt(images, 2).azimuth, kRed).empty());
}
