// What the numbers of some fields mean: a unit or scale added to the tool tip of the
// control (the captions stay as they are). Looked up by window class and control name.
#pragma once

#include <string_view>
#include <vector>

namespace vrnnec::unithints {

struct Hint {
    std::string_view window;  // class name of the window ("TGWForm")
    std::string_view control; // object name of the control
    std::string_view text;    // added to the tool tip (after the existing one, in brackets)
};

const std::vector<Hint>& hints();

// The unit of a card dialog field by card identifier and field caption ("FR", "Freq"
// gives "MHz"); empty for counts, flags and numbers without a unit.
std::string_view cardFieldUnit(std::string_view card, std::string_view caption);

// The tool tip with the hint: "Zoom image" + "x1 at 10" gives "Zoom image (x1 at 10)";
// an empty tip becomes the hint. Adding twice changes nothing.
std::string_view::size_type appendHint(std::string& tip, std::string_view hint);

} // namespace vrnnec::unithints
