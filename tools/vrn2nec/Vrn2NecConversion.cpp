#include "Vrn2NecConversion.h"

#include "common/CoatParameters.h"
#include "common/NumberText.h"
#include "engine/Conversion.h"

#include <ostream>

namespace vrn2nec {

namespace {

// The coat and shrink parameters; an empty text, or the message of a failed check.
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
    if (options.shrink)
        return coat::computeShrink(options.shrink->percent, options.shrink->x, options.shrink->y, options.shrink->z,
                                   parameters);
    return {};
}

const char* yesNo(bool value) { return value ? "yes" : "no"; }

} // namespace

int ConvertAntenna(const Options& options, std::ostream& out, std::ostream& err, ConversionReport& report)
{
    coat::CoatParameters coatValues;
    const std::string coatProblem = coatParameters(options, coatValues);
    if (!coatProblem.empty()) {
        err << coatProblem << "\n";
        return 1;
    }

    conversion::ConversionOptions settings = options.conversion;
    settings.coat = coatValues;
    const engine::ConversionResult result = engine::convertAntenna(options.input, options.deck, settings);
    if (!result.error.empty()) {
        err << result.error << "\n";
        return 1;
    }
    const double frequency = result.frequencyMHz, height = result.heightM, azimuth = result.azimuthDeg;
    const double theta = settings.thetaDeg;
    const bool sommerfeld = result.sommerfeldUsed;
    report = ConversionReport{options.deck, frequency, height, azimuth, theta, sommerfeld};
    out << "Deck: " << options.deck << "\n"
        << "Frequency: " << numtext::general(frequency) << " MHz\n"
        << "Height: " << numtext::general(height) << " m\n"
        << "Azimuth: " << numtext::general(azimuth) << " deg\n"
        << "Sommerfeld GN card: " << yesNo(sommerfeld) << "\n";
    return 0;
}

} // namespace vrn2nec
