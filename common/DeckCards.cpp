#include "common/DeckCards.h"

#include "common/NumberText.h"

#include <algorithm>
#include <array>

namespace vrnnec::deckcards {

std::string CardName(std::string_view line)
{
    std::string name(line.substr(0, 2));
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return name;
}

std::vector<std::string_view> CardFields(std::string_view line)
{
    std::vector<std::string_view> out;
    const auto separator = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r'; };
    std::size_t i = line.size() < 2 ? line.size() : 2;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i]))
            ++i;
        if (i > start)
            out.push_back(line.substr(start, i - start));
    }
    return out;
}

long long FrequencyCount(const std::vector<std::string>& lines)
{
    long long total = 0;
    for (const std::string& line : lines) {
        const std::string name = CardName(line);
        if (name == "EN")
            break;
        if (name != "FR")
            continue;
        // "FR IFRQ NFRQ ...": the step count is the second field.
        const std::vector<std::string_view> fields = CardFields(line);
        long long steps = 1;
        if (fields.size() >= 2 && !numtext::parseTrimmedInteger(fields[1], steps))
            steps = 2;
        total += steps == 0 ? 1 : (steps < 0 ? 2 : steps);
    }
    return total;
}

bool AsksForSeveralFrequencies(const std::vector<std::string>& lines)
{
    return FrequencyCount(lines) > 1;
}

bool HasEndCard(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (CardName(line) == "EN")
            return true;
    return false;
}

int FirstRefusedLine(const std::vector<std::string>& lines)
{
    static constexpr std::array<std::string_view, 33> kTaken = {
        "CM", "CE", "GA", "GC", "GE", "GF", "GH", "GM", "GR", "GS", "GW", "GX", "SC", "SP", "SM", "CP", "EK",
        "EN", "EX", "FR", "GD", "GN", "LD", "NE", "NH", "NT", "NX", "PQ", "PT", "RP", "TL", "WG", "XQ"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view card = std::string_view(lines[i]).substr(0, 2);
        if (std::find(kTaken.begin(), kTaken.end(), card) == kTaken.end())
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace vrnnec::deckcards
