#include "engine/ClassicRows.h"

#include "engine/ClassicFields.h"
#include "engine/ClassicTexts.h"

#include "common/NumberText.h"

#include <algorithm>

namespace vrnnec::engine::classicrows {

using classicfields::putA;
using classicfields::putE;
using classicfields::putF;
using classicfields::putI;
using numtext::trimBlanks;

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

std::string blanks(int count)
{
    return std::string(static_cast<std::size_t>(count), ' ');
}

namespace {

// Blank-separated words of a line.
void splitWords(std::string_view line, std::vector<std::string_view>& words)
{
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
}

bool readReals(const std::vector<std::string_view>& words, std::size_t from, std::size_t count, double* values)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!numtext::parseReal(words[from + i], values[i]))
            return false;
    return true;
}

bool readIntegers(const std::vector<std::string_view>& words, std::size_t from, std::size_t count, long long* values)
{
    for (std::size_t i = 0; i < count; ++i)
        if (!numtext::parseInteger(words[from + i], values[i]))
            return false;
    return true;
}

bool negativeText(std::string_view word)
{
    return !word.empty() && word.front() == '-';
}

// nec2c numbers a wire end joined to surface patch p as 100000 + p, the classic engine
// as 10000 + p (which fits its five-column field).
long long classicConnection(long long value)
{
    if (value >= 100000)
        return value - 90000;
    if (value <= -100000)
        return value + 90000;
    return value;
}

std::string_view afterText(std::string_view line, std::string_view marker)
{
    const auto at = line.find(marker);
    if (at == std::string_view::npos)
        return {};
    return trimBlanks(line.substr(at + marker.size()));
}

// The first number at the start of `text` (up to the next blank).
bool leadingReal(std::string_view text, double& value)
{
    text = trimBlanks(text);
    return numtext::parseReal(text.substr(0, text.find(' ')), value);
}

// "1.3000E+01-6.4200E+00j" as two E12.5 fields.
bool complexPair(std::string_view text, std::string& line)
{
    if (!text.empty() && text.back() == 'j')
        text.remove_suffix(1);
    // The imaginary part starts at the sign after the real part's exponent.
    const auto e = text.find_first_of("Ee");
    if (e == std::string_view::npos)
        return false;
    const auto split = text.find_first_of("+-", e + 2);
    double re = 0, im = 0;
    if (split == std::string_view::npos || !numtext::parseReal(text.substr(0, split), re)
        || !numtext::parseReal(text.substr(split), im))
        return false;
    putE(line, re, 12, 5);
    putE(line, im, 12, 5);
    return true;
}

void putLabel(std::string& line, std::string_view label)
{
    if (label == "VERTC")
        label = "VERT.";
    else if (label == "HORIZ")
        label = "HOR.";
    putA(line, label, 8);
}

} // namespace

bool RowConverter::segment(std::string_view line, std::string& r, long long& tag)
{
    splitWords(line, words_);
    long long seg, conn[3];
    double v[7];
    if (words_.size() != 12 || !readIntegers(words_, 0, 1, &seg) || !readReals(words_, 1, 7, v)
        || !readIntegers(words_, 8, 3, conn) || !readIntegers(words_, 11, 1, &tag))
        return false;
    r += ' ';
    putI(r, seg, 5);
    for (int i = 0; i < 4; ++i)
        putF(r, v[i], 10, 5, negativeText(words_[1 + i]));
    r += ' ';
    for (int i = 4; i < 7; ++i)
        putF(r, v[i], 10, 5, negativeText(words_[1 + i]));
    r += ' ';
    for (long long c : conn)
        putI(r, classicConnection(c), 5);
    r += "  ";
    putI(r, tag, 5);
    return true;
}

bool RowConverter::source(std::string_view line, std::string& r, const std::vector<long long>& slopeSegments)
{
    splitWords(line, words_);
    long long ids[2];
    double v[9];
    if (words_.size() != 11 || !readIntegers(words_, 0, 2, ids) || !readReals(words_, 2, 9, v))
        return false;
    r += ' ';
    putI(r, ids[0], 5);
    if (std::find(slopeSegments.begin(), slopeSegments.end(), ids[1]) != slopeSegments.end()) {
        r += " *";
        putI(r, ids[1], 4);
    } else {
        r += ' ';
        putI(r, ids[1], 5);
    }
    for (double value : v)
        putE(r, value, 12, 5);
    return true;
}

