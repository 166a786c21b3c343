#include "PatternDiagram.h"

#include "common/NumberText.h"
#include "engine/ListingParse.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vrnnec::results {

namespace {

using engine::kAzimuthRows;
using engine::kElevationRows;
constexpr double kScaleDb = 30.0;

const char* const kNoDataMessage = "No data for radiation pattern found.";
const char* const kNotFoundMessage = engine::listingmessages::kNoPattern;
const char* const kInvalidMessage =
    "Radiation pattern data in NEC-2 output are ivalid (may be due to incorrect RP card in "
    "NEC-2 input). See NEC-2 output file.";

int roundToPixel(double value)
{
    return static_cast<int>(numtext::roundHalfEven(value));
}

// A radius far beyond the picture draws as the picture's edge; bounding it keeps the
// pixel offsets within int for any gain a listing holds (1.0E+308, inf, NaN).
double pictureRadius(double radius)
{
    constexpr double kBeyondPicture = 1e6;
    if (!(radius > 0))
        return 0;
    return std::min(radius, kBeyondPicture);
}

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

// A painter with exact pixels: no antialiasing, cosmetic one-pixel pens.
void preparePainter(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

QPen solidPen(const QColor& colour)
{
    QPen pen(colour);
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    return pen;
}

// An ellipse whose outline lies inside the box left..right-1, top..bottom-1 (the box
// convention of the grid description: the right and bottom edges are excluded).
QRect boxRect(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

// One black pixel; the painter's pen is kept.
void blackDot(QPainter& painter, int x, int y)
{
    const QPen pen = painter.pen();
    painter.setPen(solidPen(Qt::black));
    painter.drawPoint(x, y);
    painter.setPen(pen);
}

// The image's size in pixels of the drawing: its device pixels over its pixel ratio.
QSize drawingSize(const QImage& image)
{
    const double ratio = image.devicePixelRatio();
    return {static_cast<int>(std::lround(image.width() / ratio)), static_cast<int>(std::lround(image.height() / ratio))};
}

void fillBackground(QPainter& painter, const QImage& image)
{
    const QSize size = drawingSize(image);
    painter.fillRect(QRect(0, 0, size.width(), size.height()), buttonFaceColour());
}

// Font size 8 with a transparent background: "0dB" at the top, then -6dB .. -24dB just
// above the rings of those levels.
void drawLabels(QPainter& painter, int cx, int levelHeight)
{
    QFont font = painter.font();
    font.setPointSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setPen(solidPen(Qt::black));
    auto drawAt = [&](int x, int y, const QString& text) {
        painter.drawText(QRect(x, y, 100, 40), Qt::AlignLeft | Qt::AlignTop, text);
    };
    drawAt(cx - 10, 0, QStringLiteral("0dB"));
    for (int i = 1; i <= 4; ++i) {
        const int y = roundToPixel(2.0 * i * levelHeight / 10.0) - 4;
        drawAt(cx - 10, y, QString::number(-6 * i) + QStringLiteral("dB"));
    }
}

// The black radial dots of ring i at the angle a (degrees), around the centre
// (cx, cy): two dots beyond every ring, three more beyond ring 8.
void drawRadialDots(QPainter& painter, int i, double a, int cx, int cy, int rx, int ry, int sx, int sy)
{
    const double c = std::cos(radians(a));
    const double s = std::sin(radians(a));
    auto dot = [&](double fraction) {
        const double px = rx + fraction * sx;
        const double py = ry + fraction * sy;
        blackDot(painter, roundToPixel(px * c + cx), roundToPixel(cy - py * s));
    };
    dot(1.0 / 3.0);
    dot(2.0 / 3.0);
    if (i == 8) {
        dot(1.0);
        dot(4.0 / 3.0);
        dot(5.0 / 3.0);
    }
}

void drawAzimuthGrid(QImage& image)
{
    const int w = drawingSize(image).width();
    const int h = drawingSize(image).height();
    const int cx = w / 2;
    const int cy = h / 2;
    const int sx = cx / 10;
    const int sy = cy / 10;

    QPainter painter(&image);
    preparePainter(painter);
    fillBackground(painter, image);

    painter.setPen(solidPen(buttonFaceColour()));
    painter.setBrush(Qt::white);
    painter.drawEllipse(boxRect(0, 0, w, h));

    painter.setPen(solidPen(gridColour()));
    painter.setBrush(Qt::white);
    for (int i = 1; i <= 9; ++i) {
        if (i == 7)
            continue;
        const int rx = cx - i * sx;
        const int ry = cy - i * sy;
        if (i >= 8)
            painter.drawEllipse(boxRect(cx - rx, cy - ry, cx + rx, cy + ry));
        for (int j = 1; j <= 180; ++j) {
            const double a = 2.0 * j;
            if (i <= 6) {
                blackDot(painter, roundToPixel(rx * std::cos(radians(a)) + cx),
                         roundToPixel(cy - ry * std::sin(radians(a))));
            }
            if (i <= 8 && j % 5 == 0)
                drawRadialDots(painter, i, a, cx, cy, rx, ry, sx, sy);
        }
    }

    painter.setPen(solidPen(Qt::black));
    painter.drawEllipse(boxRect(cx - 1, cy - 1, cx + 1, cy + 1));
    painter.setPen(solidPen(gridColour()));

    drawLabels(painter, cx, cy);
}

void drawElevationGrid(QImage& image)
{
    const int w = drawingSize(image).width();
    const int h = drawingSize(image).height();
    const int cx = w / 2;
    const int sx = cx / 10;
    const int sy = h / 10;

    QPainter painter(&image);
    preparePainter(painter);
    fillBackground(painter, image);

    painter.setPen(solidPen(buttonFaceColour()));
    painter.setBrush(Qt::white);
    painter.drawPie(boxRect(0, 0, w, 2 * h), 0, 180 * 16);
    painter.drawLine(0, h - 1, w - 1, h - 1);

    painter.setPen(solidPen(gridColour()));
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 9; ++i) {
        if (i == 7)
            continue;
        const int rx = cx - i * sx;
        const int ry = h - i * sy;
        if (i >= 8)
            painter.drawArc(boxRect(cx - rx, h - ry, cx + rx, h + ry), 0, 180 * 16);
        for (int j = 1; j <= 89; ++j) {
            const double a = 2.0 * j;
            if (i <= 6) {
                blackDot(painter, roundToPixel(rx * std::cos(radians(a)) + cx),
                         roundToPixel(h - ry * std::sin(radians(a))));
            }
            if (i <= 8 && j % 5 == 0)
                drawRadialDots(painter, i, a, cx, h, rx, ry, sx, sy);
        }
    }

    drawLabels(painter, cx, h);
}

// The gains of one component of a cut; false when the cut is shorter than `count` rows
// or a gain is unreadable.
bool readGains(const std::vector<engine::PatternRow>& rows, int count, GainComponent component,
               std::vector<double>& gains)
{
    if (rows.size() < static_cast<std::size_t>(count))
        return false;
    gains.assign(static_cast<std::size_t>(count), 0.0);
    for (std::size_t k = 0; k < gains.size(); ++k) {
        const engine::PatternRow& row = rows[k];
        const engine::OptionalReal& gain = component == GainComponent::Vertical ? row.verticalGain
            : component == GainComponent::Horizontal                            ? row.horizontalGain
                                                                                : row.totalGain;
        if (!gain)
            return false;
        gains[k] = *gain;
    }
    return true;
}

// On a bitmap the points of a curve are whole pixels; on a denser image they keep their
// fractions and the curve is smoothed.
QPointF curvePoint(const QPoint& pixel, const QPointF& exact, const QImage& image)
{
    return image.devicePixelRatio() > 1 ? exact : QPointF(pixel);
}

void drawCurve(QImage& image, const QPolygonF& points, const QColor& colour)
{
    QPainter painter(&image);
    preparePainter(painter);
    painter.setPen(solidPen(colour));
    if (image.devicePixelRatio() > 1) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawPolyline(points);
        painter.drawPoints(points);
        return;
    }
    const QPolygon pixels = points.toPolygon();
    painter.drawPolyline(pixels);
    painter.drawPoints(pixels); // a curve that stays in one point still shows
}

QPointF azimuthPointF(double radius, double azimuthDegrees)
{
    const double cx = kAzimuthWidth / 2, cy = kAzimuthHeight / 2;
    const double phi = radians(azimuthDegrees);
    radius = pictureRadius(radius);
    return {std::clamp(cx + cx * radius * std::sin(phi), 0.0, kAzimuthWidth - 1.0),
            std::clamp(cy - cy * radius * std::cos(phi), 0.0, kAzimuthHeight - 1.0)};
}

QPointF elevationPointF(double radius, double elevationDegrees)
{
    const double cx = kElevationWidth / 2, h = kElevationHeight;
    const double eps = radians(elevationDegrees);
    radius = pictureRadius(radius);
    return {std::clamp(cx + cx * radius * std::cos(eps), 0.0, kElevationWidth - 1.0),
            std::clamp(h - h * radius * std::sin(eps), 0.0, kElevationHeight - 1.0)};
}

void drawAzimuthCurve(QImage& image, const std::vector<double>& gains, double maxTotalGain, const QColor& colour)
{
    QPolygonF points;
    for (std::size_t k = 0; k < gains.size(); ++k) {
        const double radius = patternRadius(gains[k], maxTotalGain);
        const auto degrees = static_cast<double>(k);
        points << curvePoint(azimuthPoint(radius, degrees), azimuthPointF(radius, degrees), image);
    }
    points << points.front();
    drawCurve(image, points, colour);
}

void drawElevationCurve(QImage& image, const std::vector<double>& gains, double maxTotalGain, const QColor& colour)
{
    QPolygonF points;
    for (std::size_t m = 0; m < gains.size(); ++m) {
        const double radius = patternRadius(gains[m], maxTotalGain);
        const auto degrees = static_cast<double>(m);
        points << curvePoint(elevationPoint(radius, degrees), elevationPointF(radius, degrees), image);
    }
    drawCurve(image, points, colour);
}

} // namespace

