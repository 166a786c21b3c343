#include "engine/PatternDeck.h"

#include "common/DeckText.h"
#include "common/NumberText.h"

#include <sstream>

namespace vrnnec::engine {

namespace {

// The card name of a deck line, upper-cased ("" for a line shorter than two characters).
std::string cardName(const std::string& line)
{
    std::string name = line.substr(0, 2);
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name.size() == 2 ? name : std::string();
}

// The first integer field after the card name (blanks, tabs or commas between fields).
std::optional<long long> firstInteger(const std::string& line)
{
    std::string rest = line.size() > 2 ? line.substr(2) : std::string();
    for (char& c : rest)
        if (c == ',' || c == '\t' || c == '\r')
            c = ' ';
    std::istringstream in(rest);
    std::string field;
    long long value = 0;
    if (!(in >> field))
        return 0; // a card without fields: its fields are 0
    double real = 0;
    if (numtext::parseInteger(field, value))
        return value;
    if (numtext::parseReal(field, real))
        return static_cast<long long>(real);
    return std::nullopt;
}

} // namespace

bool PatternStepAcceptable(long long step)
{
    return step >= kMinPatternStep && step <= kMaxPatternStep && 90 % step == 0;
}

bool DeckHasGround(const std::vector<std::string>& lines)
{
    std::optional<bool> byGroundCard;
    bool byGeometryEnd = false;
    for (const std::string& line : lines) {
        const std::string name = cardName(line);
        if (name == "EN")
            break;
        if (name == "GN")
            byGroundCard = firstInteger(line).value_or(0) != -1;
        else if (name == "GE")
            byGeometryEnd = firstInteger(line).value_or(0) != 0;
    }
    return byGroundCard.value_or(byGeometryEnd);
}

std::string FullPatternCard(int step, bool overGround)
{
    const int thetaCount = (overGround ? 90 : 180) / step + 1;
    const int phiCount = 360 / step;
    const std::string s = std::to_string(step);
    return "RP 0 " + std::to_string(thetaCount) + " " + std::to_string(phiCount) + " 1000 0 0 " + s + " " + s;
}

FullPatternDeck MakeFullPatternDeck(const std::vector<std::string>& lines, long long step)
{
    FullPatternDeck deck;
    if (!PatternStepAcceptable(step)) {
        deck.message = kPatternStepMessage;
        return deck;
    }
    deck.overGround = DeckHasGround(lines);
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        const std::string name = cardName(line);
        if (name == "EN")
            break;
        if (name != "RP")
            kept.push_back(line);
    }
    kept.push_back(FullPatternCard(static_cast<int>(step), deck.overGround));
    kept.emplace_back("EN");
    deck.text = decktext::JoinLines(kept);
    return deck;
}

} // namespace vrnnec::engine