bool RowConverter::current(std::string_view line, std::string& r)
{
    splitWords(line, words_);
    long long ids[2];
    double v[8];
    if (words_.size() != 10 || !readIntegers(words_, 0, 2, ids) || !readReals(words_, 2, 8, v))
        return false;
    r += ' ';
    putI(r, ids[0], 5);
    putI(r, ids[1], 5);
    for (int i = 0; i < 3; ++i)
        putF(r, v[i], 9, 4, negativeText(words_[2 + i]));
    putF(r, v[3], 9, 5, negativeText(words_[5]));
    r += ' ';
    for (int i = 4; i < 7; ++i)
        putE(r, v[i], 12, 4);
    putF(r, v[7], 9, 3, negativeText(words_[9]));
    return true;
}

bool RowConverter::patch(std::string_view line, std::string& r)
{
    splitWords(line, words_);
    long long number;
    double v[13];
    if (words_.size() != 14 || !readIntegers(words_, 0, 1, &number) || !readReals(words_, 1, 13, v))
        return false;
    auto f = [&](int i, int width, int decimals) { putF(r, v[i], width, decimals, negativeText(words_[1 + i])); };
    r += ' ';
    putI(r, number, 4);
    for (int i = 0; i < 3; ++i)
        f(i, 10, 5);
    r += ' ';
    for (int i = 3; i < 6; ++i)
        f(i, 8, 4);
    f(6, 10, 5);
    r += ' ';
    for (int i = 7; i < 10; ++i)
        f(i, 8, 4);
    r += ' ';
    for (int i = 10; i < 13; ++i)
        f(i, 8, 4);
    return true;
}

bool RowConverter::nearField(std::string_view line, std::string& r)
{
    splitWords(line, words_);
    double v[9];
    if (words_.size() != 9 || !readReals(words_, 0, 9, v))
        return false;
    r += "  ";
    for (int i = 0; i < 3; ++i) {
        r += "  ";
        putF(r, v[i], 9, 4, negativeText(words_[i]));
    }
    r += ' ';
    for (int i = 3; i < 9; i += 2) {
        r += "   ";
        putE(r, v[i], 11, 4);
        r += "  ";
        putF(r, v[i + 1], 7, 2, negativeText(words_[i + 1]));
    }
    return true;
}

bool RowConverter::pattern(std::string_view line, std::string& r)
{
    splitWords(line, words_);
    // THETA PHI three gains, axial ratio, tilt, [sense], E(theta) and E(phi).
    double v[11];
    std::string_view sense;
    if (words_.size() == 12) {
        sense = words_[7];
        if (!readReals(words_, 0, 7, v) || !readReals(words_, 8, 4, v + 7))
            return false;
    } else if (words_.size() == 11) {
        if (!readReals(words_, 0, 11, v))
            return false;
    } else {
        return false;
    }
    const std::size_t senseShift = sense.empty() ? 0 : 1;
    auto neg = [&](int i) { return negativeText(words_[i < 7 ? i : i + senseShift]); };
    r += ' ';
    putF(r, v[0], 7, 2, neg(0));
    putF(r, v[1], 9, 2, neg(1));
    r += "   ";
    for (int i = 2; i < 5; ++i)
        putF(r, v[i], 8, 2, neg(i));
    putF(r, v[5], 11, 5, neg(5));
    putF(r, v[6], 9, 2, neg(6));
    r += "  ";
    putA(r, sense, 6);
    putE(r, v[7], 15, 5);
    putF(r, v[8], 9, 2, neg(8));
    putE(r, v[9], 15, 5);
    putF(r, v[10], 9, 2, neg(10));
    return true;
}

// Load rows keep nec2c's texts; each field moves to its classic columns.
std::string RowConverter::load(std::string_view line)
{
    struct Field {
        int from, to;   // nec2c columns
        int classicEnd; // last classic column
    };
    static constexpr Field kFields[] = {
        {1, 6, 8},    // tag
        {7, 11, 13},  // first segment
        {12, 16, 18}, // last segment
        {17, 28, 34}, // resistance
        {29, 40, 47}, // inductance
        {41, 52, 60}, // capacitance
        {53, 64, 73}, // impedance, real
        {65, 76, 86}, // impedance, imaginary
        {77, 88, 99}, // conductivity
    };
    std::string r;
    for (const Field& f : kFields) {
        if (static_cast<int>(line.size()) < f.from)
            break;
        const std::string_view text =
            trimBlanks(line.substr(static_cast<std::size_t>(f.from - 1), static_cast<std::size_t>(f.to - f.from + 1)));
        if (text.empty())
            continue;
        const auto start = static_cast<std::size_t>(f.classicEnd) - text.size();
        if (r.size() < start)
            r.append(start - r.size(), ' ');
        else if (!r.empty())
            r += ' ';
        r += text;
    }
    // The load type, from nec2c column 89 on, goes to classic column 100 on.
    if (line.size() > 88 && !trimBlanks(line.substr(88)).empty()) {
        if (r.size() < 99)
            r.append(99 - r.size(), ' ');
        r += line.substr(88);
    }
    return r;
}

