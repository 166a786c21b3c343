#include "engine/DeckChecks.h"

#include "common/DeckCards.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include <cmath>
#include <vector>

namespace vrnnec::engine {

namespace {

// The count in field `index` of a card: at least 1 (the engine takes a missing or zero
// count as one), and a count that does not read as 1.
double countField(const std::vector<std::string_view>& f, std::size_t index)
{
    double value = 0;
    if (index >= f.size() || !numtext::parseReal(f[index], value) || !(value >= 1))
        return 1;
    return std::min(std::floor(value), 1e9);
}

// "12,345,678".
std::string groupedDigits(double value)
{
    std::string digits = numtext::decimals(value, 0);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

// The pattern and near-field points a deck asks for: every RP card's NTH x NPH and every
// NE or NH card's NX x NY x NZ, each for every frequency of the FR card before it.
struct PointCount {
    double frequencies = 1;
    double points = 0;
    void add(const std::string& card, std::string_view line)
    {
        const std::vector<std::string_view> f = deckcards::CardFields(line);
        if (card == "FR")
            frequencies = countField(f, 1);
        else if (card == "RP")
            points += frequencies * countField(f, 1) * countField(f, 2);
        else if (card == "NE" || card == "NH")
            points += frequencies * countField(f, 1) * countField(f, 2) * countField(f, 3);
    }
};

// What the geometry cards build: whether any wire has a segment or any patch is made,
// and whether the structure is read from a Green's function file instead (GF).
struct Structure {
    bool built = false;
    bool fromGreenFunction = false;
};

std::string lineRef(long long lineNumber)
{
    return "(line " + std::to_string(lineNumber) + " of the NEC-2 input)";
}

// The count of segments of a GW, GA or GH card (second field); a message when it is
// negative (the engine then fails to allocate its arrays). A count it cannot read as a
// whole number is left to the engine, which names the field.
std::string checkSegments(const std::vector<std::string_view>& f, long long lineNumber, Structure& structure)
{
    long long segments = 0;
    if (f.size() < 2 || !numtext::parseInteger(f[1], segments)) {
        structure.built = true;
        return {};
    }
    if (segments >= 1)
        structure.built = true;
    if (segments >= 0)
        return {};
    return "The wire with tag " + std::string(f.empty() ? "" : f[0]) + " " + lineRef(lineNumber) + " has "
        + std::string(f[1]) + " segments. A wire needs one segment or more; please correct it.";
}

// The first negative frequency of an FR card (the engine never finishes on one): the
// start, start + k x step (linear) or start x step^k (IFRQ 1), k below the count.
std::string checkFrequencies(const std::vector<std::string_view>& f, long long lineNumber)
{
    double start = 0, step = 0;
    if (f.size() < 5 || !numtext::parseReal(f[4], start))
        return {};
    if (f.size() < 6 || !numtext::parseReal(f[5], step))
        step = 0;
    const double count = countField(f, 1);
    double kind = 0;
    const bool multiplying = numtext::parseReal(f[0], kind) && kind == 1;
    double negative = 0;
    if (start < 0)
        negative = start;
    else if (multiplying && count >= 2 && step < 0 && start > 0)
        negative = start * step;
    else if (!multiplying && start + (count - 1) * step < 0)
        negative = start + (std::floor(start / -step) + 1) * step; // the first step below zero
    if (!(negative < 0))
        return {};
    return "The FR card " + lineRef(lineNumber) + " asks for a negative frequency, " + numtext::general(negative)
        + " MHz. NEC-2 cannot compute it; please correct the card.";
}

// The message for one line, or empty.
std::string checkLine(std::string_view line, long long lineNumber, bool& ended, PointCount& count,
                      Structure& structure)
{
    if (line.size() < 2)
        return {};
    const std::string card = deckcards::CardName(line);
    if (card == "EN") {
        ended = true;
        return {};
    }
    count.add(card, line);
    if (card == "SP" || card == "SM")
        structure.built = true;
    if (card == "GF")
        structure.fromGreenFunction = true;
    const std::vector<std::string_view> f = deckcards::CardFields(line);
    if (card == "FR")
        return checkFrequencies(f, lineNumber);
    if (card == "GA" || card == "GH")
        return checkSegments(f, lineNumber, structure);
    if (card != "GW")
        return {};
    std::string segments = checkSegments(f, lineNumber, structure);
    if (!segments.empty() || f.size() < 8)
        return segments;
    double ends[6];
    for (int i = 0; i < 6; ++i)
        if (!numtext::parseReal(f[static_cast<std::size_t>(2 + i)], ends[i]))
            return {};
    if (ends[0] != ends[3] || ends[1] != ends[4] || ends[2] != ends[5])
        return {};
    return "The wire with tag " + std::string(f[0]) + " " + lineRef(lineNumber)
        + " has zero length: both of its ends are at the same point. "
          "NEC-2 cannot compute such a wire; please correct it.";
}

} // namespace

std::string CheckDeckFile(const std::string& path)
{
    std::vector<std::string> lines;
    if (!textlines::readAllLines(path, lines))
        return {};
    bool ended = false;
    PointCount count;
    Structure structure;
    std::string message;
    for (std::size_t i = 0; i < lines.size() && !ended; ++i) {
        std::string line = checkLine(lines[i], static_cast<long long>(i + 1), ended, count, structure);
        if (message.empty())
            message = std::move(line);
    }
    if (!message.empty())
        return message;
    if (!ended)
        return deckcards::kMissingEndMessage;
    if (!structure.built && !structure.fromGreenFunction)
        return kNoStructureMessage;
    if (count.points > kMaxDeckPoints)
        return "The deck asks for " + groupedDigits(count.points)
            + " pattern and near-field points; at most 1,000,000 are allowed. "
              "Please ask for fewer points on the RP, NE and NH cards.";
    return {};
}

} // namespace vrnnec::engine