QColor buttonFaceColour()
{
    return QColor(240, 240, 240);
}
QColor gridColour()
{
    return QColor(128, 128, 128);
}
QColor totalCurveColour()
{
    return QColor(0, 0, 255);
}
QColor horizontalCurveColour()
{
    return QColor(0, 128, 0);
}
QColor verticalCurveColour()
{
    return QColor(255, 0, 0);
}

PatternImages::PatternImages()
    : azimuth(kAzimuthWidth, kAzimuthHeight, QImage::Format_RGB32),
      elevation(kElevationWidth, kElevationHeight, QImage::Format_RGB32)
{
    DrawPatternGrid(*this);
}

void DrawPatternGrid(PatternImages& images)
{
    drawAzimuthGrid(images.azimuth);
    drawElevationGrid(images.elevation);
    images.azimuthCurves.clear();
    images.elevationCurves.clear();
}

PatternImages PatternImagesAt(const PatternImages& images, double pixelRatio)
{
    if (!(pixelRatio > 1))
        return images;
    PatternImages dense;
    auto denseImage = [pixelRatio](int width, int height) {
        QImage image(static_cast<int>(std::lround(width * pixelRatio)), static_cast<int>(std::lround(height * pixelRatio)),
                     QImage::Format_RGB32);
        image.setDevicePixelRatio(pixelRatio);
        return image;
    };
    dense.azimuth = denseImage(kAzimuthWidth, kAzimuthHeight);
    dense.elevation = denseImage(kElevationWidth, kElevationHeight);
    DrawPatternGrid(dense);
    for (const DrawnCurve& curve : images.azimuthCurves)
        drawAzimuthCurve(dense.azimuth, curve.gains, curve.maxTotalGain, curve.colour);
    for (const DrawnCurve& curve : images.elevationCurves)
        drawElevationCurve(dense.elevation, curve.gains, curve.maxTotalGain, curve.colour);
    dense.azimuthCurves = images.azimuthCurves;
    dense.elevationCurves = images.elevationCurves;
    return dense;
}