// "PLANE WAVE - THETA:    0.00 deg, PHI:    0.00 deg, ETA=   0.00 DEG, TYPE - LINEAR  AXIAL RATIO:  0.000"
bool RowConverter::planeWave(std::string_view t, std::string& line)
{
    double theta = 0, phi = 0, eta = 0, ratio = 0;
    if (!leadingReal(afterText(t, "THETA:"), theta) || !leadingReal(afterText(t, "PHI:"), phi)
        || !leadingReal(afterText(t, "ETA="), eta) || !leadingReal(afterText(t, "AXIAL RATIO:"), ratio))
        return false;
    std::string_view type = afterText(t, "TYPE -");
    type = type.substr(0, type.find(' '));
    line = "    PLANE WAVE    THETA=";
    putF(line, theta, 7, 2, theta < 0);
    line += " DEG,  PHI=";
    putF(line, phi, 7, 2, phi < 0);
    line += " DEG,  ETA=";
    putF(line, eta, 7, 2, eta < 0);
    line += " DEG,  TYPE -";
    putA(line, type, 6);
    line += "=  AXIAL RATIO=";
    putF(line, ratio, 6, 3, ratio < 0);
    return true;
}

// "RANGE:  1.000000E+04 METERS" and "EXP(-JKR)/R:  1.00000E-04 AT PHASE: -241.60 DEGREES"
bool RowConverter::range(std::string_view rangeLine, std::string_view phaseLine, std::string& range, std::string& phase)
{
    double r = 0, e = 0, p = 0;
    if (!leadingReal(afterText(rangeLine, "RANGE:"), r) || !leadingReal(afterText(phaseLine, "EXP(-JKR)/R:"), e)
        || !leadingReal(afterText(phaseLine, "AT PHASE:"), p))
        return false;
    range = blanks(54) + "RANGE=";
    putE(range, r, 13, 6);
    range += " METERS";
    phase = blanks(54) + "EXP(-JKR)/R=";
    putE(phase, e, 12, 5);
    phase += " AT PHASE";
    putF(phase, p, 7, 2, p < 0);
    phase += " DEGREES";
    return true;
}

std::string RowConverter::environment(std::string_view t)
{
    std::string line;
    double value = 0;
    if (t == "FREE SPACE") {
        line = blanks(44) + "FREE SPACE";
    } else if (t == "PERFECT GROUND") {
        line = blanks(42) + "PERFECT GROUND";
    } else if (startsWith(t, "FINITE GROUND - ")) {
        line = blanks(40) + "FINITE GROUND.  " + std::string(t.substr(16));
    } else if (startsWith(t, "RELATIVE DIELECTRIC CONST:") && leadingReal(afterText(t, ":"), value)) {
        line = blanks(40) + "RELATIVE DIELECTRIC CONST.=";
        putF(line, value, 7, 3, false);
    } else if (startsWith(t, "CONDUCTIVITY:") && leadingReal(afterText(t, ":"), value)) {
        line = blanks(40) + "CONDUCTIVITY=";
        putE(line, value, 10, 3);
        line += " MHOS/METER";
    } else if (startsWith(t, "COMPLEX DIELECTRIC CONSTANT:")) {
        line = blanks(40) + "COMPLEX DIELECTRIC CONSTANT=";
        if (!complexPair(afterText(t, ":"), line))
            line = blanks(40) + std::string(t);
    } else {
        // Any other line keeps its text, from the classic column 41 on.
        line = blanks(40) + std::string(t);
    }
    return line;
}

