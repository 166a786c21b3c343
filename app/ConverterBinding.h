// The conversion library's export, bound when the program is loaded: the program does
// not start without libVRN_NEC.so.
#pragma once

#include "converter/VRN_NEC.h"

// The address of `VRN_to_NEC` in the loaded library.
VRN_to_NEC_Function converterExport();
