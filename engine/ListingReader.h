// The reading of a calculation's NEC-2 output listing: the typed parse of the listing,
// then a summary of it in numbers: the sources with their SWR, the environment, the
// pattern maxima and the front-to-back ratio, the currents and the pattern cuts. The
// texts they are shown in are made from it elsewhere (results/RunTexts). No widgets here.
#pragma once

#include "engine/ListingData.h"
#include "engine/ListingParse.h"
#include "engine/Swr.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::engine {
// Per-run inputs that the command starting the run has set.
struct ReadingInputs {
    int runNumber = 0;           // `RunNumber`, already raised for this reading
    double antennaHeight = 0.0;  // `AntennaHeight`, m
    bool heightUnknown = false;  // `HeightUnknown`: column "H, m." shows "NA"
    bool coatedRun = false;      // `CoatedRun`: column "Diel" shows "Diel"
    bool readAdmittance = false; // `ReadADMCheck`: R and X come from the admittance columns
};

// One source row of the ANTENNA INPUT PARAMETERS table.
struct SourceResult {
    long long tag = 0;
    double r = 0.0;
    double x = 0.0;
    double swr = 0.0; // +infinity when it has no finite value (shown as "inf")
};

// Everything one reading produces. After a stop (`message` not empty) only the parts the
// reading reached are set; the optional members tell which state the window replaces.
struct EngineOutput {
    std::string message; // the message to show; empty on success
    ReadingStage stage = ReadingStage::OpenListing;
    bool succeeded() const { return stage == ReadingStage::Complete; }

    // Set once the listing was opened: the new item list of `TagNumField` (the segment
    // tags in row order, a tag added only when it differs from the one before).
    std::optional<std::vector<std::string>> tags;
    std::optional<double> frequency;  // MHz, once read
    std::optional<double> wavelength; // m, once read: the new `Wavelength`
    std::string groundLabel = "NA";   // "Som.", "Perf.", "Fr.Sp.", "Refl." or "NA"
    bool environmentRead = false;     // the reading came past the environment
    std::vector<std::string> environmentLines;
    std::vector<SourceResult> sources;
    std::optional<std::string> excitationLine; // the EXCITATION line when there is no source table

    // `CurrentLines` and `PatternLines` are cleared at the start of every reading and
    // replaced by these (empty after a stop in or before their sections; the pattern
    // cuts are empty after any stop).
    std::vector<CurrentRow> currents;
    PatternCuts patterns;

    // Pattern results, valid when the reading succeeded.
    double azimuthCutElevation = 0.0;   // elevation of the azimuth cut, 90 - THETA, degrees
    double azimuthMaxGain = 0.0;        // dBi
    int azimuthOfMax = 0;               // degrees
    double frontToBack = 0.0;           // dB, at most 30
    double elevationCutAzimuth = 0.0;   // PHI of the elevation cut, degrees
    double elevationMaxGain = 0.0;      // dBi
    int elevationOfMax = 0;             // degrees above the nearer horizon
    std::optional<double> maxTotalGain; // the new `MaxTotalGain`, set on success
};

// Reads the listing at `listingPath`. `swrReference` is the run's `SwrReference`; it
// becomes 50 + j0 when it is 0 + j0 at the moment the first SWR is computed.
//
// The window shows the result: it clears `ImpedanceScreen` and `ImpedanceScreen1`, adds
// the memo lines and replays the table steps of its texts (results::FormatRunTexts),
// replaces the tag list (when set),
// `Wavelength` (when set), `CurrentLines` and `PatternLines`, and shows `message` when
// it is not empty. After a successful reading it also takes `MaxTotalGain`, clears
// `CoatedRun` and does the rest of a successful reading (diagrams, currents chart,
// field texts, enabled commands, viewer reload).
EngineOutput ReadEngineOutput(const std::string& listingPath, const ReadingInputs& inputs, SwrReference& swrReference);

// The summary of a parsed listing: what ReadEngineOutput returns for it.
EngineOutput SummariseListing(const ListingData& listing, const ReadingInputs& inputs, SwrReference& swrReference);

// The ground label of the text from column 41 of the first environment line.
std::string GroundLabel(const std::string& environmentText);

} // namespace vrnnec::engine