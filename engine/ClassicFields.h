// Fixed-width fields of the classic NEC-2 listing (the Fortran edit descriptors Iw,
// Fw.d, 1PEw.d and Aw), built on the shared number texts. A field is right-aligned in
// its width; a value too wide for it loses decimals (F) or mantissa digits (E) until it
// fits, so the fields behind it keep their columns.
#pragma once

#include <string>
#include <string_view>

namespace vrnnec::engine::classicfields {

// Iw: the integer right-aligned in `width` columns.
void putI(std::string& line, long long value, int width);

// Fw.d: `decimals` decimals; `negative` keeps a minus sign on a value that rounds to
// zero (-0.00000, as the classic engine prints it).
void putF(std::string& line, double value, int width, int decimals, bool negative);

// 1PEw.d: one digit, the point, d digits, "E", sign, two exponent digits.
void putE(std::string& line, double value, int width, int decimals);

// Aw: the text left-aligned in `width` columns.
void putA(std::string& line, std::string_view text, int width);

} // namespace vrnnec::engine::classicfields