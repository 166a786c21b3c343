// Radiation pattern diagrams: the azimuth and the elevation cut of the last listing
// drawn into two images on a common 30 dB scale below the largest total gain.
//
// No widgets here: the page shows the images, the saving helpers write them.
#pragma once

#include "engine/ListingData.h"

#include <QColor>
#include <QImage>

#include <string>
#include <vector>

namespace vrnnec::results {

// Image sizes in pixels.
constexpr int kAzimuthWidth = 350;
constexpr int kAzimuthHeight = 350;
constexpr int kElevationWidth = 350;
constexpr int kElevationHeight = 175;

// The gains of a pattern row a curve is drawn from.
enum class GainComponent {
    Vertical,   // theta component
    Horizontal, // phi component
    Total,
};

// Colours of the diagrams. The background is the classic button face (240, 240, 240),
// taken as a fixed colour so that the bitmaps do not depend on the desktop theme.
QColor buttonFaceColour();
QColor gridColour();            // grey (128, 128, 128)
QColor totalCurveColour();      // blue (0, 0, 255)
QColor horizontalCurveColour(); // green (0, 128, 0)
QColor verticalCurveColour();   // red (255, 0, 0)

// A curve as it was drawn, kept so that the diagrams can be drawn again at another
// pixel density.
struct DrawnCurve {
    std::vector<double> gains;
    double maxTotalGain = 0;
    QColor colour;
};

// The two diagrams: `Diagr` (azimuth, 350 x 350) and `DiagrElev` (elevation,
// 350 wide x 175 high). A default-constructed pair holds the empty grids. The images
// are the bitmaps the program saves; the curves drawn on them since the last grid are
// kept beside them.
struct PatternImages {
    PatternImages();
    QImage azimuth;
    QImage elevation;
    std::vector<DrawnCurve> azimuthCurves;
    std::vector<DrawnCurve> elevationCurves;
};

// The same diagrams for a screen of `pixelRatio` device pixels per pixel: images of that
// many times the pixels, marked with the ratio, so that they show at the size of the
// bitmaps with sharper text and curves. A ratio of 1 (or less) gives the bitmaps.
PatternImages PatternImagesAt(const PatternImages& images, double pixelRatio);

// What a curve drawing leaves for the window: the message to show (empty when the
// curves were drawn) and whether "Save Azimuth Plot" and "Save Results" get enabled.
struct PatternDrawOutcome {
    std::string message;
    bool enableSave = false;
};

// Both empty grids: background, white disc (half disc), dotted and solid rings,
// radial dots every 10 degrees, centre mark and the dB labels.
void DrawPatternGrid(PatternImages& images);

// Draws one gain component of both pattern cuts into both images, scaled against
// maxTotalGain, in the given colour; with clearFirst the grids are redrawn first. No cuts
// at all give "No data for radiation pattern found." and leave the images as they are;
// a missing cut, a cut shorter than 360 (181) rows or an unreadable gain gives its
// message and keeps what was drawn.
PatternDrawOutcome DrawPatternCurves(PatternImages& images, const engine::PatternCuts& cuts, double maxTotalGain,
                                     GainComponent component, const QColor& colour, bool clearFirst);

// Radius fraction of a gain on the 30 dB scale: 1 at maxTotalGain, 0 at and below
// maxTotalGain - 30, 0.1 per 3 dB.
double patternRadius(double gain, double maxTotalGain);

// The image points of a gain direction, clamped into the image. Azimuth phi in degrees
// (0 up, 90 right); elevation in degrees above the front horizon (0 right, 90 up).
QPoint azimuthPoint(double radius, double azimuthDegrees);
QPoint elevationPoint(double radius, double elevationDegrees);

// The polarization components of the group "Polarization components".
enum class Polarization {
    Total,    // `TotalDCheck`, "Total"
    Phi,      // `PhiDCheck`, "H (Phi)"
    Theta,    // `ThetaDCheck`, "V (Theta)"
    PhiTheta, // `PhiThetaDCheck`, "V+H": horizontal in green, vertical in red over it
};

struct PolarizationOutcome {
    std::vector<std::string> messages; // one per failed curve drawing, in order
    bool enableSave = false;
    std::string outerRingText; // the new text of `OuterRingGainInfo`
};

// Draws the curves of one polarization choice from clean grids and builds the outer
// ring text with the user's decimal separator.
PolarizationOutcome ShowPolarization(PatternImages& images, const engine::PatternCuts& cuts, double maxTotalGain,
                                     Polarization choice, char decimalSeparator);

// "Outer ring level = " + the gain (shortest general, given separator) + " dBi".
std::string outerRingText(double maxTotalGain, char decimalSeparator);

} // namespace vrnnec::results