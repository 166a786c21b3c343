#include "editor/WireTools.h"

#include "common/CoatInductance.h"
#include "common/Messages.h"
#include "common/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vrnnec::editor {

namespace {

std::string upperTrimmed(std::string_view text)
{
    std::string s(numtext::trimBlanks(text));
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string generalText(double value, char separator)
{
    return numtext::withSeparator(numtext::general(value), separator);
}

// A message and, on its next line, the field by its label: "\"Change it to:\" is not a
// number."
std::string labelledFault(const char* message, const char* label, const char* fault)
{
    return messages::WithPlace(message, "\"" + std::string(label) + "\" " + fault);
}

} // namespace

std::string WireLengthText(const WirePoint& begin, const WirePoint& end, std::int64_t segments, char separator)
{
    const double dx = begin.x - end.x;
    const double dy = begin.y - end.y;
    const double dz = begin.z - end.z;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    const auto count = static_cast<std::uint32_t>(segments);
    const double segment = count == 0 ? 0.0 : length / static_cast<double>(count);
    return "Wire length:  " + numtext::withSeparator(numtext::fixed(length, 9, 5), separator)
        + ";   Segment length: " + numtext::withSeparator(numtext::fixed(segment, 9, 5), separator) + ";";
}

std::string IsolationInductance(double permittivity, double coatRadius, double bareRadius, double gwRadius,
                                double& inductance)
{
    if (coatRadius <= 0 || bareRadius <= 0)
        return kIncorrectIsolationMessage;
    if (coatRadius < gwRadius)
        return kIsolationRadiusMessage;
    if (permittivity * 0.95 * 0.95 < 1)
        return kIsolationEpsMessage;
    inductance = coat::coatInductance(coatRadius, bareRadius, permittivity);
    return {};
}

IsolationFields ReadIsolationFields(std::string_view eps, std::string_view coatRadius, std::string_view bareRadius,
                                    char separator)
{
    static constexpr const char* labels[3] = {"Dielectric constant, Eps:", "Radii in isolation, m:",
                                              "without isolation, m:"};
    IsolationFields fields;
    const std::string_view texts[3] = {eps, coatRadius, bareRadius};
    double* values[3] = {&fields.permittivity, &fields.coatRadius, &fields.bareRadius};
    for (int i = 0; i < 3; ++i) {
        const char* fault = nullptr;
        if (!numtext::parseRealWithSeparator(texts[i], separator, *values[i]))
            fault = messages::kNotANumber;
        else if (i > 0 && !(*values[i] > 0))
            fault = "must be greater than 0.";
        if (fault != nullptr) {
            fields.refused = i;
            fields.message = labelledFault(kIncorrectIsolationMessage, labels[i], fault);
            return fields;
        }
    }
    return fields;
}

ReplaceValues ReadReplaceValues(std::string_view find, std::string_view replacement, char separator)
{
    ReplaceValues values;
    if (!numtext::parseRealWithSeparator(find, separator, values.find)) {
        values.refused = 0;
        values.message = labelledFault(kIncorrectReplaceMessage, "Find in coordinates:", messages::kNotANumber);
    } else if (!numtext::parseRealWithSeparator(replacement, separator, values.replacement)) {
        values.refused = 1;
        values.message = labelledFault(kIncorrectReplaceMessage, "Change it to:", messages::kNotANumber);
    }
    return values;
}

bool IsUnfinishedNumber(std::string_view text, char separator)
{
    text = numtext::trimBlanks(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    if (text.empty() || (text.size() == 1 && text[0] == separator))
        return true;
    if (text.back() == '-' || text.back() == '+')
        text.remove_suffix(1);
    if (text.empty() || (text.back() != 'E' && text.back() != 'e'))
        return false;
    text.remove_suffix(1);
    double mantissa = 0;
    return !text.empty() && numtext::parseRealWithSeparator(text, separator, mantissa);
}

std::string IsolatedWireNote(int row)
{
    return "This wire already has a distributed load (LD card in row " + std::to_string(row + 1)
        + "): its GW radius is taken to be the radius in isolation. Enter the radius without isolation.";
}

std::string WireFieldText(std::string_view cell, bool integer, char separator)
{
    const std::string_view text = numtext::trimBlanks(cell);
    if (text.empty())
        return "0";
    if (integer) {
        long long value = 0;
        if (numtext::parseInteger(text, value))
            return std::to_string(value);
    } else {
        double value = 0;
        if (numtext::parseRealWithSeparator(text, separator, value))
            return generalText(value, separator);
    }
    return std::string(text);
}

int FindDistributedLoad(const std::vector<CardRow>& rows, std::int64_t tag)
{
    const std::string tagText = std::to_string(tag);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][0] == "LD" && (rows[i][1] == "2" || rows[i][1] == "3") && rows[i][2] == tagText)
            return static_cast<int>(i);
    return -1;
}

int IsolationLoadPlace(const std::vector<CardRow>& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i][0] == "GE")
            return static_cast<int>(i) + 1;
    return static_cast<int>(rows.size());
}

CardRow IsolationLoadRow(std::int64_t tag, std::int64_t segments, double inductance, char separator)
{
    CardRow row;
    row[0] = "LD";
    row[1] = "2";
    row[2] = std::to_string(tag);
    row[3] = "1";
    row[4] = std::to_string(segments);
    row[5] = "0";
    row[6] = numtext::withSeparator(numtext::exponent(inductance, 6, 2), separator);
    row[7] = "0";
    return row;
}

ReplaceOutcome ReplaceCoordinates(std::vector<CardRow>& rows, double find, double replacement, Axes axes, bool mirror,
                                  char separator)
{
    ReplaceOutcome outcome;
    std::vector<std::size_t> columns;
    if (axes == Axes::X || axes == Axes::All)
        columns.insert(columns.end(), {3, 6});
    if (axes == Axes::Y || axes == Axes::All)
        columns.insert(columns.end(), {4, 7});
    if (axes == Axes::Z || axes == Axes::All)
        columns.insert(columns.end(), {5, 8});

    // Every GW row reads, or nothing changes.
    std::vector<std::vector<double>> values(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (upperTrimmed(rows[i][0]) != "GW")
            continue;
        for (std::size_t c : columns) {
            double v = 0;
            if (!numtext::parseRealWithSeparator(upperTrimmed(rows[i][c]), separator, v)) {
                outcome.row = static_cast<int>(i);
                outcome.column = static_cast<int>(c);
                outcome.message = messages::WithPlace(
                    kIncorrectTableCoordinatesMessage,
                    messages::FieldFault(messages::kRowPlace, outcome.row + 1, rows[i][0], outcome.column,
                                         messages::kNotANumber));
                return outcome;
            }
            values[i].push_back(v);
        }
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        bool changed = false;
        for (std::size_t k = 0; k < values[i].size(); ++k) {
            const double v = values[i][k];
            std::string& cell = rows[i][columns[k]];
            if (v == find) {
                cell = generalText(replacement, separator);
                changed = true;
            } else if (mirror && v == -find) {
                cell = generalText(-replacement, separator);
                changed = true;
            }
        }
        if (changed)
            outcome.changedRows.push_back(static_cast<int>(i));
    }
    return outcome;
}

} // namespace vrnnec::editor
