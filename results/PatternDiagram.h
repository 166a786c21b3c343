// Radiation pattern diagrams: the azimuth and the elevation cut of the last listing
// drawn into two images on a common 30 dB scale below the largest total gain.
//
// No widgets here: the page shows the images, the saving helpers write them.
#pragma once

#include <QColor>
#include <QImage>

#include <string>
#include <vector>

namespace results {

// Image sizes in pixels.
constexpr int kAzimuthWidth = 350;
constexpr int kAzimuthHeight = 350;
constexpr int kElevationWidth = 350;
constexpr int kElevationHeight = 175;

// First column of each gain field in a pattern row (8 columns wide).
constexpr int kVerticalGainColumn = 21;   // theta component
constexpr int kHorizontalGainColumn = 29; // phi component
constexpr int kTotalGainColumn = 37;

// Colours of the diagrams. The background is the classic button face (240, 240, 240),
// taken as a fixed colour so that the bitmaps do not depend on the desktop theme.
QColor buttonFaceColour();
QColor gridColour();              // grey (128, 128, 128)
QColor totalCurveColour();        // blue (0, 0, 255)
QColor horizontalCurveColour();   // green (0, 128, 0)
QColor verticalCurveColour();     // red (255, 0, 0)

// The two diagrams: `Diagr` (azimuth, 350 x 350) and `DiagrElev` (elevation,
// 350 wide x 175 high). A default-constructed pair holds the empty grids.
struct PatternImages {
    PatternImages();
    QImage azimuth;
    QImage elevation;
};

// What a curve drawing leaves for the window: the message to show (empty when the
// curves were drawn) and whether "Save Azimuth Plot" and "Save Results" get enabled.
struct PatternDrawOutcome {
    std::string message;
    bool enableSave = false;
};

// Both empty grids: background, white disc (half disc), dotted and solid rings,
// radial dots every 10 degrees, centre mark and the dB labels.
void DrawPatternGrid(PatternImages& images);

// Draws the gain at columns column..column+7 of the pattern rows into both images,
// scaled against maxTotalGain, in the given colour; with clearFirst the grids are
// redrawn first. patternLines are the lines kept by the listing reader: the first
// RADIATION PATTERNS heading, 4 header lines and 360 azimuth rows, then the lines up
// to the second heading, 4 header lines and 181 elevation rows. When the data are
// missing or unreadable the outcome holds the message and what was drawn stays.
PatternDrawOutcome DrawPatternCurves(PatternImages& images,
                                     const std::vector<std::string>& patternLines,
                                     double maxTotalGain, int column, const QColor& colour,
                                     bool clearFirst);

// Radius fraction of a gain on the 30 dB scale: 1 at maxTotalGain, 0 at and below
// maxTotalGain - 30, 0.1 per 3 dB.
double patternRadius(double gain, double maxTotalGain);

// The image points of a gain direction, clamped into the image. Azimuth phi in degrees
// (0 up, 90 right); elevation in degrees above the front horizon (0 right, 90 up).
QPoint azimuthPoint(double radius, double azimuthDegrees);
QPoint elevationPoint(double radius, double elevationDegrees);

// The polarization components of the group "Polarization components".
enum class Polarization {
    Total,      // `TotalDCheck`, "Total"
    Phi,        // `PhiDCheck`, "H (Phi)"
    Theta,      // `ThetaDCheck`, "V (Theta)"
    PhiTheta,   // `PhiThetaDCheck`, "V+H": horizontal in green, vertical in red over it
};

struct PolarizationOutcome {
    std::vector<std::string> messages; // one per failed curve drawing, in order
    bool enableSave = false;
    std::string outerRingText;         // the new text of `OuterRingGainInfo`
};

// Draws the curves of one polarization choice from clean grids and builds the outer
// ring text with the user's decimal separator.
PolarizationOutcome ShowPolarization(PatternImages& images,
                                     const std::vector<std::string>& patternLines,
                                     double maxTotalGain, Polarization choice,
                                     char decimalSeparator);

// "Outer ring level = " + the gain (shortest general, given separator) + " dBi".
std::string outerRingText(double maxTotalGain, char decimalSeparator);

} // namespace results
