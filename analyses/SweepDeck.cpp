#include "analyses/SweepDeck.h"

#include "analyses/TextFields.h"

#include "common/DeckText.h"
#include "common/NumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <string_view>

namespace vrnnec::analyses {

namespace {

std::string identifier(std::string_view line)
{
    std::string id(line.substr(0, 2));
    for (char& c : id)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return id;
}

bool removedBySweep(const std::string& id)
{
    static constexpr std::array<std::string_view, 9> kRemoved = {"FR", "RP", "EN", "CP", "NE", "NH", "PQ", "PT", "XQ"};
    return std::find(kRemoved.begin(), kRemoved.end(), id) != kRemoved.end();
}

// An EX card of type 0 or 5: the line trimmed and without blanks begins with "EX0",
// "EX5", "EX,0" or "EX,5".
bool isVoltageSource(std::string_view line)
{
    std::string packed;
    for (char c : numtext::trimBlanks(line))
        if (c != ' ')
            packed += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::string_view start : {"EX0", "EX5", "EX,0", "EX,5"})
        if (packed.starts_with(start))
            return true;
    return false;
}

} // namespace

std::string CheckSweepSettings(const SweepSettings& settings)
{
    namespace msg = sweepmessages;
    if (!std::isfinite(settings.centre) || settings.centre <= 0)
        return msg::kCheckFrequency;
    if (!std::isfinite(settings.bandWidth) || settings.bandWidth <= 0 || settings.start() <= 0)
        return msg::kBadBandWidth;
    if (settings.points < kMinPoints || settings.points > kMaxPoints)
        return msg::kBadPoints;
    return {};
}

std::string SweepFrequencyCard(const SweepSettings& settings)
{
    return "FR 0 " + std::to_string(settings.points) + " 0 0 " + numtext::general(settings.start()) + " "
        + numtext::general(settings.step());
}

std::string WithSourceVoltage(const std::string& exCard, const std::string& real, const std::string& imaginary)
{
    std::vector<std::string> fields =
        SplitFields(std::string_view(exCard).substr(std::min<std::size_t>(2, exCard.size())), " ,\t\r");
    if (fields.size() < 6)
        fields.resize(6, "0");
    fields[4] = real;
    fields[5] = imaginary;
    std::string card = exCard.substr(0, 2);
    for (const std::string& f : fields)
        card += " " + f;
    return card;
}

std::vector<std::string> SweepCards(const SweepSettings& settings, int first, int count)
{
    if (!settings.portSources.empty()) {
        const std::size_t ports = settings.portSources.size();
        std::vector<std::string> cards = {settings.patternCards.empty() ? "PT -1" : "PT 0 0 1 1"};
        for (int j = first; j < first + count; ++j) {
            cards.push_back("FR 0 1 0 0 " + numtext::general(settings.frequency(j)) + " 0");
            cards.insert(cards.end(), settings.portSources.begin(), settings.portSources.end());
            if (settings.patternCards.empty())
                cards.push_back("XQ");
            else
                cards.insert(cards.end(), settings.patternCards.begin(), settings.patternCards.end());
            for (std::size_t port = 0; port < ports; ++port) {
                for (std::size_t k = 0; k < ports; ++k)
                    cards.push_back(WithSourceVoltage(settings.portSources[k], k == port ? "1" : "1E-20", "0"));
                cards.push_back("XQ");
            }
        }
        cards.push_back("EN");
        return cards;
    }
    if (settings.patternCards.empty()) {
        const std::string card = first == 0 && count == settings.points
            ? SweepFrequencyCard(settings)
            : "FR 0 " + std::to_string(count) + " 0 0 " + numtext::general(settings.frequency(first)) + " "
                + numtext::general(settings.step());
        return {card, "PT -1", "XQ", "EN"};
    }
    // The currents of the first segment only: the listing stays small, the typed parse
    // still finds its currents table.
    std::vector<std::string> cards = {"PT 0 0 1 1"};
    for (int j = first; j < first + count; ++j) {
        cards.push_back("FR 0 1 0 0 " + numtext::general(settings.frequency(j)) + " 0");
        cards.insert(cards.end(), settings.patternCards.begin(), settings.patternCards.end());
    }
    cards.push_back("EN");
    return cards;
}

std::string PrepareSweepDeck(std::vector<std::string>& deck, const SweepSettings& settings)
{
    namespace msg = sweepmessages;
    if (deck.empty())
        return msg::kEmptyBuffer;
    bool sourceFound = false;
    for (auto it = deck.begin(); it != deck.end();) {
        const std::string id = identifier(*it);
        if (id == "GF")
            return msg::kGreenFunction;
        if (id == "EX") {
            sourceFound = true;
            if (!isVoltageSource(*it))
                return msg::kVoltageSourcesOnly;
        }
        if (removedBySweep(id) || (id == "EX" && !settings.portSources.empty()))
            it = deck.erase(it);
        else
            ++it;
    }
    if (!sourceFound)
        return msg::kSourceNeeded;
    const std::vector<std::string> cards = SweepCards(settings, 0, settings.points);
    deck.insert(deck.end(), cards.begin(), cards.end());
    return {};
}

std::string DeckFileText(const std::vector<std::string>& deck)
{
    return decktext::JoinLines(deck);
}

} // namespace vrnnec::analyses
