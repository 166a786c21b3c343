#include "ListingTestSupport.h"

#include "engine/ClassicListing.h"

#include "common/TextLines.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace vrnnec;

namespace listingtest {

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> rewrittenLines(const std::string& nec2cPath)
{
    return splitLines(engine::RewriteToClassicListing(fileText(nec2cPath)));
}

namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

std::string indent(int count, const std::string& text)
{
    return std::string(static_cast<std::size_t>(count), ' ') + text;
}

} // namespace

std::string dataPath(const std::string& relative)
{
    return std::string(TEST_DATA_DIR) + "/" + relative;
}

std::vector<std::string> fileLines(const std::string& path)
{
    std::vector<std::string> lines;
    if (!textlines::readAllLines(path, lines))
        throw std::runtime_error("cannot read " + path);
    return lines;
}

std::string segmentationHeadingLine()
{
    return indent(33, "- - - - SEGMENTATION DATA - - - -");
}
std::string frequencyHeadingLine()
{
    return indent(33, "- - - - - - FREQUENCY - - - - - -");
}
std::string environmentHeadingLine()
{
    return indent(34, "- - - ANTENNA ENVIRONMENT - - -");
}
std::string inputParametersHeadingLine()
{
    return indent(42, "- - - ANTENNA INPUT PARAMETERS - - -");
}
std::string excitationHeadingLine()
{
    return indent(40, "- - - EXCITATION - - -");
}
std::string currentsHeadingLine()
{
    return indent(29, "- - - CURRENTS AND LOCATION - - -");
}
std::string patternHeadingLine()
{
    return indent(48, "- - - RADIATION PATTERNS - - -");
}
std::string planeWaveLine()
{
    return "    PLANE WAVE    THETA=   0.00 DEG,  PHI=   0.00 DEG,  ETA=   0.00 DEG,  TYPE -LINEAR=  AXIAL RATIO= "
           "0.000";
}

SyntheticListing::SyntheticListing()
{
    // One clear maximum in each cut: 4 dB at azimuth 0 (-5 dB at the back) and 1 dB at
    // the zenith of the elevation cut.
    azimuthGains.resize(360);
    for (int k = 0; k < 360; ++k)
        azimuthGains[static_cast<std::size_t>(k)] = 4.0 - 0.05 * std::min(k, 360 - k);
    elevationGains.resize(181);
    for (int m = 0; m < 181; ++m)
        elevationGains[static_cast<std::size_t>(m)] = 1.0 - 0.05 * std::abs(m - 90);
}