double patternRadius(double gain, double maxTotalGain)
{
    const double floor = maxTotalGain - kScaleDb;
    return (std::max(gain, floor) - floor) / kScaleDb;
}

QPoint azimuthPoint(double radius, double azimuthDegrees)
{
    const int cx = kAzimuthWidth / 2;
    const int cy = kAzimuthHeight / 2;
    const double phi = radians(azimuthDegrees);
    radius = pictureRadius(radius);
    const int x = cx + roundToPixel(cx * radius * std::sin(phi));
    const int y = cy - roundToPixel(cy * radius * std::cos(phi));
    return QPoint(std::clamp(x, 0, kAzimuthWidth - 1), std::clamp(y, 0, kAzimuthHeight - 1));
}

QPoint elevationPoint(double radius, double elevationDegrees)
{
    const int cx = kElevationWidth / 2;
    const int h = kElevationHeight;
    const double eps = radians(elevationDegrees);
    radius = pictureRadius(radius);
    const int x = cx + roundToPixel(cx * radius * std::cos(eps));
    const int y = h - roundToPixel(h * radius * std::sin(eps));
    return QPoint(std::clamp(x, 0, kElevationWidth - 1), std::clamp(y, 0, kElevationHeight - 1));
}

PatternDrawOutcome DrawPatternCurves(PatternImages& images, const engine::PatternCuts& cuts, double maxTotalGain,
                                     GainComponent component, const QColor& colour, bool clearFirst)
{
    PatternDrawOutcome outcome;
    if (cuts.empty()) {
        outcome.message = kNoDataMessage;
        return outcome;
    }
    if (clearFirst)
        DrawPatternGrid(images);

    if (cuts.azimuth.empty()) {
        outcome.message = kNotFoundMessage;
        return outcome;
    }
    std::vector<double> gains;
    if (!readGains(cuts.azimuth, kAzimuthRows, component, gains)) {
        outcome.message = kInvalidMessage;
        return outcome;
    }
    drawAzimuthCurve(images.azimuth, gains, maxTotalGain, colour);
    images.azimuthCurves.push_back({gains, maxTotalGain, colour});

    if (cuts.elevation.empty()) {
        outcome.message = kNotFoundMessage;
        return outcome;
    }
    if (!readGains(cuts.elevation, kElevationRows, component, gains)) {
        outcome.message = kInvalidMessage;
        return outcome;
    }
    drawElevationCurve(images.elevation, gains, maxTotalGain, colour);
    images.elevationCurves.push_back({gains, maxTotalGain, colour});

    outcome.enableSave = true;
    return outcome;
}

