#include "engine/Conversion.h"

#include "converter/VRN_NEC.h"

#include <array>
#include <cmath>
#include <cstring>

namespace vrnnec::engine {

namespace {

using Buffer = std::array<unsigned char, kMaxPathBytes + 1>;

Buffer toBuffer(const std::string& text)
{
    Buffer buffer{};
    buffer[0] = static_cast<unsigned char>(text.size());
    std::memcpy(buffer.data() + 1, text.data(), text.size());
    return buffer;
}

std::string fromBuffer(const Buffer& buffer)
{
    return std::string(reinterpret_cast<const char*>(buffer.data() + 1), buffer[0]);
}

} // namespace

std::string checkPathLength(const std::string& path)
{
    if (path.size() <= kMaxPathBytes)
        return {};
    std::string text = "Path longer than 255 bytes (" + std::to_string(path.size())
        + "), the conversion cannot take it. Please move the file to a shorter path: " + path;
    return text.substr(0, 255);
}

std::string checkConversionValues(const conversion::ConversionOptions& o)
{
    if (o.perfectGround)
        return {};
    if (std::isfinite(o.groundEps) && o.groundEps < 1)
        return "Relative dielectric constant of the ground must not be lower than 1.";
    if (std::isfinite(o.groundSigma) && o.groundSigma < 0)
        return "Conductivity of the ground must not be negative.";
    return {};
}

ConversionResult convertAntenna(const std::string& antennaPath, const std::string& deckPath,
                                const conversion::ConversionOptions& s)
{
    // A refusal before the call leaves the written-back values as they were given.
    ConversionResult result;
    result.frequencyMHz = s.frequencyMHz;
    result.heightM = s.heightM;
    result.azimuthDeg = s.azimuthDeg;
    result.error = checkConversionValues(s);
    if (result.error.empty())
        result.error = checkPathLength(antennaPath);
    if (result.error.empty())
        result.error = checkPathLength(deckPath);
    if (!result.error.empty())
        return result;
    Buffer file = toBuffer(antennaPath);
    Buffer deck = toBuffer(deckPath);
    Buffer error{};

    bool useDM2 = s.useDM2, useCSDVS = s.useCSDVS, useEK = s.useEK;
    double azimuth = s.azimuthDeg, theta = s.thetaDeg;
    bool changeFrequency = s.changeFrequency, changeHeight = s.changeHeight;
    double frequency = s.frequencyMHz, height = s.heightM;
    double eps = s.groundEps, sigma = s.groundSigma;
    bool perfect = s.perfectGround, sommerfeld = false;
    double wireRadius = s.coat.wireRadius, coatRadius = s.coat.coatRadius, inductance = s.coat.inductance;
    double shrink = s.coat.shrinkFactor;
    bool shrinkX = s.coat.shrinkX, shrinkY = s.coat.shrinkY, shrinkZ = s.coat.shrinkZ;

    VRN_to_NEC(file.data(), static_cast<int32_t>(kMaxPathBytes), deck.data(), static_cast<int32_t>(kMaxPathBytes),
               &useDM2, &useCSDVS, &azimuth, &theta, &changeFrequency, &frequency, &changeHeight, &height, &eps, &sigma,
               &perfect, &sommerfeld, &wireRadius, &coatRadius, &inductance, &shrink, &shrinkX, &shrinkY, &shrinkZ,
               &useEK, error.data(), static_cast<int32_t>(kMaxPathBytes));

    result.error = fromBuffer(error);
    result.frequencyMHz = frequency;
    result.heightM = height;
    result.azimuthDeg = azimuth;
    result.sommerfeldUsed = sommerfeld;
    return result;
}

} // namespace vrnnec::engine