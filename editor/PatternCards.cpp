#include "editor/PatternCards.h"

#include "common/DeckCards.h"
#include "common/NumberText.h"
#include "editor/CardRows.h"

#include <cctype>

namespace vrnnec::editor {

namespace {

// The line with its first two characters upper-cased, for the identifier and the
// prefix comparisons.
std::string withUpperId(std::string_view line)
{
    std::string s(line);
    for (std::size_t i = 0; i < s.size() && i < 2; ++i)
        s[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
    return s;
}

bool hasId(std::string_view line, std::string_view id)
{
    return withUpperId(line.substr(0, 2)) == id;
}

std::string azimuthPrefix(int mode)
{
    return "RP " + std::to_string(mode) + " 1 360 1000 ";
}

std::string elevationPrefix(int mode)
{
    return "RP " + std::to_string(mode) + " 181 1 1000 90 ";
}

// The mode k (0 to 6) whose prefix starts `line`, or -1.
int prefixMode(std::string_view line, std::string (*prefix)(int))
{
    for (int k = 0; k <= 6; ++k) {
        const std::string p = prefix(k);
        if (line.size() >= p.size() && line.substr(0, p.size()) == p)
            return k;
    }
    return -1;
}

bool endsWith(std::string_view line, std::string_view tail)
{
    return line.size() >= tail.size() && line.substr(line.size() - tail.size()) == tail;
}

} // namespace

std::string AzimuthCard(int mode, double theta)
{
    return azimuthPrefix(mode) + numtext::deckGeneral(theta) + " 0 0 1";
}

std::string ElevationCard(int mode, double azimuth)
{
    return elevationPrefix(mode) + numtext::deckGeneral(azimuth) + " -1 0";
}

RPRewrite RewriteRPCards(std::vector<std::string>& lines, double theta, double azimuth, bool modeZeroElevationCounts)
{
    int mode = 0;
    int azimuthMode = 0;
    std::vector<std::string> kept;
    kept.reserve(lines.size() + 3);
    for (const std::string& line : lines) {
        const std::string upper = withUpperId(line);
        const int a = prefixMode(upper, azimuthPrefix);
        if (a >= 1) {
            azimuthMode = a;
            mode = a;
        }
        const int e = prefixMode(upper, elevationPrefix);
        if (e >= 1 || (e == 0 && modeZeroElevationCounts))
            mode = e;
        if (hasId(line, "RP") || hasId(line, "EN"))
            continue;
        kept.push_back(line);
    }
    RPRewrite result;
    result.mode = mode;
    if (azimuthMode != mode)
        result.modeMessage = "All RP cards will be as RP " + std::to_string(mode) + " ....";
    kept.push_back(AzimuthCard(mode, theta));
    kept.push_back(ElevationCard(mode, azimuth));
    kept.emplace_back("EN");
    lines = std::move(kept);
    return result;
}

std::vector<std::string> RPPairCheck::attentionLines() const
{
    if (elevationMode == azimuthMode && azimuthMode != 1 && elevationMode != 1)
        return {};
    return {"***** ATTENTION! *****", "RP cards for azimuth diagram is RP " + std::to_string(azimuthMode) + " ....,",
            "for elevation diagram is RP " + std::to_string(elevationMode) + " ...."};
}

RPPairCheck CheckRPPair(const std::vector<std::string>& lines)
{
    RPPairCheck check;
    long long azimuthLine = -2;
    int count = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!hasId(lines[i], "RP"))
            continue;
        const std::string line = withUpperId(lines[i]);
        const int a = prefixMode(line, azimuthPrefix);
        if (a >= 0)
            check.azimuthMode = a;
        if (check.azimuthMode >= 0 && endsWith(line, " 0 0 1")) {
            ++count;
            azimuthLine = static_cast<long long>(i);
        }
        const int e = prefixMode(line, elevationPrefix);
        if (e >= 0)
            check.elevationMode = e;
        if (check.elevationMode >= 0 && endsWith(line, " -1 0") && static_cast<long long>(i) == azimuthLine + 1)
            ++count;
    }
    check.ok = count == 2;
    return check;
}

bool AnglesAcceptable(double elevation, double azimuth)
{
    const double theta = 90 - elevation;
    return theta >= 0 && theta <= 90 && azimuth >= 0 && azimuth <= 360;
}

bool AsksForSeveralFrequencies(const std::vector<std::string>& lines)
{
    return deckcards::AsksForSeveralFrequencies(lines);
}

bool IsCompleteAngleText(std::string_view text, char separator)
{
    return !(text.empty() || text == "+" || text == "-" || (text.size() == 1 && text[0] == separator));
}

} // namespace vrnnec::editor
