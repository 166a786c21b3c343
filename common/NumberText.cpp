#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vrnnec::numtext {

namespace {

// Decimal digits of |value| rounded to `digits` significant digits, and the decimal
// exponent of the first digit (value = 0.d1d2d3... * 10^(exp10 + 1)).
struct Digits {
    std::string digits; // exactly `digits` characters
    int exp10 = 0;      // exponent of the first digit
    bool negative = false;
};

Digits significantDigits(double value, int digits)
{
    Digits d;
    d.negative = std::signbit(value) && value != 0;
    // std::to_chars ignores the process locale, unlike printf.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, digits - 1);
    // buffer: d.ddddde[+-]xx
    std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    d.exp10 = std::atoi(text.c_str() + e + 1);
    return d;
}

// The digits of the shortest text that reads back as `value`, when it has at most
// `digits` significant digits. That text is then also `value` rounded to `digits`
// digits: it lies within half a unit in the last place of the double, closer than half a
// step of the `digits`-digit grid it stands on.
bool shortestDigits(double value, int digits, Digits& d)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const auto e = text.find('e');
    if (e == std::string_view::npos || e - (e > 1 ? 1 : 0) > static_cast<std::size_t>(digits))
        return false;
    d.negative = std::signbit(value) && value != 0;
    d.digits.clear();
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    const char* exponent = buffer + e + 1;
    if (*exponent == '+')
        ++exponent;
    std::from_chars(exponent, result.ptr, d.exp10);
    return true;
}

std::string stripTrailingZeros(std::string digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}

bool allZero(const std::string& digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

// Scientific form of a digit string: d[.ddd]E[-]x.
std::string scientific(const Digits& d, const std::string& mantissaDigits)
{
    std::string out = d.negative ? "-" : "";
    out += mantissaDigits[0];
    if (mantissaDigits.size() > 1) {
        out += '.';
        out += mantissaDigits.substr(1);
    }
    out += 'E';
    if (d.exp10 < 0)
        out += '-';
    out += std::to_string(std::abs(d.exp10));
    return out;
}

// Fixed-point form of a digit string whose first digit has exponent exp10.
std::string fixedFromDigits(bool negative, const std::string& digits, int exp10)
{
    std::string out = negative ? "-" : "";
    if (exp10 < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exp10 - 1), '0');
        out += digits;
        return out;
    }
    const auto intDigits = static_cast<std::size_t>(exp10 + 1);
    if (digits.size() <= intDigits) {
        out += digits;
        out.append(intDigits - digits.size(), '0');
        return out;
    }
    out += digits.substr(0, intDigits);
    out += '.';
    out += digits.substr(intDigits);
    return out;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::string general(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";
    Digits d;
    if (!shortestDigits(value, 15, d))
        d = significantDigits(value, 15);
    const std::string digits = stripTrailingZeros(d.digits);
    if (d.exp10 < -4 || d.exp10 >= 15)
        return scientific(d, digits);
    return fixedFromDigits(d.negative, digits, d.exp10);
}

std::string fixed(double value, int precision, int decimals)
{
    if (std::isnan(value) || std::isinf(value))
        return general(value);
    if (precision < 1)
        precision = 1;
    if (precision > 17)
        precision = 17;
    if (value == 0)
        return numtext::decimals(0.0, decimals);
    Digits d = significantDigits(value, precision);
    if (d.exp10 + 1 > precision) {
        // More digits before the point than the precision holds.
        return scientific(d, stripTrailingZeros(d.digits));
    }
    // Round the P-digit decimal text to `decimals` places, half away from zero, on the
    // digit string itself so that no second binary rounding creeps in.
    std::string digits = d.digits;
    int exp10 = d.exp10;
    const int keep = exp10 + 1 + decimals; // digits that survive
    if (keep < static_cast<int>(digits.size())) {
        if (keep < 0) {
            digits = "0";
            exp10 = 0;
        } else {
            const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
            digits.resize(static_cast<std::size_t>(keep));
            if (roundUp) {
                int i = keep - 1;
                while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
                    digits[static_cast<std::size_t>(i)] = '0';
                    --i;
                }
                if (i < 0) {
                    digits.insert(digits.begin(), '1');
                    ++exp10;
                } else {
                    ++digits[static_cast<std::size_t>(i)];
                }
            }
            if (digits.empty()) {
                digits = "0";
                exp10 = 0;
            }
        }
    }
    const bool negative = d.negative && !allZero(digits);
    std::string out = fixedFromDigits(negative, digits, exp10);
    // Pad or place the decimals.
    auto point = out.find('.');
    if (point == std::string::npos) {
        if (decimals > 0)
            out += '.' + std::string(static_cast<std::size_t>(decimals), '0');
    } else {
        const auto have = static_cast<int>(out.size() - point - 1);
        if (have < decimals)
            out.append(static_cast<std::size_t>(decimals - have), '0');
        if (decimals == 0)
            out.erase(point);
    }
    return out;
}

