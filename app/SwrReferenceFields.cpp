#include "app/SwrReferenceFields.h"

#include "common/NumberText.h"

#include <cmath>

namespace vrnnec {

namespace swrfields {

namespace {

bool readField(const std::string& text, char separator, double& value)
{
    if (text.empty() || text == "-" || text == "+" || text == std::string(1, separator)) {
        value = 0;
        return true;
    }
    return numtext::parseRealWithSeparator(text, separator, value) && std::isfinite(value);
}

} // namespace

Check checkTexts(const std::string& rText, const std::string& xText, char decimalSeparator)
{
    Check check;
    double r = 0;
    double x = 0;
    if (!readField(rText, decimalSeparator, r) || !readField(xText, decimalSeparator, x)) {
        check.accepted = false;
        check.message = "Incorrect number value!";
        return check;
    }
    if (!(r > 0)) {
        check.accepted = false;
        check.message = "R<0 or R=0 is incorrect";
        return check;
    }
    check.r = r;
    check.x = x;
    return check;
}

} // namespace swrfields

} // namespace vrnnec
