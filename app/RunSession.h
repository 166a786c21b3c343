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

// The commands that have more than one entry in the main window (two buttons, or buttons
// and menu entries). Each is one action of the window (TForm1::commandAction); its
// entries follow the action's enabled state and trigger it.
enum class Command {
    FindAntennaFile,   // "Find VORNA file"
    Refresh,           // "Refresh"
    CalculateOriginal, // "Calculate at original of VORNA file"
    CalculateCoated,   // "Calculate", "Calculate with dielectric coated wires"
    Viewer,            // "Viewer call", "Viewer Call" and the two viewer buttons
    AnglesDialog,      // "Set Angles for RP calculations"
    FrequencyPlots,    // "Frequency plots"
};
inline constexpr Command kCommands[] = {Command::FindAntennaFile, Command::Refresh,       Command::CalculateOriginal,
                                        Command::CalculateCoated, Command::Viewer,        Command::AnglesDialog,
                                        Command::FrequencyPlots};

// What the program's state allows. The window derives the enabled state of every command
// from it in one place (TForm1::updateCommands).
struct CommandState {
    bool antennaFile = false;   // a file was picked: the calculations and "Refresh"
    bool anglesRerun = false;   // a calculation wrote Indata.txo: "Set Angles for RP calculations"
    bool listingShown = false;  // Outdata.txo holds the structure on show: the viewer
    bool sweepUpToDate = false; // the last calculation's deck matches the parameters: "Frequency plots"
    bool running = false;       // an engine run of a calculation is in progress
    bool resultsRead = false;   // a listing was read once: its saves and the currents controls
    bool curvesDrawn = false;   // pattern curves were drawn once: "Save Azimuth Plot", "Save Results"

    bool operator==(const CommandState&) const = default;

    // Whether `command` may be given in this state.
    constexpr bool allows(Command command) const
    {
        switch (command) {
        case Command::FindAntennaFile: return true;
        case Command::Refresh: return antennaFile;
        case Command::CalculateOriginal:
        case Command::CalculateCoated: return antennaFile && !running;
        case Command::Viewer: return listingShown;
        case Command::AnglesDialog: return anglesRerun;
        case Command::FrequencyPlots: return sweepUpToDate;
        }
        return false;
    }
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
