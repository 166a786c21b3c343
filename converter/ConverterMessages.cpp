#include "converter/ConverterMessages.h"

namespace vrnnec::vrn::messages {

std::string withName(std::string_view prefix, std::string_view name, std::string_view suffix)
{
    const std::size_t fixedLength = prefix.size() + suffix.size();
    if (fixedLength + name.size() > kMaxMessageLength)
        name = name.substr(0, fixedLength < kMaxMessageLength ? kMaxMessageLength - fixedLength : 0);
    std::string text;
    text.reserve(fixedLength + name.size());
    text.append(prefix).append(name).append(suffix);
    if (text.size() > kMaxMessageLength)
        text.resize(kMaxMessageLength);
    return text;
}

std::string fileOpenError(std::string_view name)
{
    return withName("Error opening VORNA file  ", name, "!");
}

std::string fileFormatError(std::string_view name)
{
    return withName("Error in file format:  ", name, "!");
}

std::string frequencyNotPositive(std::string_view name)
{
    return withName("Frequency parameter invalid (<=0). Calculations impossible. File:  ", name, "!");
}

std::string stackError(std::string_view name)
{
    return withName("Incorrect stack data. File:  ", name, "!");
}

std::string taperedWires(std::string_view name)
{
    return withName("VORNA file contains tapered wires (combined radii wires) or wires with very small "
                    "radius. File:  ",
                    name, "!");
}

std::string sourceLineError(std::string_view name)
{
    return withName("Error in file format:  ", name, " in source lines! ");
}

std::string loadTypeError(std::string_view name)
{
    return withName("Loads error or S-parameters load present. File: ", name, " !");
}

std::string loadLineError(std::string_view name)
{
    return withName("Error in file format:  ", name, " in loads lines! ");
}

std::string segmentationCodeError(std::string_view name)
{
    return withName("Error in VORNA segmentation. File:  ", name, "!");
}

std::string segmentationTooDense(std::string_view name)
{
    return withName("Segmentation is too dense for accurate calculations. File:  ", name, "!");
}

std::string tooManySegments(long long total, std::string_view name)
{
    return withName("Number of segments too much (>3000, =" + std::to_string(total) + "). File:  ", name, "!");
}

std::string underPerfectGround(std::string_view name)
{
    return withName("One or more wires are under ground  (or gorizontal wire lie on ground). This is "
                    "impossible for modelling over ground plane. File:  ",
                    name, "!");
}

std::string touchingRealGround(std::string_view name)
{
    return withName("One or more wires are touching ground. This is impossible on Sommerfeld-Norton plane. "
                    "File:  ",
                    name, "!");
}

std::string underPerfectGroundOfRealGroundFile(std::string_view name)
{
    return withName("One or more wires are under ground (or gorizontal wire lie on ground). This is "
                    "impossible for modelling over ground plane. File:  ",
                    name, "!");
}

std::string deckOpenError()
{
    return "Error opening NEC-2 input file. May be it is still used by NEC-2 in calculation. Please wait a "
           "little.";
}

std::string deckWriteError()
{
    return "Error writing NEC-2 input file. The disk may be full.";
}

std::string wireNeedsDenserSegmentation(long long wire)
{
    return "Segmentation of wire N " + std::to_string(wire) + " must be more dense.";
}

std::string elevationAngleError()
{
    return "Error in elevation angle value.";
}

std::string frequencyNotFinite(std::string_view name)
{
    return withName("Frequency parameter invalid (not a finite number). Calculations impossible. File:  ", name, "!");
}

std::string notFinite(std::string_view what)
{
    return std::string(what) + " is not a finite number.";
}

} // namespace vrnnec::vrn::messages