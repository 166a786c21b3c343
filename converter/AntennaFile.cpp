#include "converter/AntennaFile.h"

#include "common/ListField.h"
#include "common/NumberText.h"
#include "common/TextLines.h"
#include "converter/ConverterMessages.h"

#include <cmath>
#include <filesystem>
#include <system_error>

namespace vrnnec::vrn {

namespace {

constexpr long long kMaxCount = 2147483647; // counts and codes are 32-bit integers
constexpr double kMinRadius = 1e-20;        // m; thinner wires are tapered or broken

// Ends the reading with a message.
struct ReadStop {
    std::string message;
};

// Cuts a real toward zero into the range of a 32-bit count.
long long truncateCount(double value)
{
    if (value >= static_cast<double>(kMaxCount))
        return kMaxCount;
    if (value <= -static_cast<double>(kMaxCount))
        return -kMaxCount;
    return static_cast<long long>(std::trunc(value));
}

// Rounds a real to the nearest count, ties to even, within the range of a 32-bit count.
long long roundCount(double value)
{
    if (value >= static_cast<double>(kMaxCount))
        return kMaxCount;
    if (value <= -static_cast<double>(kMaxCount))
        return -kMaxCount;
    return numtext::roundHalfEven(value);
}

// The fields of one data line, read from left to right.
class DataLine {
public:
    explicit DataLine(std::string_view line) : rest_(line) {}

    std::string_view text() { return listfield::ReadListField(rest_); }

    double real()
    {
        const std::string_view field = text();
        double value = 0;
        if (!numtext::parseReal(field, value))
            throw ReadStop{numtext::invalidFloatMessage(field)};
        return value;
    }

    long long truncated() { return truncateCount(real()); }
    long long rounded() { return roundCount(real()); }

private:
    std::string_view rest_;
};

class FileReader {
public:
    FileReader(const std::string& path, AntennaModel& model, AntennaFileReading& reading)
        : path_(path), model_(model), reading_(reading)
    {}

    void read(std::optional<double> frequencyOverride)
    {
        std::error_code ec;
        if (path_.find('\0') != std::string::npos || std::filesystem::is_directory(path_, ec) || !lines_.open(path_))
            throw ReadStop{messages::fileOpenError(path_)};
        nextLine(); // title
        marker();
        readFrequency(frequencyOverride);
        marker();
        readWires();
        marker();
        readSources();
        marker();
        readLoads();
        marker();
        readSegmentation();
        marker();
        readGround();
        lines_.close();
    }

private:
    const std::string& nextLine()
    {
        lines_.next(line_);
        return line_;
    }

    void marker()
    {
        const std::string& line = nextLine();
        if (line.empty() || line[0] != '*')
            throw ReadStop{messages::fileFormatError(path_)};
    }

    void readFrequency(std::optional<double> frequencyOverride)
    {
        DataLine line(nextLine());
        model_.fileFrequency = line.real();
        reading_.frequencyRead = true;
        model_.frequency = frequencyOverride ? *frequencyOverride : model_.fileFrequency;
        if (std::isinf(model_.frequency))
            throw ReadStop{messages::frequencyNotFinite(path_)};
        if (!(model_.frequency > 0))
            throw ReadStop{messages::frequencyNotPositive(path_)};
    }

    void readWires()
    {
        const std::string& countLine = nextLine();
        DataLine line(countLine);
        const long long count = line.truncated();
        model_.stackPresent = countLine.find(',') != std::string::npos;
        if (model_.stackPresent) {
            StackSpec& stack = model_.stack;
            stack.countY = line.rounded();
            stack.countZ = line.rounded();
            stack.spacingY = line.real();
            stack.spacingZ = line.real();
            stack.mode = line.rounded();
            // Counts below 1 would name copies that do not exist; the tags of all
            // copies must stay 32-bit integers.
            const long long copies = stack.countY * stack.countZ;
            const bool tagsFit = copies <= kMaxCount && (count <= 0 || copies <= kMaxCount / count);
            if (stack.countY < 1 || stack.countZ < 1 || copies <= 1 || !tagsFit)
                throw ReadStop{messages::stackError(path_)};
        }
        for (long long i = 0; i < count; ++i) {
            DataLine wireLine(nextLine());
            WireRecord wire;
            wire.x1 = wireLine.real();
            wire.y1 = wireLine.real();
            wire.z1 = wireLine.real();
            wire.x2 = wireLine.real();
            wire.y2 = wireLine.real();
            wire.z2 = wireLine.real();
            wire.radius = wireLine.real();
            wire.segmentation = wireLine.truncated();
            model_.wires.push_back(wire);
        }
        for (const WireRecord& wire : model_.wires)
            if (!(wire.radius > kMinRadius))
                throw ReadStop{messages::taperedWires(path_)};
    }

