// The reference impedance that runs from the NEC-2 input page use for the SWR, as the
// user types it into `ZSwrReNEC2Field` (R) and `ZSwrImNEC2Field` (X).
#pragma once

#include <string>

namespace vrnnec {

namespace swrfields {

inline constexpr double kDefaultR = 50.0;
inline constexpr double kDefaultX = 0.0;
inline constexpr const char* kDefaultRText = "50";
inline constexpr const char* kDefaultXText = "0";

struct Check {
    bool accepted = true; // false: show `message` and put back "50" and "0"
    double r = kDefaultR;
    double x = kDefaultX;
    std::string message;
};

// Reads both texts with the user's decimal separator. A text that is empty, "-", "+"
// or the separator alone reads as 0 (so typing a number can begin). Refused, with the
// reference 50 + j0: a text that is no number ("Incorrect number value!") and an R that
// is not above 0 ("R<0 or R=0 is incorrect").
Check checkTexts(const std::string& rText, const std::string& xText, char decimalSeparator);

} // namespace swrfields

} // namespace vrnnec
