#include "analyses/Touchstone.h"

#include "analyses/TextFields.h"

#include "common/AtomicFile.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include <lapacke.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace vrnnec::analyses {

namespace {

ComplexMatrix identityPlus(const ComplexMatrix& m, Complex factor)
{
    ComplexMatrix out(m.size);
    for (int i = 0; i < m.size; ++i)
        for (int j = 0; j < m.size; ++j)
            out.at(i, j) = factor * m.at(i, j) + (i == j ? 1.0 : 0.0);
    return out;
}

// Solves A X = B (both n x n); nothing when A is singular.
std::optional<ComplexMatrix> solve(ComplexMatrix a, ComplexMatrix b)
{
    const int n = a.size;
    if (n == 0)
        return b;
    std::vector<lapack_int> pivots(static_cast<std::size_t>(n));
    static_assert(sizeof(Complex) == sizeof(lapack_complex_double));
    const lapack_int info = LAPACKE_zgesv(LAPACK_ROW_MAJOR, n, n, reinterpret_cast<lapack_complex_double*>(a.values.data()),
                                          n, pivots.data(), reinterpret_cast<lapack_complex_double*>(b.values.data()), n);
    if (info != 0)
        return std::nullopt;
    for (const Complex& v : b.values)
        if (!std::isfinite(v.real()) || !std::isfinite(v.imag()))
            return std::nullopt;
    return b;
}

ComplexMatrix identity(int n)
{
    ComplexMatrix u(n);
    for (int i = 0; i < n; ++i)
        u.at(i, i) = 1.0;
    return u;
}

// Locale-independent number text with 10 significant digits.
std::string number(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 10);
    return std::string(buffer.data(), result.ptr);
}

std::pair<double, double> pairOf(Complex s, TouchstoneFormat format)
{
    const double angle = std::arg(s) * 180 / std::numbers::pi;
    switch (format) {
    case TouchstoneFormat::RI:
        return {s.real(), s.imag()};
    case TouchstoneFormat::MA:
        return {std::abs(s), angle};
    case TouchstoneFormat::DB:
        break;
    }
    return {20 * std::log10(std::abs(s)), angle};
}

Complex fromPair(double a, double b, TouchstoneFormat format)
{
    switch (format) {
    case TouchstoneFormat::RI:
        return {a, b};
    case TouchstoneFormat::MA:
        return std::polar(a, b * std::numbers::pi / 180);
    case TouchstoneFormat::DB:
        break;
    }
    return std::polar(std::pow(10.0, a / 20), b * std::numbers::pi / 180);
}

const char* formatName(TouchstoneFormat format)
{
    switch (format) {
    case TouchstoneFormat::RI:
        return "RI";
    case TouchstoneFormat::MA:
        return "MA";
    case TouchstoneFormat::DB:
        break;
    }
    return "DB";
}

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string> words(std::string_view text)
{
    return SplitFields(text, " \t\r");
}

MeasuredSweep failed(std::size_t lineNumber, std::string_view line, const std::string& why)
{
    MeasuredSweep out;
    std::string shown(line.substr(0, 80));
    if (!shown.empty() && shown.back() == '\r')
        shown.pop_back();
    out.message = "Line " + std::to_string(lineNumber) + ": " + why + ": \"" + shown + "\"";
    return out;
}

} // namespace

Complex ReflectionCoefficient(Complex z, double reference)
{
    return (z - reference) / (z + reference);
}

Complex ImpedanceFromReflection(Complex s, double reference)
{
    return reference * (1.0 + s) / (1.0 - s);
}

std::optional<ComplexMatrix> ScatteringFromAdmittance(const ComplexMatrix& y, double reference)
{
    return solve(identityPlus(y, reference), identityPlus(y, -reference));
}

std::optional<ComplexMatrix> AdmittanceFromScattering(const ComplexMatrix& s, double reference)
{
    // (U + S)^-1 (U - S) / Zref: the factors commute as well.
    auto y = solve(identityPlus(s, 1.0), identityPlus(s, -1.0));
    if (y)
        for (Complex& v : y->values)
            v /= reference;
    return y;
}

std::optional<ComplexMatrix> Inverse(const ComplexMatrix& a)
{
    return solve(a, identity(a.size));
}

std::optional<TouchstoneFormat> ParseTouchstoneFormat(std::string_view text)
{
    const std::string u = upper(text);
    if (u == "RI")
        return TouchstoneFormat::RI;
    if (u == "MA")
        return TouchstoneFormat::MA;
    if (u == "DB")
        return TouchstoneFormat::DB;
    return std::nullopt;
}

