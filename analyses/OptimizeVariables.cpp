#include "analyses/OptimizeVariables.h"

#include "common/DeckCards.h"

#include "common/SplitText.h"

#include "common/NumberText.h"
#include "editor/CardRows.h"

#include <cmath>
#include <set>
#include <sstream>

namespace vrnnec::analyses {

namespace {

constexpr int kWireFields = 9; // tag, segments, X1, Y1, Z1, X2, Y2, Z2, radius

// The GW line's fields (after the identifier), or nothing when it is no GW line.
std::optional<std::vector<std::string>> gwFields(const std::string& line)
{
    const std::string split = editor::SplitCardLine(line);
    if (split.rfind("GW,", 0) != 0)
        return std::nullopt;
    std::vector<std::string> fields = splittext::At(split.substr(3), ',');
    return fields;
}

double axisValue(const Wire& wire, char axis, int end)
{
    switch (axis) {
    case 'x':
        return end == 1 ? wire.x1 : wire.x2;
    case 'y':
        return end == 1 ? wire.y1 : wire.y2;
    default:
        return end == 1 ? wire.z1 : wire.z2;
    }
}

std::string metres(double value)
{
    return numtext::general(value);
}

} // namespace

double Wire::length() const
{
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1) + (z2 - z1) * (z2 - z1));
}

std::string KindName(VariableKind kind)
{
    switch (kind) {
    case VariableKind::Length:
        return "length";
    case VariableKind::Move:
        return "move";
    default:
        return "radius";
    }
}

std::optional<VariableKind> KindFromName(const std::string& name)
{
    for (VariableKind kind : {VariableKind::Length, VariableKind::Move, VariableKind::Radius})
        if (KindName(kind) == name)
            return kind;
    return std::nullopt;
}

std::string VariableName(const OptimizeVariable& variable)
{
    std::string name = KindName(variable.kind) + " " + std::to_string(variable.tag);
    if (variable.kind == VariableKind::Move)
        name += std::string(" ") + variable.axis;
    return name;
}

std::optional<OptimizeVariable> ParseVariable(const std::string& text, std::string& message)
{
    const std::vector<std::string> parts = splittext::At(text, ':');
    OptimizeVariable variable;
    const auto kind = parts.empty() ? std::nullopt : KindFromName(parts[0]);
    if (!kind) {
        message = "Unknown variable kind in \"" + text + "\" (length, move or radius).";
        return std::nullopt;
    }
    variable.kind = *kind;
    const std::size_t expected = variable.kind == VariableKind::Move ? 5 : 4;
    if (parts.size() != expected) {
        message = "The variable \"" + text + "\" must read " + parts[0]
            + (variable.kind == VariableKind::Move ? ":TAG:AXIS:MIN:MAX." : ":TAG:MIN:MAX.");
        return std::nullopt;
    }
    std::size_t next = 2;
    if (variable.kind == VariableKind::Move) {
        if (parts[2] != "x" && parts[2] != "y" && parts[2] != "z") {
            message = "The axis of \"" + text + "\" must be x, y or z.";
            return std::nullopt;
        }
        variable.axis = parts[2][0];
        next = 3;
    }
    if (!numtext::parseInteger(parts[1], variable.tag) || !numtext::parseReal(parts[next], variable.min)
        || !numtext::parseReal(parts[next + 1], variable.max)) {
        message = "The variable \"" + text + "\" has a number that does not read.";
        return std::nullopt;
    }
    return variable;
}

std::optional<std::size_t> FindWireLine(const std::vector<std::string>& deck, long long tag)
{
    for (std::size_t i = 0; i < deck.size(); ++i) {
        const auto fields = gwFields(deck[i]);
        long long lineTag = 0;
        if (fields && !fields->empty() && numtext::parseInteger((*fields)[0], lineTag) && lineTag == tag)
            return i;
    }
    return std::nullopt;
}

