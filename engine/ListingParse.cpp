#include "engine/ListingParse.h"
#include "engine/ViewerSectionsParse.h"

#include "engine/ListingColumns.h"
#include "engine/ListingFields.h"

#include "common/NumberText.h"
#include "common/TextLines.h"

namespace vrnnec::engine {

namespace {

using fields::integer;
using fields::matches;
using fields::real;

using columns::Field;
using columns::Heading;
namespace msg = listingmessages;

// The listing as a stream of lines. After the end of the file every read yields an
// empty line and reports false.
class Listing {
public:
    explicit Listing(const std::string& path) : reader_(path) {}
    // The listing in `text`, which outlives the reading.
    explicit Listing(std::string_view text) { reader_.openText(text); }
    bool isOpen() const { return reader_.isOpen(); }

    bool next(std::string& line) { return reader_.next(line); }

    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            reader_.next(scratch_);
    }

    // Reads lines until one matches `first` or `second`; returns the matching heading
    // (nullptr at the end of the file).
    const Heading* find(const Heading& first, const Heading* second = nullptr)
    {
        while (reader_.next(scratch_)) {
            if (matches(scratch_, first))
                return &first;
            if (second && matches(scratch_, *second))
                return second;
        }
        return nullptr;
    }

    // Reads lines until one matches any of `headings`; nullptr at the end of the file.
    const Heading* findAny(std::initializer_list<const Heading*> headings)
    {
        while (reader_.next(scratch_))
            for (const Heading* heading : headings)
                if (matches(scratch_, *heading))
                    return heading;
        return nullptr;
    }

    // After a heading: skips to the line before the section's first row.
    void toFirstRow(const Heading& heading) { skip(heading.firstRow - 1); }

private:
    textlines::LineReader reader_;
    std::string scratch_;
};

ListingData& stop(ListingData& data, const char* message)
{
    data.message = message;
    return data;
}

// The rows of a pattern block after its heading; false when a total gain is unreadable.
bool readPatternRows(Listing& listing, int count, std::vector<PatternRow>& rows)
{
    listing.toFirstRow(columns::kPatterns);
    std::string line;
    rows.clear();
    rows.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        listing.next(line);
        rows.push_back(ReadPatternRow(line));
        if (!rows.back().totalGain)
            return false;
    }
    return true;
}

// The rows of a full pattern table after its heading, to its first empty line; false
// when a row has an angle or gain that does not read, or the table has no row.
bool readPatternTable(Listing& listing, std::vector<PatternTableRow>& rows)
{
    listing.toFirstRow(columns::kPatterns);
    std::string line;
    while (listing.next(line) && !line.empty()) {
        PatternTableRow row{ReadPatternRow(line), ReadPatternRowTexts(line)};
        const PatternRow& v = row.values;
        if (!v.theta || !v.phi || !v.verticalGain || !v.horizontalGain || !v.totalGain)
            return false;
        rows.push_back(std::move(row));
    }
    return !rows.empty();
}

// "INPUT POWER   = 4.0511E-03 WATTS": the number after the equals sign.
OptionalReal budgetValue(std::string_view text)
{
    const auto eq = text.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = numtext::trimBlanks(text.substr(eq + 1));
    double value = 0;
    if (!numtext::parseReal(rest.substr(0, rest.find(' ')), value))
        return std::nullopt;
    return value;
}

PowerBudget readPowerBudget(Listing& listing)
{
    PowerBudget budget;
    listing.toFirstRow(columns::kPowerBudget);
    std::string line;
    while (listing.next(line) && !line.empty()) {
        std::string text(textlines::columnsFrom(line, columns::power::kTextColumn));
        const OptionalReal value = budgetValue(text);
        const std::string_view name = numtext::trimBlanks(std::string_view(text).substr(0, text.find('=')));
        if (name == "INPUT POWER")
            budget.inputPower = value;
        else if (name == "RADIATED POWER")
            budget.radiatedPower = value;
        else if (name == "STRUCTURE LOSS")
            budget.structureLoss = value;
        else if (name == "NETWORK LOSS")
            budget.networkLoss = value;
        else if (name == "EFFICIENCY")
            budget.efficiency = value;
        budget.lines.push_back(std::move(text));
    }
    return budget;
}

// The rows of a table up to its first empty line.
template <typename Row>
void readRows(Listing& listing, const Heading& heading, Row (*read)(std::string_view), std::vector<Row>& rows)
{
    listing.toFirstRow(heading);
    std::string line;
    while (listing.next(line) && !line.empty())
        rows.push_back(read(line));
}