std::string TouchstoneReferenceMessage(double x)
{
    if (x == 0)
        return {};
    return "Touchstone files take a real reference impedance only: set the reactance of the SWR reference to 0.";
}

std::string TouchstoneText(const std::vector<TouchstonePoint>& points, double reference, TouchstoneFormat format,
                           const std::vector<std::string>& comments)
{
    std::string text;
    for (const std::string& comment : comments)
        text += "! " + comment + "\n";
    text += std::string("# MHZ S ") + formatName(format) + " R " + number(reference) + "\n";
    for (const TouchstonePoint& point : points) {
        const int n = point.s.size;
        const auto pairText = [&](int i, int j) {
            const auto [a, b] = pairOf(point.s.at(i, j), format);
            return " " + number(a) + " " + number(b);
        };
        const std::string frequency = numtext::general(point.frequency);
        if (n <= 2) {
            text += frequency;
            if (n == 1)
                text += pairText(0, 0);
            else
                text += pairText(0, 0) + pairText(1, 0) + pairText(0, 1) + pairText(1, 1);
            text += "\n";
            continue;
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; j += 4) {
                text += i == 0 && j == 0 ? frequency : std::string(frequency.size(), ' ');
                for (int k = j; k < std::min(n, j + 4); ++k)
                    text += pairText(i, k);
                text += "\n";
            }
    }
    return text;
}

std::string TouchstoneExtension(int ports)
{
    return ".s" + std::to_string(ports) + "p";
}

std::string WriteTouchstone(const std::string& path, const std::vector<TouchstonePoint>& points, double reference,
                            TouchstoneFormat format, const std::vector<std::string>& comments)
{
    if (!atomicfile::WriteFileAtomically(path, TouchstoneText(points, reference, format, comments)).empty())
        return atomicfile::UnableToWriteMessage(path);
    return {};
}

MeasuredSweep ParseTouchstoneOnePort(std::string_view text)
{
    MeasuredSweep out;
    double unit = 1000; // GHz in MHz
    TouchstoneFormat format = TouchstoneFormat::MA;
    bool optionSeen = false;
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        const std::string_view content = line.substr(0, line.find('!'));
        const std::vector<std::string> items = words(content);
        if (items.empty()) {
            if (end == text.size())
                break;
            continue;
        }
        if (items.front().starts_with('#')) {
            if (optionSeen || !out.frequency.empty())
                return failed(lineNumber, line, "a second option line");
            optionSeen = true;
            std::vector<std::string> options;
            if (items.front().size() > 1)
                options.push_back(upper(items.front().substr(1)));
            for (std::size_t i = 1; i < items.size(); ++i)
                options.push_back(upper(items[i]));
            for (std::size_t i = 0; i < options.size(); ++i) {
                const std::string& o = options[i];
                if (o == "HZ")
                    unit = 1e-6;
                else if (o == "KHZ")
                    unit = 1e-3;
                else if (o == "MHZ")
                    unit = 1;
                else if (o == "GHZ")
                    unit = 1000;
                else if (o == "S")
                    continue;
                else if (const auto f = ParseTouchstoneFormat(o))
                    format = *f;
                else if (o == "R" && i + 1 < options.size()
                         && numtext::parseReal(options[i + 1], out.reference) && out.reference > 0)
                    ++i;
                else if (o == "Y" || o == "Z" || o == "H" || o == "G")
                    return failed(lineNumber, line, "only S parameters can be read");
                else
                    return failed(lineNumber, line, "unknown option \"" + o + "\"");
            }
            continue;
        }
        if (items.size() != 3)
            return failed(lineNumber, line, "a one-port line holds a frequency and two numbers");
        std::array<double, 3> values{};
        for (std::size_t i = 0; i < 3; ++i)
            if (!numtext::parseReal(items[i], values[i]) || !std::isfinite(values[i]))
                return failed(lineNumber, line, "\"" + items[i] + "\" is not a number");
        const double frequency = values[0] * unit;
        if (frequency <= 0 || (!out.frequency.empty() && frequency <= out.frequency.back()))
            return failed(lineNumber, line, "the frequencies must rise above 0");
        out.frequency.push_back(frequency);
        out.s11.push_back(fromPair(values[1], values[2], format));
        if (end == text.size())
            break;
    }
    if (out.frequency.empty()) {
        out.message = "No frequency lines in the file.";
        out.frequency.clear();
    }
    return out;
}

MeasuredSweep ReadTouchstoneOnePort(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        MeasuredSweep out;
        out.message = "Unable to read " + path;
        return out;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return ParseTouchstoneOnePort(text.str());
}

} // namespace vrnnec::analyses
