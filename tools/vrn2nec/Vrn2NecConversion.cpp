#include "Vrn2NecConversion.h"

#include "common/CoatParameters.h"
#include "common/NumberText.h"
#include "converter/VRN_NEC.h"

#include <cstring>
#include <ostream>

namespace vrn2nec {

namespace {

// A length-byte string buffer of the library's capacity.
struct StringBuffer {
    unsigned char bytes[VRN_NEC_STRING_HIGH + 1] = {};

    explicit StringBuffer(const std::string& text = {})
    {
        bytes[0] = static_cast<unsigned char>(text.size());
        std::memcpy(bytes + 1, text.data(), text.size());
    }
    std::string text() const { return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]); }
};

// The coat and shrink parameters; an empty text, or the message of a failed coat check.
std::string coatParameters(const Options& options, coat::CoatParameters& parameters)
{
    parameters = coat::plainParameters();
    if (options.coat) {
        coat::CoatInputs inputs;
        inputs.wireRadiusMm = options.coat->wireRadiusMm;
        inputs.coatRadiusMm = options.coat->coatRadiusMm;
        inputs.permittivity = options.coat->permittivity;
        if (options.shrink) {
            inputs.shorterPercent = options.shrink->percent;
            inputs.shrinkX = options.shrink->x;
            inputs.shrinkY = options.shrink->y;
            inputs.shrinkZ = options.shrink->z;
        }
        return coat::computeCoatParameters(inputs, parameters);
    }
    if (options.shrink) {
        parameters.shrinkFactor = 1 - options.shrink->percent / 100;
        parameters.shrinkX = options.shrink->x;
        parameters.shrinkY = options.shrink->y;
        parameters.shrinkZ = options.shrink->z;
    }
    return {};
}

const char* yesNo(bool value) { return value ? "yes" : "no"; }

} // namespace

int ConvertAntenna(const Options& options, std::ostream& out, std::ostream& err, ConversionReport& report)
{
    for (const std::string* path : {&options.input, &options.deck}) {
        if (path->size() > kMaxPathBytes) {
            err << "Path longer than " << kMaxPathBytes << " bytes (" << path->size()
                << "), the conversion library cannot take it: " << *path << "\n";
            return 1;
        }
    }
    coat::CoatParameters coatValues;
    const std::string coatProblem = coatParameters(options, coatValues);
    if (!coatProblem.empty()) {
        err << coatProblem << "\n";
        return 1;
    }

    StringBuffer fileName(options.input), deckPath(options.deck), errorText;
    bool useDM2 = options.useDM2, useCSDVS = options.useCSDVS, useEK = options.useEK;
    double azimuth = options.azimuthDeg;
    double theta = 90 - options.elevationDeg;
    bool changeFrequency = options.frequencyMHz.has_value();
    double frequency = options.frequencyMHz.value_or(14);
    bool changeHeight = options.heightM.has_value();
    double height = options.heightM.value_or(30);
    double eps = options.groundEps, sigma = options.groundSigma;
    bool perfectGround = options.perfectGround, sommerfeld = false;
    double wireRadius = coatValues.wireRadius, coatRadius = coatValues.coatRadius;
    double inductance = coatValues.inductance, shrinkFactor = coatValues.shrinkFactor;
    bool shrinkX = coatValues.shrinkX, shrinkY = coatValues.shrinkY, shrinkZ = coatValues.shrinkZ;

    VRN_to_NEC(fileName.bytes, VRN_NEC_STRING_HIGH, deckPath.bytes, VRN_NEC_STRING_HIGH, &useDM2, &useCSDVS,
               &azimuth, &theta, &changeFrequency, &frequency, &changeHeight, &height, &eps, &sigma,
               &perfectGround, &sommerfeld, &wireRadius, &coatRadius, &inductance, &shrinkFactor, &shrinkX,
               &shrinkY, &shrinkZ, &useEK, errorText.bytes, VRN_NEC_STRING_HIGH);

    const std::string message = errorText.text();
    if (!message.empty()) {
        err << message << "\n";
        return 1;
    }
    report = ConversionReport{options.deck, frequency, height, azimuth, theta, sommerfeld};
    out << "Deck: " << options.deck << "\n"
        << "Frequency: " << numtext::general(frequency) << " MHz\n"
        << "Height: " << numtext::general(height) << " m\n"
        << "Azimuth: " << numtext::general(azimuth) << " deg\n"
        << "Sommerfeld GN card: " << yesNo(sommerfeld) << "\n";
    return 0;
}

} // namespace vrn2nec
