/* The conversion library's one export: an antenna description file (.vrn) in, a
 * complete NEC-2 input deck out.
 *
 * Strings are caller-owned buffers of High + 1 bytes: byte 0 holds the length (at most
 * High and at most 255), the characters follow. Every other parameter is the address of
 * a caller-owned bool or double; frequencyMHz, heightM, azimuthDeg and sommerfeldUsed
 * are written back. On return errorText is empty when the deck at deckPath is
 * complete, else it holds the message to show. The function keeps no state between
 * calls and may be called from several threads at once. */
#ifndef VRN_NEC_H
#define VRN_NEC_H

#ifdef __cplusplus
#include <cstdint>
extern "C" {
#else
#include <stdbool.h>
#include <stdint.h>
#endif

#if defined(__GNUC__)
#define VRN_NEC_API __attribute__((visibility("default")))
#else
#define VRN_NEC_API
#endif

VRN_NEC_API void VRN_to_NEC(unsigned char* fileName, int32_t fileNameHigh, unsigned char* deckPath,
                            int32_t deckPathHigh, bool* useDM2, bool* useCSDVS, double* azimuthDeg, double* thetaDeg,
                            bool* changeFrequency, double* frequencyMHz, bool* changeHeight, double* heightM,
                            double* groundEps, double* groundSigma, bool* perfectGround, bool* sommerfeldUsed,
                            double* coatWireRadius, double* coatRadius, double* coatInductance, double* shrinkFactor,
                            bool* shrinkX, bool* shrinkY, bool* shrinkZ, bool* useEK, unsigned char* errorText,
                            int32_t errorTextHigh);

/* The export's type, for loading it by name. */
typedef void (*VRN_to_NEC_Function)(unsigned char*, int32_t, unsigned char*, int32_t, bool*, bool*, double*, double*,
                                    bool*, double*, bool*, double*, double*, double*, bool*, bool*, double*, double*,
                                    double*, double*, bool*, bool*, bool*, bool*, unsigned char*, int32_t);

/* Highest index of the string buffers the program passes. */
#define VRN_NEC_STRING_HIGH 255

#ifdef __cplusplus
}
#endif

#endif
