// The numbers and table changes of the wire tools on a GW row: wire and segment length,
// the distributed-inductance LD card of a dielectric coat, and the replacement of a
// coordinate value in every GW row. Plain functions on card rows, no Qt.
#pragma once

#include "editor/CardRows.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vrnnec::editor {

inline constexpr const char* kIncorrectGWMessage = "Incorrect numbers format in this GW string!";
inline constexpr const char* kIncorrectIsolationMessage =
    "Incorrect numbers format in dielectic isolation data fields!";
inline constexpr const char* kIsolationRadiusMessage = "Radius of isolated wire must be not lower than unisolated one.";
inline constexpr const char* kIsolationEpsMessage = "Dielectric constant of wire isolation must be greater.";
inline constexpr const char* kIncorrectReplaceMessage = "Incorrect numbers format occures!";
inline constexpr const char* kIncorrectTableCoordinatesMessage = "Incorrect numbers for coordinates in edit table!";

struct WirePoint {
    double x = 0, y = 0, z = 0;
};

// "Wire length:  " + L + ";   Segment length: " + L / segments + ";", both in
// fixed(9, 5) with `separator`; a segment count of 0 gives segment length 0 (the count
// is taken as an unsigned 32-bit number).
std::string WireLengthText(const WirePoint& begin, const WirePoint& end, std::int64_t segments, char separator);

// The distributed inductance (H/m) of a coat: checks in order a radius of 0 or below
// (kIncorrectIsolationMessage), a coat radius below the GW radius and too small a
// permittivity. Returns the message, empty with `inductance` set on success.
std::string IsolationInductance(double permittivity, double coatRadius, double bareRadius, double gwRadius,
                                double& inductance);

// The coat's fields as typed (not trimmed): Eps, the radius in isolation and the radius
// without isolation. `refused` is the first field (0 to 2, in that order) that is not a
// number or, for a radius, not above 0, with `message`: kIncorrectIsolationMessage and,
// on its next line, the field by its label ("\"without isolation, m:\" is not a
// number."); -1 when all three read.
struct IsolationFields {
    double permittivity = 0, coatRadius = 0, bareRadius = 0;
    int refused = -1;
    std::string message;
};
IsolationFields ReadIsolationFields(std::string_view eps, std::string_view coatRadius, std::string_view bareRadius,
                                    char separator);

// The find value and the new value of the replace, as typed. `refused` is the first
// field (0 find, 1 new value) that is not a number, with `message`:
// kIncorrectReplaceMessage and, on its next line, the field by its label
// ("\"Change it to:\" is not a number."); -1 when both read.
struct ReplaceValues {
    double find = 0, replacement = 0;
    int refused = -1;
    std::string message;
};
ReplaceValues ReadReplaceValues(std::string_view find, std::string_view replacement, char separator);

// A number the user is still typing: a lone sign or separator, a sign and the
// separator ("-.", "-,"), or a number that ends in "E", "E-" or "E+" (either case).
// Such a text is not refused while the user types; it is when he leaves the field.
bool IsUnfinishedNumber(std::string_view text, char separator);

// The note of the wire tools when the wire's tag already has a distributed load, whose
// row (1-based) it names: the GW radius is then the radius in isolation, so the radius
// without isolation is left to the user.
std::string IsolatedWireNote(int row);

// The text a wire field opens with for a cell of the GW row: "0" for a blank cell, the
// number when the cell reads (a decimal integer for the tag and the segments, else the
// general format with `separator`), otherwise the cell's own text, trimmed: the wire is
// then refused with the field named instead of being written back with 0 in its place.
std::string WireFieldText(std::string_view cell, bool integer, char separator);

// The first row "LD" with cell 1 "2" or "3" and cell 2 the tag; -1 if none.
int FindDistributedLoad(const std::vector<CardRow>& rows, std::int64_t tag);
// Where a new LD row goes: directly after the first "GE" row, else at the end.
int IsolationLoadPlace(const std::vector<CardRow>& rows);
// "LD", "2", tag, "1", segments, "0", inductance (exponent(6, 2)), "0".
CardRow IsolationLoadRow(std::int64_t tag, std::int64_t segments, double inductance, char separator);

enum class Axes { X, Y, Z, All };

// Every GW row with each cell of the chosen coordinate pairs equal to `find`
// set to `replacement` (and, with `mirror`, each equal to -find set to -replacement).
// Every GW row is read first: when one of them does not read, nothing is changed and
// the message is returned. Returns the indexes of the changed rows.
// The message names the first cell that does not read ("Row 4 (GW): field 6 is not a
// number." on its second line), whose row and column are given.
struct ReplaceOutcome {
    std::string message;
    std::vector<int> changedRows;
    int row = -1;    // the refused cell, -1 when none
    int column = -1;
};
ReplaceOutcome ReplaceCoordinates(std::vector<CardRow>& rows, double find, double replacement, Axes axes, bool mirror,
                                  char separator);

} // namespace vrnnec::editor
