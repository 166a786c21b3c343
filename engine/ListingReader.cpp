#include "engine/ListingReader.h"

#include "common/NumberText.h"
#include "common/TextLines.h"

#include <cmath>

namespace engine {

namespace {

constexpr const char* kOpenFailed = "Error opening NEC-2 output file Outdata.txo";
constexpr const char* kNoSegmentation = "SEGMENTATION data in output NEC-2 file not found.";
constexpr const char* kBadSegmentation =
    "Invalid SEGMENTATION DATA data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
constexpr const char* kNoFrequency = "FREQUENCY data in output NEC-2 file not found.";
constexpr const char* kBadFrequency =
    "Invalid FREQUENCY data (may be due to incorrect FR cards in NEC-2 input). See NEC-2 output file.";
constexpr const char* kNoEnvironment = "ANTENNA ENVIRONMENT in output NEC-2 file not found.";
constexpr const char* kNoExcitation = "Impedance or exitation data in output NEC-2 file not found.";
constexpr const char* kBadInputParameters =
    "Invalid ANTENNA INPUT PARAMETERS data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
constexpr const char* kNoCurrents = "CURRENTS data in output NEC-2 file not found.";
constexpr const char* kNoPattern = "Radiation pattern data in output NEC-2 file not found.";
constexpr const char* kBadPattern =
    "Radiation pattern data in Output NEC-2 file are ivalid (may be due to incorrect RP card in NEC-2 input). See NEC-2 output file.";

// Fields of the rows.
constexpr int kSegmentTagFrom = 94, kSegmentTagTo = 100;
constexpr int kFrequencyFrom = 47, kFrequencyTo = 58;
constexpr int kWavelengthFrom = 48, kWavelengthTo = 59;
constexpr int kEnvironmentTextColumn = 41;
constexpr int kSourceTagFrom = 1, kSourceTagTo = 6;
constexpr int kImpedanceRFrom = 61, kImpedanceRTo = 72;
constexpr int kImpedanceXFrom = 73, kImpedanceXTo = 84;
constexpr int kAdmittanceReFrom = 85, kAdmittanceReTo = 96;
constexpr int kAdmittanceImFrom = 97, kAdmittanceImTo = 108;
constexpr int kPlaneWaveFrom = 5, kPlaneWaveTo = 14;
constexpr int kThetaFrom = 1, kThetaTo = 8;
constexpr int kPhiFrom = 10, kPhiTo = 17;
constexpr int kTotalGainFrom = 37, kTotalGainTo = 44;

// Lines between a heading and its first row.
constexpr int kSegmentationSkip = 8;
constexpr int kInputParametersSkip = 3;
constexpr int kCurrentsSkip = 6;
constexpr int kPatternHeaderLines = 4;

bool matches(std::string_view line, const ListingHeading& heading)
{
    return textlines::columns(line, heading.from, heading.to) == heading.text;
}

// The listing as a stream of lines. After the end of the file every read yields an
// empty line and reports false.
class Listing {
public:
    explicit Listing(const std::string& path) : reader_(path) {}
    bool isOpen() const { return reader_.isOpen(); }
    void close() { reader_.close(); }

    bool next(std::string& line) { return reader_.next(line); }

    void skip(int count)
    {
        for (int i = 0; i < count; ++i)
            reader_.next(scratch_);
    }