// "INPUT POWER   =  6.7393E-03 Watts" -> "INPUT POWER   = 6.7393E-03 WATTS" from column 44.
std::string RowConverter::powerBudget(std::string_view t)
{
    const auto eq = t.find('=');
    double value = 0;
    const std::string_view rest = eq == std::string_view::npos ? std::string_view() : trimBlanks(t.substr(eq + 1));
    const auto blank = rest.find(' ');
    if (eq == std::string_view::npos || blank == std::string_view::npos
        || !numtext::parseReal(rest.substr(0, blank), value))
        return blanks(43) + std::string(t);
    std::string unit(trimBlanks(rest.substr(blank)));
    for (char& c : unit)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    std::string line = blanks(43) + std::string(t.substr(0, eq + 1));
    if (unit == "PERCENT")
        putF(line, value, 7, 2, value < 0);
    else
        putE(line, value, 11, 4);
    line += ' ';
    line += unit;
    return line;
}

// "FREQUENCY : 1.4000E+01 MHz" and "WAVELENGTH: 2.1414E+01 Mtr".
bool RowConverter::frequency(std::string_view frequencyLine, std::string_view wavelengthLine, std::string& frequencyOut,
                             std::string& wavelengthOut)
{
    const std::string_view fl = trimBlanks(frequencyLine);
    const std::string_view wl = trimBlanks(wavelengthLine);
    double f = 0, w = 0;
    if (!startsWith(fl, "FREQUENCY") || !startsWith(wl, "WAVELENGTH") || !leadingReal(afterText(fl, ":"), f))
        return false;
    frequencyOut = blanks(36) + "FREQUENCY=";
    putE(frequencyOut, f, 11, 4);
    frequencyOut += " MHZ";
    wavelengthOut = blanks(36) + "WAVELENGTH=";
    if (leadingReal(afterText(wl, ":"), w)) {
        putE(wavelengthOut, w, 11, 4);
    } else {
        // At a frequency of 0 the engine writes "INF": the word stays, in the field.
        std::string_view word = trimBlanks(afterText(wl, ":"));
        word = word.substr(0, std::min(word.find(' '), std::size_t{11}));
        wavelengthOut += blanks(11 - static_cast<int>(word.size())) + std::string(word);
    }
    wavelengthOut += " METERS";
    return true;
}

// Position, orientation and dipole moment:
// (4X,'CURRENT SOURCE',1X,3F13.5,1X,2F10.2,F12.3).
bool RowConverter::currentSource(std::string_view values, std::string& line)
{
    splitWords(values, words_);
    double v[6];
    if (words_.size() != 6 || !readReals(words_, 0, 6, v))
        return false;
    line = "    CURRENT SOURCE ";
    for (int i = 0; i < 3; ++i)
        putF(line, v[i], 13, 5, negativeText(words_[static_cast<std::size_t>(i)]));
    line += ' ';
    putF(line, v[3], 10, 2, negativeText(words_[3]));
    putF(line, v[4], 10, 2, negativeText(words_[4]));
    putF(line, v[5], 12, 3, negativeText(words_[5]));
    return true;
}

// nec2c: "  DATA CARD No:   3 EX   5     1    12 ...", classic:
// " ***** DATA CARD NO.  3   EX   5     1    12 ..."; the fields from the card name on
// stand in the same order and widths.
bool RowConverter::cardEcho(std::string_view line, std::string& out, CardEcho& card)
{
    constexpr std::string_view kPrefix = "  DATA CARD No:";
    constexpr std::size_t kNameColumn = 20; // 0-based: the card name
    long long number = 0;
    if (!startsWith(line, kPrefix) || line.size() < kNameColumn + 2
        || !numtext::parseTrimmedInteger(line.substr(kPrefix.size(), kNameColumn - kPrefix.size()), number))
        return false;
    out = " ***** DATA CARD NO.";
    putI(out, number, 3);
    out += "   ";
    out += line.substr(kNameColumn);
    splitWords(line.substr(kNameColumn), words_);
    card = CardEcho{};
    if (!words_.empty())
        card.name = words_[0];
    card.hasIntegers = words_.size() >= 4 && readIntegers(words_, 1, 3, card.integers);
    return true;
}

bool RowConverter::patternLabels(std::string_view nec2cLabels, std::string& out)
{
    splitWords(nec2cLabels, words_);
    if (words_.size() < 5)
        return false;
    out = classictexts::kPatternLabelsStart;
    putLabel(out, words_[2]);
    putLabel(out, words_[3]);
    out += classictexts::kPatternLabelsEnd;
    return true;
}

} // namespace vrnnec::engine::classicrows