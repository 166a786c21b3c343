// The antenna file reader and converter through the library's C export: the first byte
// chooses the conversion options, the rest is the .vrn file.
#include "converter/VRN_NEC.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void setBuffer(unsigned char (&buffer)[VRN_NEC_STRING_HIGH + 1], const std::string& text)
{
    if (text.size() > VRN_NEC_STRING_HIGH)
        std::abort(); // the scratch folder's path is far shorter
    buffer[0] = static_cast<unsigned char>(text.size());
    std::memcpy(buffer + 1, text.data(), text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t choice = data[0];
    const std::string file = vrnnec::fuzz::WriteScratchFile("antenna.vrn", data + 1, size - 1);
    const std::string deck = vrnnec::fuzz::ScratchFolder() + "/deck.nec";

    unsigned char fileName[VRN_NEC_STRING_HIGH + 1];
    unsigned char deckPath[VRN_NEC_STRING_HIGH + 1];
    unsigned char errorText[VRN_NEC_STRING_HIGH + 1];
    setBuffer(fileName, file);
    setBuffer(deckPath, deck);

    bool useDM2 = (choice & 0x01) == 0;
    bool useCSDVS = (choice & 0x02) != 0;
    bool useEK = (choice & 0x04) != 0;
    bool changeFrequency = (choice & 0x08) != 0;
    bool changeHeight = (choice & 0x10) != 0;
    bool perfectGround = (choice & 0x20) != 0;
    const bool coated = (choice & 0x40) != 0;
    const bool shrunk = (choice & 0x80) != 0;
    double azimuthDeg = 0, thetaDeg = 70;
    double frequencyMHz = 7.05, heightM = 12.5;
    double groundEps = 13, groundSigma = 0.005;
    bool sommerfeldUsed = false;
    double coatWireRadius = coated ? 0.001 : 0, coatRadius = coated ? 0.002 : 0;
    double coatInductance = coated ? 2.2e-7 : 0;
    double shrinkFactor = shrunk ? 0.97 : 1;
    bool shrinkX = shrunk, shrinkY = shrunk, shrinkZ = shrunk;

    VRN_to_NEC(fileName, VRN_NEC_STRING_HIGH, deckPath, VRN_NEC_STRING_HIGH, &useDM2, &useCSDVS, &azimuthDeg, &thetaDeg,
               &changeFrequency, &frequencyMHz, &changeHeight, &heightM, &groundEps, &groundSigma, &perfectGround,
               &sommerfeldUsed, &coatWireRadius, &coatRadius, &coatInductance, &shrinkFactor, &shrinkX, &shrinkY,
               &shrinkZ, &useEK, errorText, VRN_NEC_STRING_HIGH);
    return 0;
}