std::string exponent(double value, int precision, int exponentDigits)
{
    if (std::isnan(value) || std::isinf(value))
        return general(value);
    if (precision < 1)
        precision = 1;
    Digits d = value == 0 ? Digits{std::string(static_cast<std::size_t>(precision), '0'), 0, false}
                          : significantDigits(value, precision);
    std::string out = d.negative ? "-" : "";
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += '.';
        out += d.digits.substr(1);
    }
    out += 'E';
    out += d.exp10 < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(d.exp10));
    if (static_cast<int>(e.size()) < exponentDigits)
        e.insert(0, static_cast<std::size_t>(exponentDigits) - e.size(), '0');
    out += e;
    return out;
}

std::string decimals(double value, int decimals)
{
    if (std::isnan(value) || std::isinf(value))
        return general(value);
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals < 0 ? 0 : decimals);
    if (result.ec != std::errc())
        return general(value);
    std::string out(buffer, result.ptr);
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos)
        out.erase(0, 1);
    return out;
}

bool parseReal(std::string_view text, double& value)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    std::size_t end = n;
    while (end > i && isBlank(text[end - 1]))
        --end;
    const std::string_view body = text.substr(i, end - i);
    if (body.empty())
        return false;
    // Validate the shape first: [sign] digits [. digits] [(E|e) [sign] digits].
    std::size_t p = 0;
    if (body[p] == '+' || body[p] == '-')
        ++p;
    std::size_t mantissaDigits = 0;
    while (p < body.size() && body[p] >= '0' && body[p] <= '9') {
        ++p;
        ++mantissaDigits;
    }
    if (p < body.size() && body[p] == '.') {
        ++p;
        while (p < body.size() && body[p] >= '0' && body[p] <= '9') {
            ++p;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (p < body.size() && (body[p] == 'e' || body[p] == 'E')) {
        ++p;
        if (p < body.size() && (body[p] == '+' || body[p] == '-'))
            ++p;
        std::size_t expDigits = 0;
        while (p < body.size() && body[p] >= '0' && body[p] <= '9') {
            ++p;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (p != body.size())
        return false;
    std::string_view number = body;
    if (number[0] == '+')
        number.remove_prefix(1);
    double result = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
    if (ec == std::errc::result_out_of_range) {
        // Underflow (a negative exponent) reads as zero; overflow is refused.
        const auto e = number.find_first_of("eE");
        if (e == std::string_view::npos || number.substr(e + 1).find('-') == std::string_view::npos)
            return false;
        result = 0;
    } else if (ec != std::errc() || ptr != number.data() + number.size()) {
        return false;
    }
    value = result;
    return true;
}

bool parseInteger(std::string_view text, long long& value)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string_view body = text.substr(i);
    if (body.empty())
        return false;
    bool negative = false;
    if (body[0] == '+' || body[0] == '-') {
        negative = body[0] == '-';
        body.remove_prefix(1);
    }
    if (body.empty())
        return false;
    long long result = 0;
    for (char c : body) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + (c - '0');
        if (result > 2147483648LL)
            return false;
    }
    if (negative)
        result = -result;
    if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min())
        return false;
    value = result;
    return true;
}

bool parseTrimmedReal(std::string_view text, double& value)
{
    return parseReal(trimBlanks(text), value);
}

bool parseTrimmedInteger(std::string_view text, long long& value)
{
    return parseInteger(trimBlanks(text), value);
}

std::string withSeparator(std::string pointText, char separator)
{
    if (separator != '.')
        for (char& c : pointText)
            if (c == '.')
                c = separator;
    return pointText;
}

bool parseRealWithSeparator(std::string_view text, char separator, double& value)
{
    if (separator == '.')
        return parseReal(text, value);
    std::string copy(text);
    for (char& c : copy) {
        if (c == '.')
            return false;
        if (c == separator)
            c = '.';
    }
    return parseReal(copy, value);
}

std::string invalidFloatMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid floating point value";
}

std::string invalidIntegerMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid integer value";
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

long long roundHalfEven(double value)
{
    return static_cast<long long>(std::nearbyint(value));
}

} // namespace vrnnec::numtext