#include "engine/DeckChecks.h"

#include "common/DeckCards.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include <vector>

namespace vrnnec::engine {

namespace {

// The message for one line, or empty.
std::string checkLine(std::string_view line, long long lineNumber, bool& ended)
{
    if (line.size() < 2)
        return {};
    const std::string card = deckcards::CardName(line);
    if (card == "EN") {
        ended = true;
        return {};
    }
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
    for (std::size_t i = 0; i < lines.size() && !ended; ++i) {
        std::string message = checkLine(lines[i], static_cast<long long>(i + 1), ended);
        if (!message.empty())
            return message;
    }
    if (!ended)
        return deckcards::kMissingEndMessage;
    return {};
}

} // namespace vrnnec::engine