    // Reads lines until one matches `first` or `second`; returns the matching heading
    // (nullptr at the end of the file). Every line read is appended to `collect`.
    const ListingHeading* find(const ListingHeading& first, const ListingHeading* second = nullptr,
                               std::vector<std::string>* collect = nullptr,
                               std::string* headingLine = nullptr)
    {
        while (reader_.next(scratch_)) {
            if (collect)
                collect->push_back(scratch_);
            const ListingHeading* found = nullptr;
            if (matches(scratch_, first))
                found = &first;
            else if (second && matches(scratch_, *second))
                found = second;
            if (found) {
                if (headingLine)
                    *headingLine = scratch_;
                return found;
            }
        }
        return nullptr;
    }

private:
    textlines::LineReader reader_;
    std::string scratch_;
};

// Memo writing in the four memos' order.
enum MemoSet : unsigned {
    kScreen = 1u,   // ImpedanceScreen
    kScreen1 = 2u,  // ImpedanceScreen1
    kMemo1 = 4u,    // Memo1
    kSheet = 8u,    // NEC2ResultSheetScreen
    kAllMemos = 15u,
};

void write(MemoLines& memos, unsigned which, const std::string& line)
{
    if (which & kScreen)
        memos.impedanceScreen.push_back(line);
    if (which & kScreen1)
        memos.impedanceScreen1.push_back(line);
    if (which & kMemo1)
        memos.memo1.push_back(line);
    if (which & kSheet)
        memos.nec2ResultSheetScreen.push_back(line);
}

EngineOutput& stop(EngineOutput& out, const char* message)
{
    out.message = message;
    return out;
}

// Reads the rows of a pattern block into `gains` (total gain), appending every line to
// `lines`; on success `last` is the last row.
bool readPatternRows(Listing& listing, int count, std::vector<double>& gains,
                     std::vector<std::string>& lines, std::string& last)
{
    std::string line;
    for (int i = 0; i < kPatternHeaderLines; ++i) {
        listing.next(line);
        lines.push_back(line);
    }
    gains.assign(count, 0.0);
    for (int k = 0; k < count; ++k) {
        listing.next(line);
        lines.push_back(line);
        if (!textlines::columnReal(line, kTotalGainFrom, kTotalGainTo, gains[k]))
            return false;
    }
    last = line;
    return true;
}

std::string integerText(long long value)
{
    return std::to_string(value);
}

} // namespace

std::string GroundLabel(const std::string& environmentText)
{
    if (environmentText == "FINITE GROUND.  SOMMERFELD SOLUTION")
        return "Som.";
    if (environmentText == "  PERFECT GROUND")
        return "Perf.";
    if (environmentText == "    FREE SPACE")
        return "Fr.Sp.";
    if (environmentText == "FINITE GROUND.  REFLECTION COEFFICIENT APPROXIMATION")
        return "Refl.";
    return "NA";
}

std::string SourceLine(long long tag, double r, double x, double swr, const SwrReference& reference)
{
    std::string line = "Source in wire N " + integerText(tag) + ":      Z=" + numtext::fixed(r, 8, 3);
    line += x >= 0 ? " + j " : " - j ";
    line += numtext::fixed(std::fabs(x), 8, 3);
    line += "   SWR(" + numtext::general(reference.r);
    line += reference.x >= 0 ? "+j" + numtext::general(reference.x)
                             : "-j" + numtext::general(std::fabs(reference.x));
    line += ")=" + SwrText(swr);
    return line;
}

EngineOutput ReadEngineOutput(const std::string& listingPath, const ReadingInputs& inputs,
                              SwrReference& swrReference)
{
    EngineOutput out;
    const std::string runText = integerText(inputs.runNumber);

    out.stage = ReadingStage::OpenListing;
    Listing listing(listingPath);
    if (!listing.isOpen())
        return stop(out, kOpenFailed);

    // Segment tags.
    out.stage = ReadingStage::Segmentation;
    out.tags.emplace();
    std::vector<std::string>& tags = *out.tags;
    if (!listing.find(kSegmentationHeading))
        return stop(out, kNoSegmentation);
    listing.skip(kSegmentationSkip);
    std::string line;
    long long tag = 0;
    listing.next(line);
    if (!textlines::columnInteger(line, kSegmentTagFrom, kSegmentTagTo, tag))
        return stop(out, kBadSegmentation);
    tags.push_back(integerText(tag));
    for (;;) {
        // A line that is empty because the file has ended counts as a row (and fails).
        if (listing.next(line) && line.empty())
            break;
        if (!textlines::columnInteger(line, kSegmentTagFrom, kSegmentTagTo, tag))
            return stop(out, kBadSegmentation);
        std::string text = integerText(tag);
        if (text != tags.back())
            tags.push_back(std::move(text));
    }

    // Frequency and wavelength.
    out.stage = ReadingStage::Frequency;
    if (!listing.find(kFrequencyHeading))
        return stop(out, kNoFrequency);
    listing.skip(1);
    double frequency = 0.0;
    listing.next(line);
    if (!textlines::columnReal(line, kFrequencyFrom, kFrequencyTo, frequency))
        return stop(out, kBadFrequency);
    out.frequency = frequency;
    const std::string frequencyText = numtext::general(frequency);
    write(out.memos, kAllMemos, "Frequency:   " + frequencyText + "  MHz");
    double wavelength = 0.0;
    listing.next(line);
    if (!textlines::columnReal(line, kWavelengthFrom, kWavelengthTo, wavelength))
        return stop(out, kBadFrequency);
    out.wavelength = wavelength;

    // Ground environment.
    out.stage = ReadingStage::Environment;
    if (!listing.find(kEnvironmentHeading))
        return stop(out, kNoEnvironment);
    write(out.memos, kScreen, "---Antenna environment---");
    write(out.memos, kScreen1 | kMemo1 | kSheet, "Antenna environment:");
    listing.skip(1);
    listing.next(line);
    out.groundLabel = GroundLabel(std::string(textlines::columnsFrom(line, kEnvironmentTextColumn)));
    for (int i = 0; i < 3 && !line.empty(); ++i) {
        std::string text(textlines::columnsFrom(line, kEnvironmentTextColumn));
        if (!text.empty()) {
            write(out.memos, kAllMemos, text);
            out.environmentLines.push_back(std::move(text));
        }
        listing.next(line);
    }

    // Sources or other excitation.
    out.stage = ReadingStage::Excitation;
    const ListingHeading* excitation = listing.find(kInputParametersHeading, &kExcitationHeading);
    if (!excitation)
        return stop(out, kNoExcitation);
    if (excitation == &kInputParametersHeading) {
        listing.skip(kInputParametersSkip);
        const int rFrom = inputs.readAdmittance ? kAdmittanceReFrom : kImpedanceRFrom;
        const int rTo = inputs.readAdmittance ? kAdmittanceReTo : kImpedanceRTo;
        const int xFrom = inputs.readAdmittance ? kAdmittanceImFrom : kImpedanceXFrom;
        const int xTo = inputs.readAdmittance ? kAdmittanceImTo : kImpedanceXTo;
        while (listing.next(line) && !line.empty()) {
            SourceResult source;
            if (!textlines::columnInteger(line, kSourceTagFrom, kSourceTagTo, source.tag)
                || !textlines::columnReal(line, rFrom, rTo, source.r)
                || !textlines::columnReal(line, xFrom, xTo, source.x))
                return stop(out, kBadInputParameters);
            source.swr = ComputeSwr(source.r, source.x, swrReference);
            write(out.memos, kAllMemos,
                  SourceLine(source.tag, source.r, source.x, source.swr, swrReference));
            std::string swrCell = SwrText(source.swr);
            if (!IsStandardSwrReference(swrReference))
                swrCell += "*";
            out.table.push_back(TableStep{
                true, 0,
                {runText, integerText(source.tag), frequencyText, numtext::fixed(source.r, 8, 3),
                 (source.x >= 0 ? "+j" : "-j") + numtext::fixed(std::fabs(source.x), 8, 3),
                 std::move(swrCell)}});
            out.sources.push_back(source);
        }
    } else {
        std::string second;
        listing.next(line);
        listing.next(second);
        if (textlines::columns(second, kPlaneWaveFrom, kPlaneWaveTo) != "PLANE WAVE") {
            // Three more lines; the last of them is the excitation line.
            listing.skip(2);
            listing.next(second);
        }
        write(out.memos, kAllMemos, "Exitation:");
        write(out.memos, kAllMemos, second);
        out.excitationLine = second;
        out.table.push_back(TableStep{true, 0, {runText, "no src", frequencyText, "NA", "NA", "NA"}});
        listing.skip(1);
    }

    // Currents.
    out.stage = ReadingStage::Currents;
    if (!listing.find(kCurrentsHeading))
        return stop(out, kNoCurrents);
    listing.skip(kCurrentsSkip);
    while (listing.next(line) && !line.empty())
        out.currentLines.push_back(line);

    // Azimuth cut.
    out.stage = ReadingStage::AzimuthPattern;
    std::string heading;
    if (!listing.find(kPatternHeading, nullptr, nullptr, &heading))
        return stop(out, kNoPattern);
    out.patternLines.push_back(heading);
    std::vector<double> az;
    std::string last;
    double theta = 0.0;
    if (!readPatternRows(listing, kAzimuthRows, az, out.patternLines, last)
        || !textlines::columnReal(last, kThetaFrom, kThetaTo, theta)) {
        out.patternLines.clear();
        return stop(out, kBadPattern);
    }
    const double azimuthCutElevation = 90 - theta;
    int kAz = 0; // 0-based: row k + 1
    for (int k = 1; k < kAzimuthRows; ++k)
        if (az[k] > az[kAz])
            kAz = k;
    const double azMax = az[kAz];

    // Elevation cut.
    out.stage = ReadingStage::ElevationPattern;
    if (!listing.find(kPatternHeading, nullptr, &out.patternLines)) {
        out.patternLines.clear();
        return stop(out, kNoPattern);
    }
    std::vector<double> el;
    if (!readPatternRows(listing, kElevationRows, el, out.patternLines, last)) {
        out.patternLines.clear();
        return stop(out, kBadPattern);
    }
    listing.close();
    double phi = 0.0;
    if (!textlines::columnReal(last, kPhiFrom, kPhiTo, phi)) {
        out.patternLines.clear();
        return stop(out, kBadPattern);
    }
    int mEl = 0; // 0-based: row m + 1
    for (int m = 1; m < kElevationRows; ++m)
        if (el[m] > el[mEl])
            mEl = m;
    const double elMax = el[mEl];

    const double maxTotalGain = azMax < elMax ? elMax : azMax;
    // Front-to-back ratio against a floor 30 dB below the overall maximum.
    const double floor = maxTotalGain - 30;
    for (double& gain : az)
        if (gain < floor)
            gain = floor;
    int kBack = kAz + 180;
    if (kBack >= kAzimuthRows)
        kBack -= kAzimuthRows;
    const double frontToBack = az[kAz] - az[kBack];
    const int elevationOfMax = mEl <= 90 ? mEl : 180 - mEl;

    out.azimuthCutElevation = azimuthCutElevation;
    out.azimuthMaxGain = azMax;
    out.azimuthOfMax = kAz;
    out.frontToBack = frontToBack;
    out.elevationCutAzimuth = phi;
    out.elevationMaxGain = elMax;
    out.elevationOfMax = elevationOfMax;
    out.maxTotalGain = maxTotalGain;

    const std::string elevationText = numtext::fixed(azimuthCutElevation, 3, 1);
    const std::string azMaxText = numtext::fixed(azMax, 4, 2);
    const std::string azimuthCutText = numtext::fixed(phi, 3, 1);
    const std::string elMaxText = numtext::fixed(elMax, 4, 2);
    write(out.memos, kScreen, "----- Azimuth diagram -----");
    write(out.memos, kAllMemos, "Elevation angle: " + elevationText + " deg");
    write(out.memos, kAllMemos,
          "Max Gain: " + azMaxText + " dBi" + "  at azimuth: " + integerText(kAz)
              + " deg,  F/B: " + numtext::fixed(frontToBack, 4, 2) + " dB");
    write(out.memos, kScreen, "-----Elevation diagram-----");
    write(out.memos, kAllMemos, "Azimuth angle: " + azimuthCutText + " deg");
    write(out.memos, kAllMemos,
          "Max Gain: " + elMaxText + " dBi at elevation  " + integerText(elevationOfMax) + " deg");
    write(out.memos, kScreen | kMemo1 | kSheet, "***");

    out.table.push_back(TableStep{
        false, 6,
        {out.groundLabel, inputs.heightUnknown ? "NA" : numtext::general(inputs.antennaHeight),
         elevationText, azMaxText, integerText(kAz) + " deg", azimuthCutText, elMaxText,
         integerText(elevationOfMax) + " deg", inputs.coatedRun ? "Diel" : "-"}});

    out.stage = ReadingStage::Complete;
    return out;
}

} // namespace engine
