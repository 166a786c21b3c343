// Single lines of a nec2c listing in their classic form: the table rows and the lines
// of the sections with a structure of their own. No state beyond a scratch word list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::engine::classicrows {

bool startsWith(std::string_view text, std::string_view prefix);
std::string blanks(int count);

// The fields of a data card echo that tell the sources apart.
struct CardEcho {
    std::string_view name;             // "EX", "FR", ...
    long long integers[3] = {0, 0, 0}; // the first three integer fields
    bool hasIntegers = false;
};

class RowConverter {
public:
    // Table rows; each returns false when the line does not read as such a row (`out`
    // then holds nothing useful).
    bool segment(std::string_view line, std::string& out, long long& tag);
    // Input parameters and network connection points; rows on one of `slopeSegments`
    // get the "*" of a current-slope-discontinuity source.
    bool source(std::string_view line, std::string& out, const std::vector<long long>& slopeSegments);
    bool current(std::string_view line, std::string& out);
    bool patch(std::string_view line, std::string& out);
    bool nearField(std::string_view line, std::string& out);
    bool pattern(std::string_view line, std::string& out);
    // The values line of a current source (EX 4) as the classic "CURRENT SOURCE" line.
    bool currentSource(std::string_view values, std::string& out);
    // "  DATA CARD No:   3 EX ..." as " ***** DATA CARD NO.  3   EX ...".
    bool cardEcho(std::string_view line, std::string& out, CardEcho& card);
    // The classic gain labels line of a pattern block from nec2c's ("VERTC HORIZ").
    bool patternLabels(std::string_view nec2cLabels, std::string& out);

    // Lines of their own; `t` is the nec2c line without its leading and trailing blanks.
    static std::string load(std::string_view line);
    static std::string environment(std::string_view t);
    static std::string powerBudget(std::string_view t);
    static bool planeWave(std::string_view t, std::string& out);
    static bool frequency(std::string_view frequencyLine, std::string_view wavelengthLine, std::string& frequencyOut,
                          std::string& wavelengthOut);
    static bool range(std::string_view rangeLine, std::string_view phaseLine, std::string& rangeOut,
                      std::string& phaseOut);

private:
    std::vector<std::string_view> words_;
};

} // namespace vrnnec::engine::classicrows