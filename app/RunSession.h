// What a main window keeps between its commands: the values read from the antenna file
// and the state of the runs that the listing reader and the result commands share.
// Plain values, no Qt: the window owns one and reaches it by session().
#pragma once

#include "engine/ListingData.h"
#include "engine/Swr.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vrnnec {

// What the program's state allows. The window derives the enabled state of the entries
// of these commands from it in one place (TForm1::updateCommands).
struct CommandState {
    bool antennaFile = false;   // a file was picked: the calculations and "Refresh"
    bool anglesRerun = false;   // a calculation wrote Indata.txo: "Set Angles for RP calculations"
    bool listingShown = false;  // Outdata.txo holds the structure on show: the viewer
    bool sweepUpToDate = false; // the last calculation's deck matches the parameters: "Frequency plots"
    bool running = false;       // an engine run of a calculation is in progress

    bool operator==(const CommandState&) const = default;
};

struct RunSession {
    CommandState commands;

    // Values kept from the antenna file by the preview.
    double FileFrequency = 14; // MHz; restores `FreqVRNChangeField`
    double FileHeight = 0;     // m; restores `HAntField`
    engine::SwrReference FileSwrReference;

    // Per-run state of the listing reader.
    engine::SwrReference SwrReference;
    engine::SwrReference EditWindowSwrReference{50.0, 0.0}; // `ZSwrReNEC2Field`, `ZSwrImNEC2Field`
    double AntennaHeight = 0;
    bool HeightUnknown = false;
    bool CoatedRun = false;
    std::int32_t RunNumber = 0;
    double Wavelength = 0;
    double MaxTotalGain = 0;
    engine::PatternCuts PatternLines;             // the two pattern cuts of the last reading
    std::vector<engine::CurrentRow> CurrentLines; // the current rows of the last reading
    // What the 3-D viewer shows of the last reading (none: the viewer reads the listing).
    std::optional<engine::ViewerSections> ViewerLines;
};

} // namespace vrnnec
