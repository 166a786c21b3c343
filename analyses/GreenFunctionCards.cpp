#include "analyses/GreenFunctionCards.h"

#include "common/DeckCards.h"

#include <algorithm>
#include <array>

namespace vrnnec::analyses {

namespace {

constexpr std::array<std::string_view, 12> kRemovedBeforeRun = {"EX", "EN", "CP", "NE", "NH", "NT",
                                                                "PQ", "PT", "RP", "TL", "WG", "XQ"};
constexpr std::array<std::string_view, 19> kRemovedFromEditWindow = {
    "GA", "GC", "GE", "GF", "GH", "GM", "GR", "GS", "GW", "GX", "SC", "SP", "SM", "EK", "FR", "GN", "KH", "LD", "WG"};

constexpr std::size_t kMaxLine = 255;

template <std::size_t N>
bool inSet(const std::array<std::string_view, N>& set, std::string_view line)
{
    const std::string_view id = CardId(line);
    return id.size() == 2 && std::find(set.begin(), set.end(), id) != set.end();
}

template <std::size_t N>
std::vector<std::string> without(const std::vector<std::string>& lines, const std::array<std::string_view, N>& set)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (!inSet(set, line))
            kept.push_back(line);
    return kept;
}

} // namespace

std::string_view CardId(std::string_view line)
{
    return line.substr(0, 2);
}

int FirstRefusedCard(const std::vector<std::string>& lines)
{
    return deckcards::FirstRefusedLine(lines);
}

std::vector<std::string> GreenFunctionWriteDeck(const std::vector<std::string>& lines)
{
    std::vector<std::string> deck = without(lines, kRemovedBeforeRun);
    deck.emplace_back("WG");
    deck.emplace_back("EN");
    return deck;
}

std::vector<std::string> RewriteToReadGreenFunction(const std::vector<std::string>& lines)
{
    std::vector<std::string> deck = without(lines, kRemovedFromEditWindow);
    const auto end = std::find_if(deck.begin(), deck.end(), [](const std::string& line) {
        const std::string_view id = CardId(line);
        return id != "CM" && id != "CE";
    });
    deck.insert(deck.insert(end, "GF") + 1, "GE");
    return deck;
}

bool ReadsGreenFunction(const std::vector<std::string>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return CardId(line) == "GF"; });
}

} // namespace vrnnec::analyses
