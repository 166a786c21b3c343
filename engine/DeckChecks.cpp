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

// The message for one line, or empty.
std::string checkLine(std::string_view line, long long lineNumber, bool& ended, PointCount& count)
{
    if (line.size() < 2)
        return {};
    const std::string card = deckcards::CardName(line);
    if (card == "EN") {
        ended = true;
        return {};
    }
    count.add(card, line);
    if (card != "GW")
        return {};
    const std::vector<std::string_view> f = deckcards::CardFields(line);
    if (f.size() < 8)
        return {};
    double ends[6];
    for (int i = 0; i < 6; ++i)
        if (!numtext::parseReal(f[static_cast<std::size_t>(2 + i)], ends[i]))
            return {};
    if (ends[0] != ends[3] || ends[1] != ends[4] || ends[2] != ends[5])
        return {};
    return "The wire with tag " + std::string(f[0]) + " (line " + std::to_string(lineNumber)
        + " of the NEC-2 input) has zero length: both of its ends are at the same point. "
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
    std::string message;
    for (std::size_t i = 0; i < lines.size() && !ended; ++i) {
        std::string line = checkLine(lines[i], static_cast<long long>(i + 1), ended, count);
        if (message.empty())
            message = std::move(line);
    }
    if (!message.empty())
        return message;
    if (!ended)
        return deckcards::kMissingEndMessage;
    if (count.points > kMaxDeckPoints)
        return "The deck asks for " + groupedDigits(count.points)
            + " pattern and near-field points; at most 1,000,000 are allowed. "
              "Please ask for fewer points on the RP, NE and NH cards.";
    return {};
}

} // namespace vrnnec::engine