std::string outerRingText(double maxTotalGain, char decimalSeparator)
{
    return "Outer ring level = " + numtext::withSeparator(numtext::general(maxTotalGain), decimalSeparator) + " dBi";
}

PolarizationOutcome ShowPolarization(PatternImages& images, const engine::PatternCuts& cuts, double maxTotalGain,
                                     Polarization choice, char decimalSeparator)
{
    PolarizationOutcome outcome;
    auto draw = [&](GainComponent component, const QColor& colour, bool clearFirst) {
        const PatternDrawOutcome curve = DrawPatternCurves(images, cuts, maxTotalGain, component, colour, clearFirst);
        if (!curve.message.empty())
            outcome.messages.push_back(curve.message);
        outcome.enableSave = outcome.enableSave || curve.enableSave;
    };
    switch (choice) {
    case Polarization::Total: draw(GainComponent::Total, totalCurveColour(), true); break;
    case Polarization::Phi: draw(GainComponent::Horizontal, horizontalCurveColour(), true); break;
    case Polarization::Theta: draw(GainComponent::Vertical, verticalCurveColour(), true); break;
    case Polarization::PhiTheta:
        draw(GainComponent::Horizontal, horizontalCurveColour(), true);
        draw(GainComponent::Vertical, verticalCurveColour(), false);
        break;
    }
    outcome.outerRingText = outerRingText(maxTotalGain, decimalSeparator);
    return outcome;
}

} // namespace vrnnec::results