    void readSources()
    {
        const long long count = DataLine(nextLine()).truncated();
        std::vector<std::string> tokens;
        for (long long i = 0; i < count; ++i) {
            DataLine line(nextLine());
            tokens.emplace_back(line.text());
            SourceRecord source;
            source.phaseDeg = line.real();
            source.amplitude = line.real();
            model_.sources.push_back(source);
        }
        const std::string tokenError = messages::sourceLineError(path_);
        for (std::size_t i = 0; i < tokens.size(); ++i)
            decode(tokens[i], tokenError, model_.sources[i].wire, model_.sources[i].position);
    }

    void readLoads()
    {
        DataLine countLine(nextLine());
        model_.loadCount = countLine.truncated();
        model_.loadSwitch = countLine.truncated();
        const bool inUse = model_.loadSwitch == 1;
        std::vector<std::string> tokens;
        for (long long i = 0; i < model_.loadCount; ++i) {
            const std::string& text = nextLine();
            if (!inUse) {
                if (lines_.atEnd())
                    break; // the rest would be empty lines, none of them parsed
                continue;
            }
            DataLine line(text);
            tokens.emplace_back(line.text());
            LoadRecord load;
            const long long type = line.truncated();
            if (type == 0) {
                load.type = LoadType::ParallelLcq;
                load.inductance = line.real();
                load.capacitance = line.real();
                load.quality = line.real();
            } else if (type == 1) {
                load.type = LoadType::Impedance;
                load.resistance = line.real();
                load.reactance = line.real();
            } else {
                throw ReadStop{messages::loadTypeError(path_)};
            }
            model_.loads.push_back(load);
        }
        const std::string tokenError = messages::loadLineError(path_);
        for (std::size_t i = 0; i < tokens.size(); ++i)
            decode(tokens[i], tokenError, model_.loads[i].wire, model_.loads[i].position);
    }

    void readSegmentation()
    {
        DataLine line(nextLine());
        model_.densityDm1 = line.truncated();
        model_.densityDm2 = line.truncated();
    }

    void readGround()
    {
        DataLine line(nextLine());
        // Codes that are not known values are kept as they are.
        model_.groundType = static_cast<antenna::GroundType>(line.truncated());
        model_.height = line.real();
        model_.material = static_cast<antenna::WireMaterial>(line.truncated());
    }

    void decode(const std::string& token, const std::string& tokenError, long long& wire, WirePosition& position)
    {
        std::string message =
            DecodePositionToken(token, static_cast<long long>(model_.wires.size()), tokenError, wire, position);
        if (!message.empty())
            throw ReadStop{std::move(message)};
    }

    const std::string& path_;
    AntennaModel& model_;
    AntennaFileReading& reading_;
    textlines::LineReader lines_;
    std::string line_;
};

// 1-based position of the first occurrence of c in text, 0 when absent.
std::size_t positionOf(std::string_view text, char c)
{
    const auto found = text.find(c);
    return found == std::string_view::npos ? 0 : found + 1;
}

} // namespace

std::string DecodePositionToken(std::string_view token, long long wireCount, const std::string& tokenError,
                                long long& wire, WirePosition& position)
{
    if (token.empty() || (token[0] != 'W' && token[0] != 'w'))
        return tokenError;
    // The position letter sits at the sum of the positions of the first b, c and e in
    // either case; a token with exactly one such letter finds it that way.
    std::size_t letterAt = 0;
    for (char letter : {'b', 'B', 'c', 'C', 'e', 'E'})
        letterAt += positionOf(token, letter);
    // The wire number is the text from the second character up to before the letter.
    std::string_view number;
    if (letterAt > 2)
        number = token.substr(1, letterAt - 2);
    long long value = 0;
    if (!numtext::parseInteger(number, value))
        return numtext::invalidIntegerMessage(number);
    // A readable number leaves no room for a second letter, so the letter is there.
    if (letterAt > token.size())
        return tokenError;
    switch (token[letterAt - 1]) {
    case 'b':
    case 'B': position = WirePosition::Begin; break;
    case 'c':
    case 'C': position = WirePosition::Centre; break;
    case 'e':
    case 'E': position = WirePosition::End; break;
    default: return tokenError;
    }
    if (value < 1 || value > wireCount)
        return tokenError;
    wire = value;
    return {};
}

AntennaFileReading ReadAntennaFile(const std::string& path, AntennaModel& model,
                                   std::optional<double> frequencyOverride)
{
    AntennaFileReading reading;
    model = AntennaModel{};
    try {
        FileReader(path, model, reading).read(frequencyOverride);
    } catch (ReadStop& stop) {
        reading.error = std::move(stop.message);
    }
    return reading;
}

} // namespace vrnnec::vrn