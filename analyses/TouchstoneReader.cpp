// The reader of measured one-port Touchstone files: plain C++ over the number texts, so
// that it can be fuzzed on its own.
#include "analyses/Touchstone.h"

#include "analyses/TextFields.h"
#include "common/NumberText.h"

#include <array>
#include <cctype>
#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace vrnnec::analyses {

namespace {

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
                else if (o == "R") {
                    if (i + 1 >= options.size() || !numtext::parseReal(options[i + 1], out.reference)
                        || !(out.reference > 0) || !std::isfinite(out.reference))
                        return failed(lineNumber, line, "the reference impedance after R must be a number above 0");
                    ++i;
                }
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
