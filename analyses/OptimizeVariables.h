// What the optimizer may change in a deck: the length, the centre position or the radius
// of a wire named by the tag of its GW card. A variable's value is read from the deck and
// written back through the card row model; every other line stays byte for byte as it was.
// Plain C++, no Qt.
#pragma once

#include "editor/CardRows.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::analyses {

enum class VariableKind { Length, Move, Radius };

struct OptimizeVariable {
    VariableKind kind = VariableKind::Length;
    long long tag = 0;
    char axis = 'x'; // 'x', 'y' or 'z' for Move
    double min = 0;  // metres
    double max = 0;  // metres
};


// "length 1", "move 2 z", "radius 3".
std::string VariableName(const OptimizeVariable& variable);
// "length", "move", "radius".
std::string KindName(VariableKind kind);
std::optional<VariableKind> KindFromName(const std::string& name);

// "KIND:TAG[:AXIS]:MIN:MAX" in point notation ("length:1:9:11", "move:2:z:4:6").
// Returns the message when the text does not read.
std::optional<OptimizeVariable> ParseVariable(const std::string& text, std::string& message);

// The ends and radius of a GW card.
struct Wire {
    double x1 = 0, y1 = 0, z1 = 0, x2 = 0, y2 = 0, z2 = 0, radius = 0;
    double length() const;
};

// The first GW line of `deck` with tag `tag` (its index), or nothing.
std::optional<std::size_t> FindWireLine(const std::vector<std::string>& deck, long long tag);
// The tag of the deck's first GW card that reads, or nothing.
std::optional<long long> FirstWireTag(const std::vector<std::string>& deck);
// The wire of a GW line, or nothing when one of its fields does not read.
std::optional<Wire> ReadWire(const std::string& line);

// The variable's value in the deck (the wire's length, centre coordinate or radius).
std::optional<double> VariableValue(const std::vector<std::string>& deck, const OptimizeVariable& variable);

// Refuses a variable set that cannot run, naming the variable: a tag not on a GW card,
// an unreadable GW card, a wire of no length (for length), min >= max, a length or radius
// range reaching 0 or below, the same variable twice, the deck's value outside its
// range. Empty when all are fine.
std::string CheckVariables(const std::vector<std::string>& deck, const std::vector<OptimizeVariable>& variables);

// The deck with each variable set to its value (in order; a length keeps the wire's
// centre and direction, a move keeps its length and direction). Values are rounded to 9
// significant digits so that the cards stay short. Only the GW lines named change; they
// are written as the card row model writes them. Assumes CheckVariables passed.
std::vector<std::string> ApplyVariables(const std::vector<std::string>& deck,
                                        const std::vector<OptimizeVariable>& variables,
                                        const std::vector<double>& values);

// The optimizer's result put into the deck as it is now: each line that `best` changed
// against `start` (the deck the optimization began from, line for line) replaces the
// same line of `current`, which keeps everything else the user has changed meanwhile.
// When a changed line is no longer in `current` as it was, nothing is merged and
// `message` names the wire.
std::optional<std::vector<std::string>> MergeBestDeck(const std::vector<std::string>& current,
                                                      const std::vector<std::string>& start,
                                                      const std::vector<std::string>& best, std::string& message);

// The same for the rows of the open card table: the GW rows the best deck changed
// replace the same rows of `current`.
std::optional<std::vector<editor::CardRow>> MergeBestRows(const std::vector<editor::CardRow>& current,
                                                          const std::vector<std::string>& start,
                                                          const std::vector<std::string>& best, char separator,
                                                          std::string& message);

// A value rounded to 9 significant digits.
double RoundForDeck(double value);

// "length 1 = 10.123 m".
std::string VariableResultLine(const OptimizeVariable& variable, double value);

} // namespace vrnnec::analyses
