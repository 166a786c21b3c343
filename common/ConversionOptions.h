// What the caller chooses for one conversion of an antenna file into a NEC-2 deck. The
// one description used from the window and vrn2nec through the library call down to the
// converter's core.
#pragma once

#include "common/CoatParameters.h"

namespace vrnnec::conversion {

// The defaults are those of the program's plain calculation: DM2 on, CSDVS off, EK off,
// azimuth cut at theta 70 (elevation 20), elevation cut at azimuth 0, the file's own
// frequency and height, real ground of permittivity 13 and conductivity 0.005 S/m (not
// computed as perfect ground), no coat and a shrink factor of 1.
struct ConversionOptions {
    bool useDM2 = true;    // "DM2 Seg.": automatic codes -1..-3 use DM2 instead of DM1
    bool useCSDVS = false; // "CSDVS": EX type 5 sources, even segment counts
    bool useEK = false;    // "EThWK": extended thin-wire kernel, thin-wire ratio 2 instead of 8
    double thetaDeg = 70;  // polar angle of the azimuth cut: 90 - elevation
    double azimuthDeg = 0; // azimuth of the elevation cut
    bool changeFrequency = false;
    double frequencyMHz = 14; // replaces the file's frequency when changeFrequency is set
    bool changeHeight = false;
    double heightM = 30;        // replaces the file's height when changeHeight is set
    double groundEps = 13;      // relative permittivity of a real ground
    double groundSigma = 0.005; // conductivity of a real ground, S/m
    bool perfectGround = false; // a real-ground file computed over perfect ground
    coat::CoatParameters coat;  // dielectric coat and shrink; the default is none
};

} // namespace vrnnec::conversion