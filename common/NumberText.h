// Number texts shared by the conversion library and the program.
//
// All functions here are locale-independent: the point is the decimal separator
// unless a separator is passed explicitly. Nothing here touches process-wide state,
// so every function is safe to call from several threads at once.
#pragma once

#include <string>
#include <string_view>

namespace vrnnec::numtext {

// Shortest general: the value rounded to 15 significant digits, trailing zeros and a
// trailing point dropped; fixed notation for magnitudes from 0.0001 to below 1E15,
// otherwise a mantissa, "E", a minus sign only for negative exponents and the exponent
// without leading zeros (0.00005 -> "5E-5", 1e20 -> "1E20", 12 -> "12", 0.5 -> "0.5").
std::string general(double value);

// fixed(P, D): rounded to P significant digits, written with exactly D decimals
// (14.2 -> "14.20" for P = 4, D = 2; 73.1234 -> "73.123" for P = 8, D = 3). A value with
// more than P digits before the point is written in general form with P digits.
std::string fixed(double value, int precision, int decimals);

// exponent(P, D): one digit, the point, P - 1 digits, "E", the exponent's sign and at
// least D exponent digits (1.1e-7 -> "1.10000E-07" for P = 6, D = 2).
std::string exponent(double value, int precision, int exponentDigits);

// Plain fixed point with exactly D decimals and no significant-digit limit
// (12.5 -> "12.500" for D = 3). A result that rounds to zero carries no minus sign.
std::string decimals(double value, int decimals);

// Deck card formats.
inline std::string deckGeneral(double v)
{
    return general(v);
}
inline std::string deckFixed3(double v)
{
    return decimals(v, 3);
}
inline std::string deckFixed4(double v)
{
    return decimals(v, 4);
}
inline std::string deckExponent6(double v)
{
    return exponent(v, 6, 2);
}

// Strict reader of a real number in point notation: optional blanks, optional sign,
// digits with an optional fraction (at least one digit in all), optional exponent with
// "E" or "e", optional blanks. Anything else, an empty text included, is refused.
bool parseReal(std::string_view text, double& value);

// Strict reader of a decimal integer: optional leading blanks, optional sign, digits.
// Trailing characters (blanks included) and values outside 32 bits are refused.
bool parseInteger(std::string_view text, long long& value);

// The same readers after trimming blanks on both sides (listing columns).
bool parseTrimmedReal(std::string_view text, double& value);
bool parseTrimmedInteger(std::string_view text, long long& value);

// Locale variants: the user's decimal separator in place of the point.
std::string withSeparator(std::string pointText, char separator);
// Reads a real written with the given separator; a point is refused when the
// separator is something else.
bool parseRealWithSeparator(std::string_view text, char separator, double& value);

// Conversion messages, with the offending text in place of %s.
std::string invalidFloatMessage(std::string_view text);   // "'%s' is not a valid floating point value"
std::string invalidIntegerMessage(std::string_view text); // "'%s' is not a valid integer value"

// Blanks (spaces and tabs) removed from both ends.
std::string_view trimBlanks(std::string_view text);

// Round to nearest, ties to even (the rounding of counts and screen points).
long long roundHalfEven(double value);

} // namespace vrnnec::numtext