#include "WireCurrents.h"

#include "common/NumberText.h"

#include <algorithm>

namespace vrnnec::results {

namespace {

const char* const kNoCurrentsMessage = "CURRENTS data not found";
const char* const kInvalidCurrentsMessage =
    "Invalid CURRENTS data (may be due to incorrect cards in NEC-2 input). See NEC-2 "
    "output file.";

} // namespace

WireCurrentChart ChartWireCurrents(const std::vector<engine::CurrentRow>& currents, double wavelength, long long tag,
                                   bool inWavelengths, bool phaseIndicator)
{
    WireCurrentChart chart;
    if (currents.empty()) {
        chart.message = kNoCurrentsMessage;
        return chart;
    }

    double maxCurrent = 0.0;
    for (const engine::CurrentRow& row : currents) {
        if (!row.magnitude) {
            chart.message = kInvalidCurrentsMessage;
            return chart;
        }
        maxCurrent = std::max(maxCurrent, *row.magnitude);
    }
    chart.setAxis = true;
    chart.axisMaximum = maxCurrent;
    chart.axisMinimum = phaseIndicator ? -maxCurrent : 0.0;

    std::vector<const engine::CurrentRow*> wireRows;
    for (const engine::CurrentRow& row : currents) {
        if (!row.tag) {
            chart.message = kInvalidCurrentsMessage;
            return chart;
        }
        if (*row.tag == tag)
            wireRows.push_back(&row);
    }

    chart.replaceSeries = true;
    double distance = 0.0;
    for (const engine::CurrentRow* row : wireRows) {
        if (!row->length || !row->magnitude || !row->chartPhase) {
            chart.message = kInvalidCurrentsMessage;
            chart.points.clear();
            return chart;
        }
        const double length = *row->length;
        const double phase = *row->chartPhase;
        double current = *row->magnitude;
        distance += inWavelengths ? length : length * wavelength;
        if (phaseIndicator && (phase > 90.0 || phase <= -90.0))
            current = -current;
        chart.points.push_back({distance, current});
    }

    chart.title =
        "Current in wire N " + std::to_string(tag) + ". Max current: " + numtext::general(maxCurrent) + " Amp.";
    return chart;
}

TagChoice chooseTag(const std::string& text, const std::vector<std::string>& items)
{
    TagChoice choice;
    if (text.empty())
        return choice;
    long long value = 0;
    if (!numtext::parseInteger(text, value)) {
        choice.action = TagChoice::Action::Error;
        choice.message = numtext::invalidIntegerMessage(text);
        return choice;
    }
    if (std::find(items.begin(), items.end(), std::to_string(value)) == items.end())
        return choice;
    choice.action = TagChoice::Action::Chart;
    choice.tag = value;
    return choice;
}

} // namespace vrnnec::results