// The frequency blocks after the first of a multi-frequency run. They are read as far as
// they go: a section missing from a block stays empty, an unreadable value unset.
void readFurtherBlocks(Listing& listing, ListingData& data)
{
    using namespace columns;
    FrequencyBlock* block = nullptr;
    std::string line;
    while (const Heading* heading = listing.findAny(
               {&kFrequency, &kEnvironment, &kInputParameters, &kCurrents, &kPowerBudget, &kPatterns})) {
        if (heading == &kFrequency) {
            block = &data.blocks.emplace_back();
            listing.toFirstRow(kFrequency);
            listing.next(line);
            block->frequency = real(line, frequency::kFrequency);
            listing.next(line);
            block->wavelength = real(line, frequency::kWavelength);
            continue;
        }
        if (!block)
            continue; // further sections of the first block
        if (heading == &kEnvironment) {
            block->environmentFound = true;
            listing.toFirstRow(kEnvironment);
            for (int i = 0; i < 3 && listing.next(line) && !line.empty(); ++i) {
                std::string text(textlines::columnsFrom(line, environment::kTextColumn));
                if (i == 0)
                    block->environmentText = text;
                if (!text.empty())
                    block->environmentLines.push_back(std::move(text));
            }
        } else if (heading == &kInputParameters) {
            readRows(listing, kInputParameters, &ReadSourceRow, block->sources);
        } else if (heading == &kCurrents) {
            block->currentsFound = true;
            readRows(listing, kCurrents, &ReadCurrentRow, block->currents);
        } else if (heading == &kPowerBudget) {
            block->powerBudget = readPowerBudget(listing);
        } else {
            std::vector<PatternRow>& cut =
                block->patterns.azimuth.empty() ? block->patterns.azimuth : block->patterns.elevation;
            if (cut.empty())
                readRows(listing, kPatterns, &ReadPatternRow, cut);
        }
    }
}

} // namespace

SourceRow ReadSourceRow(std::string_view line)
{
    namespace c = columns::source;
    SourceRow row;
    row.tag = integer(line, c::kTag);
    row.slopeDiscontinuity = textlines::columns(line, c::kSlopeMarkColumn, c::kSlopeMarkColumn) == "*";
    row.segment = integer(line, row.slopeDiscontinuity ? Field{c::kSlopeMarkColumn + 1, c::kSegment.to} : c::kSegment);
    row.voltageReal = real(line, c::kVoltageReal);
    row.voltageImaginary = real(line, c::kVoltageImaginary);
    row.currentReal = real(line, c::kCurrentReal);
    row.currentImaginary = real(line, c::kCurrentImaginary);
    row.impedanceReal = real(line, c::kImpedanceReal);
    row.impedanceImaginary = real(line, c::kImpedanceImaginary);
    row.admittanceReal = real(line, c::kAdmittanceReal);
    row.admittanceImaginary = real(line, c::kAdmittanceImaginary);
    row.power = real(line, c::kPower);
    return row;
}

CurrentRow ReadCurrentRow(std::string_view line)
{
    namespace c = columns::current;
    CurrentRow row;
    row.segment = integer(line, c::kSegment);
    row.tag = integer(line, c::kTag);
    row.x = real(line, c::kX);
    row.y = real(line, c::kY);
    row.z = real(line, c::kZ);
    row.length = real(line, c::kLength);
    row.real = real(line, c::kReal);
    row.imaginary = real(line, c::kImaginary);
    row.magnitude = real(line, c::kMagnitude);
    row.phase = real(line, c::kPhase);
    row.chartPhase = real(line, c::kChartPhase);
    return row;
}

PatternRowTexts ReadPatternRowTexts(std::string_view line)
{
    namespace c = columns::pattern;
    const auto text = [line](columns::Field f) {
        return std::string(numtext::trimBlanks(textlines::columns(line, f.from, f.to)));
    };
    return PatternRowTexts{text(c::kTheta), text(c::kPhi), text(c::kVerticalGain), text(c::kHorizontalGain),
                           text(c::kTotalGain)};
}

PatternRow ReadPatternRow(std::string_view line)
{
    namespace c = columns::pattern;
    PatternRow row;
    row.theta = real(line, c::kTheta);
    row.phi = real(line, c::kPhi);
    row.verticalGain = real(line, c::kVerticalGain);
    row.horizontalGain = real(line, c::kHorizontalGain);
    row.totalGain = real(line, c::kTotalGain);
    return row;
}