std::vector<std::string> SyntheticListing::lines() const
{
    std::vector<std::string> l;
    l.push_back("1");
    l.push_back("");
    l.push_back(segmentationHeadingLine());
    l.push_back("");
    l.push_back(indent(40, "COORDINATES IN METERS"));
    l.push_back("");
    l.push_back(indent(25, "I+ AND I- INDICATE THE SEGMENTS BEFORE AND AFTER I"));
    l.push_back("");
    l.push_back("");
    l.push_back("  SEG.   COORDINATES OF SEG. CENTER     SEG.     ORIENTATION ANGLES    WIRE    CONNECTION DATA   TAG");
    l.push_back("  NO.       X         Y         Z       LENGTH     ALPHA     BETA      RADIUS    I-   I    I+    NO.");
    for (std::size_t i = 0; i < segmentTags.size(); ++i) {
        const int seg = static_cast<int>(i) + 1;
        l.push_back(format(" %5d%10.5f%10.5f%10.5f%10.5f %10.5f%10.5f%10.5f %5d%5d%5d  %5lld", seg, 0.0,
                           -1.0 + 0.5 * seg, 10.0, 0.5, 0.0, 90.0, 0.001, seg - 1, seg, seg + 1, segmentTags[i]));
    }
    l.push_back("");
    l.push_back("");
    l.push_back(" ***** DATA CARD NO.  1   FR   0     1     0     0  1.42000E+01");
    l.push_back("");
    l.push_back(frequencyHeadingLine());
    l.push_back("");
    l.push_back(indent(36, format("FREQUENCY=%11.4E MHZ", frequency)));
    l.push_back(indent(36, format("WAVELENGTH=%11.4E METERS", wavelength)));
    l.push_back("");
    l.push_back(indent(31, "- - - STRUCTURE IMPEDANCE LOADING - - -"));
    l.push_back("");
    l.push_back(indent(35, "THIS STRUCTURE IS NOT LOADED"));
    l.push_back("");
    l.push_back(environmentHeadingLine());
    l.push_back("");
    for (const std::string& e : environment)
        l.push_back(e);
    l.push_back("");
    l.push_back("");
    if (planeWave) {
        l.push_back(excitationHeadingLine());
        l.push_back("");
        l.push_back(planeWaveLine());
        l.push_back("");
        l.push_back("");
    } else {
        l.push_back(inputParametersHeadingLine());
        l.push_back("");
        l.push_back("   TAG   SEG.    VOLTAGE (VOLTS)         CURRENT (AMPS)         IMPEDANCE (OHMS)        "
                    "ADMITTANCE (MHOS)      POWER");
        l.push_back("   NO.   NO.    REAL        IMAG.       REAL        IMAG.       REAL        IMAG.       REAL      "
                    "  IMAG.     (WATTS)");
        for (const Source& s : sources)
            l.push_back(format(" %5lld %5d%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E", s.tag, 2, 1.0, 0.0,
                               s.yRe, s.yIm, s.r, s.x, s.yRe, s.yIm, s.yRe / 2));
        l.push_back("");
        l.push_back("");
    }
    l.push_back(currentsHeadingLine());
    l.push_back("");
    l.push_back(indent(33, "DISTANCES IN WAVELENGTHS"));
    l.push_back("");
    l.push_back("");
    l.push_back("  SEG.  TAG    COORD. OF SEG. CENTER     SEG.            - - - CURRENT (AMPS) - - -");
    l.push_back("  NO.   NO.     X        Y        Z      LENGTH     REAL        IMAG.       MAG.        PHASE");
    for (std::size_t i = 0; i < segmentTags.size(); ++i)
        l.push_back(format(" %5d%5lld%9.4f%9.4f%9.4f%9.5f %12.4E%12.4E%12.4E%9.3f", static_cast<int>(i) + 1,
                           segmentTags[i], 0.0, 0.01 * static_cast<double>(i), 0.47, 0.02335, 1e-3 * (i + 1), -1e-4,
                           1e-3 * (i + 1), -5.5));
    l.push_back("");
    l.push_back("");
    auto patternBlock = [&](const std::vector<double>& gains, bool azimuth) {
        l.push_back(patternHeadingLine());
        l.push_back("");
        l.push_back("  - - ANGLES - -           - POWER GAINS -       - - - POLARIZATION - - -    - - - E(THETA) - - - "
                    "   - - - E(PHI) - - -");
        l.push_back("  THETA     PHI        VERT.   HOR.    TOTAL      AXIAL     TILT   SENSE     MAGNITUDE    PHASE   "
                    "   MAGNITUDE    PHASE ");
        l.push_back(" DEGREES  DEGREES       DB      DB      DB        RATIO     DEG.              VOLTS/M    DEGREES  "
                    "    VOLTS/M    DEGREES");
        for (std::size_t k = 0; k < gains.size(); ++k) {
            const double theta = azimuth ? azimuthTheta : 90.0 - static_cast<double>(k);
            const double phi = azimuth ? static_cast<double>(k) : elevationPhi;
            l.push_back(format(" %7.2f%9.2f   %8.2f%8.2f%8.2f%11.5f%9.2f  %-6s%15.5E%9.2f%15.5E%9.2f", theta, phi,
                               -999.99, gains[k], gains[k], 0.0, 90.0, "LINEAR", 0.0, 0.0, 1.0, -9.35));
        }
    };
    patternBlock(azimuthGains, true);
    for (const std::string& line : betweenPatterns)
        l.push_back(line);
    patternBlock(elevationGains, false);
    l.push_back("");
    l.push_back(" RUN TIME =     0.005");
    return l;
}

int findLine(const std::vector<std::string>& lines, const std::string& text, int from)
{
    for (std::size_t i = static_cast<std::size_t>(from); i < lines.size(); ++i)
        if (lines[i].find(text) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

void ResultsTableModel::addResultsRow()
{
    if (rows_.front()[0].empty())
        return;
    rows_.insert(rows_.begin(), Row{});
}

Reading ReadWithTexts(const std::string& path, const engine::ReadingInputs& inputs, engine::SwrReference& reference)
{
    Reading reading;
    static_cast<engine::EngineOutput&>(reading) = engine::ReadEngineOutput(path, inputs, reference);
    static_cast<results::RunTexts&>(reading) = results::FormatRunTexts(reading, inputs, reference);
    return reading;
}

void ResultsTableModel::replay(const std::vector<results::TableStep>& steps)
{
    for (const results::TableStep& step : steps) {
        if (step.addRow)
            addResultsRow();
        for (std::size_t i = 0; i < step.cells.size(); ++i)
            rows_.front().at(static_cast<std::size_t>(step.firstColumn) + i) = step.cells[i];
    }
}

} // namespace listingtest
