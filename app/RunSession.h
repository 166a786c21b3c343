// What a main window keeps between its commands: the values read from the antenna file
// and the state of the runs that the listing reader and the result commands share.
// Plain values, no Qt: the window owns one and reaches it by session().
#pragma once

#include "engine/ListingData.h"
#include "engine/Swr.h"

#include <cstdint>
#include <vector>

namespace vrnnec {

struct RunSession {
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
};

} // namespace vrnnec
