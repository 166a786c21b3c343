// Helpers of the listing tests: fixture paths, temporary folders, a builder of small
// classic listings, and a model of the results table that replays the reader's steps.
#pragma once

#include "engine/ListingReader.h"
#include "results/RunTexts.h"

#include "engine/ListingReader.h"
#include "tests/support/TestFiles.h"

#include <array>
#include <string>
#include <vector>

using namespace vrnnec;

namespace listingtest {

std::string dataPath(const std::string& relative);
std::vector<std::string> fileLines(const std::string& path);
using testsupport::fileText;
// The lines of a text split at LF.
std::vector<std::string> splitLines(const std::string& text);
// The lines of a nec2c listing file rewritten into the classic layout.
std::vector<std::string> rewrittenLines(const std::string& nec2cPath);

using testsupport::TempFolder;

// A classic listing with the sections the reader uses, built line by line at the
// classic columns.
struct SyntheticListing {
    struct Source {
        long long tag;
        double r;
        double x;
        double yRe = 0.0125; // admittance columns
        double yIm = -0.0025;
    };
    std::vector<long long> segmentTags{1, 1, 1};
    double frequency = 14.2;
    double wavelength = 21.112;
    std::vector<std::string> environment{std::string(44, ' ') + "FREE SPACE"};
    std::vector<Source> sources{{1, 73.123, 42.5}};
    bool planeWave = false;
    double azimuthTheta = 70;           // THETA of the azimuth cut
    double elevationPhi = 0;            // PHI of the elevation cut
    std::vector<double> azimuthGains;   // 360 total gains; default: a smooth cardioid
    std::vector<double> elevationGains; // 181 total gains
    // Lines between the two pattern blocks (besides the heading).
    std::vector<std::string> betweenPatterns{"", ""};

    SyntheticListing();
    std::vector<std::string> lines() const;
};

// Index of the first line containing `text` (from `from` on); -1 when none.
int findLine(const std::vector<std::string>& lines, const std::string& text, int from = 0);

// The classic heading lines.
std::string segmentationHeadingLine();
std::string frequencyHeadingLine();
std::string environmentHeadingLine();
std::string inputParametersHeadingLine();
std::string excitationHeadingLine();
std::string currentsHeadingLine();
std::string patternHeadingLine();
std::string planeWaveLine();

// A reading with the texts it is shown in, as the window takes it.
struct Reading : engine::EngineOutput, results::RunTexts {};

// Reads the listing at `path` and makes its texts.
Reading ReadWithTexts(const std::string& path, const engine::ReadingInputs& inputs, engine::SwrReference& reference);

// `ResultsTable` with its data rows (row 0, the header, left out); starts with the one
// empty row the grid has when the program starts.
class ResultsTableModel {
public:
    using Row = std::array<std::string, 15>;
    ResultsTableModel() : rows_(1) {}
    void replay(const std::vector<results::TableStep>& steps);
    void addResultsRow();
    const std::vector<Row>& rows() const { return rows_; }
    const Row& row(int oneBased) const { return rows_.at(static_cast<std::size_t>(oneBased - 1)); }

private:
    std::vector<Row> rows_;
};

} // namespace listingtest