namespace {

ListingData parse(Listing& listing, const ParseOptions& options)
{
    ListingData data;
    data.stage = ReadingStage::OpenListing;
    if (!listing.isOpen())
        return stop(data, msg::kOpenFailed);
    data.opened = true;

    // Segment tags.
    data.stage = ReadingStage::Segmentation;
    if (!listing.find(columns::kSegmentation))
        return stop(data, msg::kNoSegmentation);
    listing.toFirstRow(columns::kSegmentation);
    std::string line;
    listing.next(line);
    for (;;) {
        const OptionalInteger tag = integer(line, columns::segment::kTag);
        if (!tag)
            return stop(data, msg::kBadSegmentation);
        data.segmentTags.push_back(*tag);
        // A line that is empty because the file has ended counts as a row (and fails).
        if (listing.next(line) && line.empty())
            break;
    }

    // Frequency and wavelength.
    data.stage = ReadingStage::Frequency;
    FrequencyBlock& block = data.blocks.emplace_back();
    if (!listing.find(columns::kFrequency))
        return stop(data, msg::kNoFrequency);
    listing.toFirstRow(columns::kFrequency);
    listing.next(line);
    block.frequency = real(line, columns::frequency::kFrequency);
    if (!block.frequency)
        return stop(data, msg::kBadFrequency);
    listing.next(line);
    block.wavelength = real(line, columns::frequency::kWavelength);
    if (!block.wavelength)
        return stop(data, msg::kBadFrequency);

    // Ground environment: up to three lines, ending early at an empty one.
    data.stage = ReadingStage::Environment;
    if (!listing.find(columns::kEnvironment))
        return stop(data, msg::kNoEnvironment);
    block.environmentFound = true;
    listing.toFirstRow(columns::kEnvironment);
    listing.next(line);
    block.environmentText = std::string(textlines::columnsFrom(line, columns::environment::kTextColumn));
    for (int i = 0; i < 3 && !line.empty(); ++i) {
        std::string text(textlines::columnsFrom(line, columns::environment::kTextColumn));
        if (!text.empty())
            block.environmentLines.push_back(std::move(text));
        listing.next(line);
    }

    // Sources, or another excitation.
    data.stage = ReadingStage::Excitation;
    const Heading* excitation = listing.find(columns::kInputParameters, &columns::kExcitation);
    if (!excitation)
        return stop(data, msg::kNoExcitation);
    if (excitation == &columns::kInputParameters) {
        listing.toFirstRow(columns::kInputParameters);
        while (listing.next(line) && !line.empty()) {
            SourceRow row = ReadSourceRow(line);
            const bool readable = options.readAdmittance ? row.admittanceReal && row.admittanceImaginary
                                                         : row.impedanceReal && row.impedanceImaginary;
            if (!row.tag || !readable)
                return stop(data, msg::kBadInputParameters);
            block.sources.push_back(row);
        }
    } else {
        std::string second;
        listing.next(line);
        listing.next(second);
        if (textlines::columns(second, columns::excitation::kPlaneWave.from, columns::excitation::kPlaneWave.to)
            != "PLANE WAVE") {
            // Three more lines; the last of them is the excitation line.
            listing.skip(2);
            listing.next(second);
        }
        block.excitationLine = second;
        listing.skip(1);
    }

    // Currents.
    data.stage = ReadingStage::Currents;
    if (!listing.find(columns::kCurrents))
        return stop(data, msg::kNoCurrents);
    block.currentsFound = true;
    listing.toFirstRow(columns::kCurrents);
    while (listing.next(line) && !line.empty())
        block.currents.push_back(ReadCurrentRow(line));

    // The power budget when there is one, then the azimuth cut.
    data.stage = ReadingStage::AzimuthPattern;
    const Heading* found = listing.find(columns::kPatterns, &columns::kPowerBudget);
    if (found == &columns::kPowerBudget) {
        block.powerBudget = readPowerBudget(listing);
        found = listing.find(columns::kPatterns);
    }
    if (!found)
        return stop(data, msg::kNoPattern);
    if (options.fullPattern) {
        if (!readPatternTable(listing, block.fullPattern)) {
            block.fullPattern.clear();
            return stop(data, msg::kBadPattern);
        }
        data.stage = ReadingStage::Complete;
        return data;
    }
    PatternCuts cuts;
    if (!readPatternRows(listing, kAzimuthRows, cuts.azimuth) || !cuts.azimuth.back().theta)
        return stop(data, msg::kBadPattern);

    // Elevation cut.
    data.stage = ReadingStage::ElevationPattern;
    if (!listing.find(columns::kPatterns))
        return stop(data, msg::kNoPattern);
    if (!readPatternRows(listing, kElevationRows, cuts.elevation) || !cuts.elevation.back().phi)
        return stop(data, msg::kBadPattern);
    // The elevation cut runs from THETA 90 down to THETA -90; anything else (another
    // frequency's block, a different RP card) is not the cut the diagrams show.
    if (cuts.elevation.front().theta != std::optional<double>(90.0)
        || cuts.elevation.back().theta != std::optional<double>(-90.0))
        return stop(data, msg::kBadPattern);

    block.patterns = std::move(cuts);
    data.stage = ReadingStage::Complete;
    readFurtherBlocks(listing, data);
    return data;
}

} // namespace

ListingData ParseListing(const std::string& listingPath, const ParseOptions& options)
{
    if (!options.viewerSections) {
        Listing listing(listingPath);
        return parse(listing, options);
    }
    // One reading of the file for both: the viewer shows the listing the results came from.
    std::string text;
    if (!textlines::readFileText(listingPath, text)) {
        ListingData data;
        return stop(data, msg::kOpenFailed);
    }
    Listing listing{std::string_view(text)};
    ListingData data = parse(listing, options);
    data.viewer = ParseViewerSectionsText(text);
    return data;
}

} // namespace vrnnec::engine
