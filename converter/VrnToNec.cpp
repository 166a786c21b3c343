// The C interface of the library: length-byte buffers in and out, nothing thrown.
#include "converter/VRN_NEC.h"

#include "converter/Conversion.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr int32_t kMaxHigh = 255; // a length byte holds no more

// Reads a length-byte string; an empty text on success, else why it cannot be read.
std::string readBuffer(const unsigned char* buffer, int32_t high, const char* what, std::string& value)
{
    if (!buffer)
        return std::string("The ") + what + " buffer is missing.";
    if (high < 0 || high > kMaxHigh)
        return std::string("The ") + what + " buffer's highest index " + std::to_string(high) + " is outside 0 to 255.";
    if (buffer[0] > high)
        return std::string("The ") + what + " buffer's length byte " + std::to_string(buffer[0])
            + " exceeds its highest index " + std::to_string(high) + ".";
    value.assign(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
    return {};
}

void writeBuffer(unsigned char* buffer, int32_t high, const std::string& text)
{
    const std::size_t length = std::min<std::size_t>(text.size(), static_cast<std::size_t>(std::min(high, kMaxHigh)));
    buffer[0] = static_cast<unsigned char>(length);
    std::memcpy(buffer + 1, text.data(), length);
}

} // namespace

extern "C" VRN_NEC_API void VRN_to_NEC(unsigned char* fileName, int32_t fileNameHigh, unsigned char* deckPath,
                                       int32_t deckPathHigh, bool* useDM2, bool* useCSDVS, double* azimuthDeg,
                                       double* thetaDeg, bool* changeFrequency, double* frequencyMHz,
                                       bool* changeHeight, double* heightM, double* groundEps, double* groundSigma,
                                       bool* perfectGround, bool* sommerfeldUsed, double* coatWireRadius,
                                       double* coatRadius, double* coatInductance, double* shrinkFactor, bool* shrinkX,
                                       bool* shrinkY, bool* shrinkZ, bool* useEK, unsigned char* errorText,
                                       int32_t errorTextHigh)
{
    if (!errorText || errorTextHigh < 0)
        return; // nowhere to answer
    try {
        errorText[0] = 0;
        if (errorTextHigh > kMaxHigh) {
            writeBuffer(errorText, errorTextHigh,
                        "The error text buffer's highest index " + std::to_string(errorTextHigh)
                            + " is outside 0 to 255.");
            return;
        }
        std::string name, deck;
        std::string problem = readBuffer(fileName, fileNameHigh, "file name", name);
        if (problem.empty())
            problem = readBuffer(deckPath, deckPathHigh, "deck path", deck);
        const void* values[] = {useDM2,        useCSDVS,       azimuthDeg,     thetaDeg,   changeFrequency,
                                frequencyMHz,  changeHeight,   heightM,        groundEps,  groundSigma,
                                perfectGround, sommerfeldUsed, coatWireRadius, coatRadius, coatInductance,
                                shrinkFactor,  shrinkX,        shrinkY,        shrinkZ,    useEK};
        if (problem.empty() && std::find(std::begin(values), std::end(values), nullptr) != std::end(values))
            problem = "A parameter of the conversion was passed without an address.";
        if (!problem.empty()) {
            writeBuffer(errorText, errorTextHigh, problem);
            return;
        }

        vrnnec::conversion::ConversionOptions options;
        options.useDM2 = *useDM2;
        options.useCSDVS = *useCSDVS;
        options.useEK = *useEK;
        options.azimuthDeg = *azimuthDeg;
        options.thetaDeg = *thetaDeg;
        options.changeFrequency = *changeFrequency;
        options.frequencyMHz = *frequencyMHz;
        options.changeHeight = *changeHeight;
        options.heightM = *heightM;
        options.groundEps = *groundEps;
        options.groundSigma = *groundSigma;
        options.perfectGround = *perfectGround;
        options.coat.wireRadius = *coatWireRadius;
        options.coat.coatRadius = *coatRadius;
        options.coat.inductance = *coatInductance;
        options.coat.shrinkFactor = *shrinkFactor;
        options.coat.shrinkX = *shrinkX;
        options.coat.shrinkY = *shrinkY;
        options.coat.shrinkZ = *shrinkZ;

        const vrnnec::vrn::ConversionResult result = vrnnec::vrn::ConvertAntennaFile(name, deck, options);
        if (result.frequencyMHz)
            *frequencyMHz = *result.frequencyMHz;
        if (result.heightM)
            *heightM = *result.heightM;
        if (result.azimuthDeg)
            *azimuthDeg = *result.azimuthDeg;
        if (result.sommerfeldUsed)
            *sommerfeldUsed = *result.sommerfeldUsed;
        writeBuffer(errorText, errorTextHigh, result.error);
    } catch (const std::bad_alloc&) {
        writeBuffer(errorText, errorTextHigh, "Not enough memory for the conversion.");
    } catch (...) {
        writeBuffer(errorText, errorTextHigh, "The conversion failed unexpectedly.");
    }
}
