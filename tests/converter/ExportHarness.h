// Calls of the library export, loaded by name from the built shared library, with
// length-byte buffers as the program passes them.
#pragma once

#include "converter/VRN_NEC.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace exporttest {

inline VRN_to_NEC_Function loadExport()
{
    static VRN_to_NEC_Function function = [] {
        void* library = dlopen(VRN_NEC_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        if (!library)
            throw std::runtime_error(std::string("cannot load the library: ") + dlerror());
        void* symbol = dlsym(library, "VRN_to_NEC");
        if (!symbol)
            throw std::runtime_error("the library has no VRN_to_NEC");
        return reinterpret_cast<VRN_to_NEC_Function>(symbol);
    }();
    return function;
}

inline void setBuffer(unsigned char* buffer, const std::string& text)
{
    buffer[0] = static_cast<unsigned char>(text.size());
    std::memcpy(buffer + 1, text.data(), text.size());
}

// All parameters of one call; defaults are the plain calculation's.
struct ExportCall {
    unsigned char fileName[256] = {};
    int32_t fileNameHigh = 255;
    unsigned char deckPath[256] = {};
    int32_t deckPathHigh = 255;
    bool useDM2 = true, useCSDVS = false;
    double azimuthDeg = 0, thetaDeg = 70;
    bool changeFrequency = false;
    double frequencyMHz = 14;
    bool changeHeight = false;
    double heightM = 30;
    double groundEps = 13, groundSigma = 0.005;
    bool perfectGround = false, sommerfeldUsed = false;
    double coatWireRadius = 0, coatRadius = 0, coatInductance = 0, shrinkFactor = 1;
    bool shrinkX = false, shrinkY = false, shrinkZ = false, useEK = false;
    unsigned char errorText[256] = {};
    int32_t errorTextHigh = 255;

    ExportCall(const std::string& file, const std::string& deck)
    {
        setBuffer(fileName, file);
        setBuffer(deckPath, deck);
        errorText[0] = 77; // must be cleared by the call
    }

    // Runs the export and returns the error text.
    std::string run()
    {
        loadExport()(fileName, fileNameHigh, deckPath, deckPathHigh, &useDM2, &useCSDVS, &azimuthDeg, &thetaDeg,
                     &changeFrequency, &frequencyMHz, &changeHeight, &heightM, &groundEps, &groundSigma, &perfectGround,
                     &sommerfeldUsed, &coatWireRadius, &coatRadius, &coatInductance, &shrinkFactor, &shrinkX, &shrinkY,
                     &shrinkZ, &useEK, errorText, errorTextHigh);
        return error();
    }

    std::string error() const { return std::string(reinterpret_cast<const char*>(errorText + 1), errorText[0]); }
};

} // namespace exporttest
