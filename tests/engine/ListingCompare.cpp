#include "ListingCompare.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <set>
#include <sstream>

namespace listingcompare {
namespace {

constexpr double roundOffRatio = 1e-10;
constexpr double deepestGain = -150.0;

struct Number {
    double value = 0.0;
    double unit = 0.0;       // one unit in the last printed digit
    bool exponent = false;   // printed as 1.2345E-03
    bool whole = false;      // printed without a point or exponent: a count, tag or segment
};

std::vector<std::string> fields(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string field; in >> field;)
        out.push_back(field);
    return out;
}

std::optional<Number> number(const std::string& text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    int digits = 0, decimals = 0;
    bool point = false;
    for (; i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.'); ++i) {
        if (text[i] == '.') {
            if (point)
                return std::nullopt;
            point = true;
        } else {
            ++digits;
            decimals += point ? 1 : 0;
        }
    }
    if (digits == 0)
        return std::nullopt;
    int exponent = 0;
    bool hasExponent = false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        hasExponent = true;
        std::size_t start = ++i;
        if (i < text.size() && text[i] == '+')
            start = ++i;
        const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), exponent);
        if (error != std::errc() || end == text.data() + start)
            return std::nullopt;
        i = static_cast<std::size_t>(end - text.data());
    }
    if (i != text.size())
        return std::nullopt;
    Number n;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    if (std::from_chars(begin, text.data() + text.size(), n.value).ec != std::errc())
        return std::nullopt;
    n.unit = std::pow(10.0, exponent - decimals);
    n.exponent = hasExponent;
    n.whole = !point && !hasExponent;
    return n;
}

// A section heading stands indented between dashes ("---- FREQUENCY ----"); the column
// headings under it start at the margin.
bool isHeading(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(' ');
    const std::size_t last = line.find_last_not_of(" \r");
    return first != std::string::npos && first >= 10 && line.compare(first, 3, "---") == 0 && line[last] == '-';
}

bool isPivot(const std::string& line)
{
    return line.find("PIVOT(") != std::string::npos;
}

// The largest magnitude printed in exponent form on lines [from, to).
double largest(const std::vector<std::string>& lines, std::size_t from, std::size_t to)
{
    double most = 0.0;
    for (std::size_t i = from; i < to; ++i)
        for (const std::string& field : fields(lines[i]))
            if (const auto n = number(field); n && n->exponent)
                most = std::max(most, std::abs(n->value));
    return most;
}

bool withinLastDigit(const Number& a, const Number& b)
{
    if (a.whole || b.whole)
        return a.whole && b.whole && a.value == b.value;
    const double unit = std::max(a.unit, b.unit) * (1.0 + 1e-9);
    const double difference = std::abs(a.value - b.value);
    // A phase may wrap from -180 to +180 by round-off.
    return difference <= unit || std::abs(difference - 360.0) <= unit;
}

// One line of a radiation pattern: THETA PHI three gains in dB, axial ratio, tilt, the
// sense (blank for no polarisation), then magnitude and phase of E(theta) and E(phi).
bool isPatternRow(const std::vector<std::string>& f)
{
    if (f.size() != 11 && f.size() != 12)
        return false;
    for (std::size_t i = 0; i < f.size(); ++i)
        if (!(f.size() == 12 && i == 7) && !number(f[i]))
            return false;
    return true;
}

// Whether the two lines agree field by field; `floor` is the round-off floor of their section.
bool sameLine(const std::string& a, const std::string& b, double floor, bool patternSection)
{
    const std::vector<std::string> fa = fields(a), fb = fields(b);
    if (fa.size() != fb.size())
        return false;
    const bool pattern = patternSection && isPatternRow(fa) && isPatternRow(fb);
    bool skipPhase = false;
    for (std::size_t i = 0; i < fa.size(); ++i) {
        const auto na = number(fa[i]), nb = number(fb[i]);
        if (!na || !nb) {
            if (fa[i] != fb[i])
                return false;
            skipPhase = false;
            continue;
        }
        if (na->exponent && nb->exponent && std::abs(na->value) < floor && std::abs(nb->value) < floor) {
            skipPhase = true;
            continue;
        }
        if (skipPhase && !na->exponent && !nb->exponent) {
            skipPhase = false;
            continue;
        }
        skipPhase = false;
        if (pattern && i >= 2 && i <= 4 && na->value <= deepestGain && nb->value <= deepestGain)
            continue;
        if (pattern && i == 6 && std::abs(std::abs(na->value - nb->value) - 180.0) <= std::max(na->unit, nb->unit) * 1.000001)
            continue;
        if (!withinLastDigit(*na, *nb))
            return false;
    }
    return true;
}

std::string pivotLabel(const std::string& line)
{
    return line.substr(0, line.find('='));
}

} // namespace

Comparison compare(const std::vector<std::string>& reference, const std::vector<std::string>& candidate)
{
    Comparison result;
    const auto firstPivot = std::find_if(reference.begin(), reference.end(), isPivot);
    result.singular = firstPivot != reference.end();
    if (result.singular) {
        std::set<std::string> a, b;
        for (const std::string& line : reference)
            if (isPivot(line))
                a.insert(pivotLabel(line));
        for (const std::string& line : candidate)
            if (isPivot(line))
                b.insert(pivotLabel(line));
        if (a != b)
            result.differences.push_back("the two listings warn of different singular pivots");
    }
    const std::size_t compared = static_cast<std::size_t>(firstPivot - reference.begin());
    if (!result.singular && reference.size() != candidate.size()) {
        result.differences.push_back("line counts differ: " + std::to_string(reference.size()) + " and "
                                     + std::to_string(candidate.size()));
        return result;
    }
    if (candidate.size() < compared) {
        result.differences.push_back("the candidate listing ends early");
        return result;
    }
    std::size_t start = 0;
    while (start < compared) {
        std::size_t end = start + 1;
        while (end < compared && !isHeading(reference[end]))
            ++end;
        const double floor = roundOffRatio * std::max(largest(reference, start, end), largest(candidate, start, end));
        const bool patternSection = reference[start].find("RADIATION PATTERNS") != std::string::npos;
        for (std::size_t i = start; i < end; ++i) {
            const std::string& a = reference[i];
            const std::string& b = candidate[i];
            if (a.find("msec") != std::string::npos && b.find("msec") != std::string::npos)
                continue;
            if (!sameLine(a, b, floor, patternSection))
                result.differences.push_back("line " + std::to_string(i + 1) + ": " + a + " | " + b);
        }
        start = end;
    }
    return result;
}

} // namespace listingcompare
