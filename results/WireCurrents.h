// The current distribution along one wire, taken from the current rows of the last
// listing: the points of the chart `CurrentChart`, its left axis and its title, and the
// rule that turns the text of `TagNumField` into the tag to chart.
#pragma once

#include "engine/ListingData.h"

#include <string>
#include <vector>

namespace vrnnec::results {

// One chart point: distance from the wire's start to the far end of the segment (in
// wavelengths or metres) and the current magnitude in amperes (negative when the phase
// indicator turns it over).
struct CurrentPoint {
    double distance = 0.0;
    double current = 0.0;
};

// What `ChartWireCurrents` leaves on the chart. The title is always applied (empty when
// the drawing stopped early); the left axis only when `setAxis`; the series only when
// `replaceSeries` (then it becomes `points`, empty included). `message` is the text to
// show, empty on success.
struct WireCurrentChart {
    std::string message;
    std::string title;
    bool setAxis = false;
    double axisMinimum = 0.0;
    double axisMaximum = 0.0;
    bool replaceSeries = false;
    std::vector<CurrentPoint> points;
};

// The chart of the wire with the given tag, from the current rows of the listing (a
// row with an unreadable magnitude or tag, or a row of the wire with an unreadable
// length or phase, makes the data invalid). The axis maximum is the largest current of all wires, so every
// wire is drawn on one scale; with the phase indicator the axis runs from -Imax and
// currents whose phase is above 90 or at most -90 degrees are drawn negative.
WireCurrentChart ChartWireCurrents(const std::vector<engine::CurrentRow>& currents, double wavelength, long long tag,
                                   bool inWavelengths, bool phaseIndicator);

// What a change of `TagNumField` (or a click of the two check boxes) does.
struct TagChoice {
    enum class Action {
        Nothing, // empty text, or no item matches
        Chart,   // chart `tag`
        Error,   // show `message`, draw nothing
    };
    Action action = Action::Nothing;
    long long tag = 0;
    std::string message;
};

// The text read as an integer and written back as decimal text must equal one of the
// items ("03" charts 3 when 3 is listed); a text that is no integer gives the conversion
// message.
TagChoice chooseTag(const std::string& text, const std::vector<std::string>& items);

} // namespace vrnnec::results