std::optional<long long> FirstWireTag(const std::vector<std::string>& deck)
{
    for (const std::string& line : deck) {
        const auto fields = gwFields(line);
        long long tag = 0;
        if (fields && ReadWire(line) && numtext::parseInteger((*fields)[0], tag))
            return tag;
    }
    return std::nullopt;
}

std::optional<Wire> ReadWire(const std::string& line)
{
    const auto fields = gwFields(line);
    if (!fields || fields->size() < kWireFields)
        return std::nullopt;
    double v[7];
    for (int i = 0; i < 7; ++i)
        if (!numtext::parseReal((*fields)[static_cast<std::size_t>(i + 2)], v[i]))
            return std::nullopt;
    return Wire{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
}

std::optional<double> VariableValue(const std::vector<std::string>& deck, const OptimizeVariable& variable)
{
    const auto index = FindWireLine(deck, variable.tag);
    const auto wire = index ? ReadWire(deck[*index]) : std::nullopt;
    if (!wire)
        return std::nullopt;
    switch (variable.kind) {
    case VariableKind::Length:
        return wire->length();
    case VariableKind::Move:
        return (axisValue(*wire, variable.axis, 1) + axisValue(*wire, variable.axis, 2)) / 2;
    default:
        return wire->radius;
    }
}

std::string CheckVariables(const std::vector<std::string>& deck, const std::vector<OptimizeVariable>& variables)
{
    std::set<std::string> seen;
    for (const OptimizeVariable& variable : variables) {
        const std::string name = VariableName(variable);
        const auto index = FindWireLine(deck, variable.tag);
        if (!index)
            return name + ": no GW card has the tag " + std::to_string(variable.tag) + ".";
        const auto wire = ReadWire(deck[*index]);
        if (!wire)
            return name + ": the GW card of the tag " + std::to_string(variable.tag) + " does not read.";
        if (!seen.insert(name).second)
            return name + ": the variable is given twice.";
        if (!(variable.min < variable.max))
            return name + ": the minimum " + metres(variable.min) + " m must be below the maximum "
                + metres(variable.max) + " m.";
        if (variable.kind != VariableKind::Move && variable.min <= 0)
            return name + ": the minimum must be above 0 m.";
        if (variable.kind == VariableKind::Length && wire->length() == 0)
            return name + ": the wire has no length, so it has no direction to change it along.";
        const double value = *VariableValue(deck, variable);
        if (value < variable.min || value > variable.max)
            return name + ": its value in the deck, " + metres(value) + " m, is outside " + metres(variable.min)
                + " to " + metres(variable.max) + " m.";
    }
    return {};
}

double RoundForDeck(double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, 8 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    return std::round(value * scale) / scale;
}

namespace {

// `current` with each item that `best` changed against `start` (item for item) put in
// place of the same item of `current`, the one nearest to where it was; nothing when one
// is no longer there, with the message naming the wire of `tagOf`.
template <typename Item, typename TagOf>
std::optional<std::vector<Item>> mergeChanged(const std::vector<Item>& current, const std::vector<Item>& start,
                                              const std::vector<Item>& best, TagOf tagOf, std::string& message)
{
    std::vector<Item> merged = current;
    std::vector<bool> taken(current.size(), false);
    for (std::size_t i = 0; i < start.size() && i < best.size(); ++i) {
        if (start[i] == best[i])
            continue;
        const auto distance = [i](std::size_t j) { return j > i ? j - i : i - j; };
        std::optional<std::size_t> found;
        for (std::size_t j = 0; j < current.size(); ++j)
            if (!taken[j] && current[j] == start[i] && (!found || distance(j) < distance(*found)))
                found = j;
        if (!found) {
            message = "The wire with tag " + tagOf(start[i])
                + " is no longer in the NEC-2 input as the optimization found it, so Apply leaves the deck as it "
                  "is. Please start the optimization again.";
            return std::nullopt;
        }
        taken[*found] = true;
        merged[*found] = best[i];
    }
    return merged;
}

} // namespace

std::optional<std::vector<std::string>> MergeBestDeck(const std::vector<std::string>& current,
                                                      const std::vector<std::string>& start,
                                                      const std::vector<std::string>& best, std::string& message)
{
    const auto tagOf = [](const std::string& line) {
        const std::vector<std::string_view> fields = deckcards::CardFields(line);
        return fields.empty() ? std::string("?") : std::string(fields.front());
    };
    return mergeChanged(current, start, best, tagOf, message);
}

std::optional<std::vector<editor::CardRow>> MergeBestRows(const std::vector<editor::CardRow>& current,
                                                          const std::vector<std::string>& start,
                                                          const std::vector<std::string>& best, char separator,
                                                          std::string& message)
{
    const auto startRows = editor::LoadDeckTable(start, separator);
    const auto bestRows = editor::LoadDeckTable(best, separator);
    if (!startRows || !bestRows || startRows->size() != bestRows->size())
        return current;
    const auto tagOf = [](const editor::CardRow& row) { return row[1]; };
    return mergeChanged(current, *startRows, *bestRows, tagOf, message);
}

std::vector<std::string> ApplyVariables(const std::vector<std::string>& deck,
                                        const std::vector<OptimizeVariable>& variables,
                                        const std::vector<double>& values)
{
    std::vector<std::string> result = deck;
    for (std::size_t v = 0; v < variables.size() && v < values.size(); ++v) {
        const OptimizeVariable& variable = variables[v];
        const auto index = FindWireLine(result, variable.tag);
        const auto read = index ? ReadWire(result[*index]) : std::nullopt;
        if (!read)
            continue;
        Wire wire = *read;
        const double value = values[v];
        if (variable.kind == VariableKind::Length) {
            const double length = wire.length();
            const double cx = (wire.x1 + wire.x2) / 2, cy = (wire.y1 + wire.y2) / 2, cz = (wire.z1 + wire.z2) / 2;
            const double ux = (wire.x2 - wire.x1) / length, uy = (wire.y2 - wire.y1) / length,
                         uz = (wire.z2 - wire.z1) / length;
            wire.x1 = cx - ux * value / 2, wire.y1 = cy - uy * value / 2, wire.z1 = cz - uz * value / 2;
            wire.x2 = cx + ux * value / 2, wire.y2 = cy + uy * value / 2, wire.z2 = cz + uz * value / 2;
        } else if (variable.kind == VariableKind::Move) {
            const double shift = value - (axisValue(wire, variable.axis, 1) + axisValue(wire, variable.axis, 2)) / 2;
            double& a = variable.axis == 'x' ? wire.x1 : variable.axis == 'y' ? wire.y1 : wire.z1;
            double& b = variable.axis == 'x' ? wire.x2 : variable.axis == 'y' ? wire.y2 : wire.z2;
            a += shift;
            b += shift;
        } else {
            wire.radius = value;
        }
        // Through the card row model: the line to a row, the changed fields, the row back.
        const std::string split = editor::SplitCardLine(result[*index]);
        const std::vector<std::string> parts = splittext::At(split, ',');
        editor::CardRow row{};
        for (std::size_t c = 0; c < parts.size() && c < editor::kCardColumns; ++c)
            row[c] = c == 0 ? parts[c] : editor::FieldToTableText(parts[c], '.');
        const double numbers[7] = {wire.x1, wire.y1, wire.z1, wire.x2, wire.y2, wire.z2, wire.radius};
        for (int i = 0; i < 7; ++i) {
            // Coordinates to the nanometre first, so that what is 0 stays 0.
            const double number = i < 6 ? std::round(numbers[i] * 1e9) / 1e9 : numbers[i];
            row[static_cast<std::size_t>(i + 3)] = numtext::general(RoundForDeck(number));
        }
        result[*index] = editor::JoinCardLine(row, '.');
    }
    return result;
}

std::string VariableResultLine(const OptimizeVariable& variable, double value)
{
    return VariableName(variable) + " = " + numtext::general(RoundForDeck(value)) + " m";
}

} // namespace vrnnec::analyses
