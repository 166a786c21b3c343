// The antenna description as read from a .vrn file.
#pragma once

#include "common/AntennaCodes.h"

#include <vector>

namespace vrnnec::vrn {

// Where on a wire a source or load sits.
enum class WirePosition { Begin = -1, Centre = 0, End = 1 };

struct WireRecord {
    double x1 = 0, y1 = 0, z1 = 0; // first end point, m
    double x2 = 0, y2 = 0, z2 = 0; // second end point, m
    double radius = 0;             // m
    long long segmentation = 0;    // > 0: that many segments; 0, -1..-3: automatic
};

// Copies of the described antenna along Y and Z.
struct StackSpec {
    long long countY = 1; // nY
    long long countZ = 1; // nZ
    double spacingY = 0;  // dY, m
    double spacingZ = 0;  // dZ, m
    long long mode = 0;   // 0 centred, 1 described antenna at the bottom, 2 at the top
};

struct SourceRecord {
    long long wire = 0; // 1-based wire number
    WirePosition position = WirePosition::Centre;
    double phaseDeg = 0;
    double amplitude = 0; // V
};

enum class LoadType { ParallelLcq = 0, Impedance = 1 };

struct LoadRecord {
    long long wire = 0;
    WirePosition position = WirePosition::Centre;
    LoadType type = LoadType::ParallelLcq;
    double inductance = 0;  // µH (type 0)
    double capacitance = 0; // pF (type 0)
    double quality = 0;     // Q (type 0)
    double resistance = 0;  // ohm (type 1)
    double reactance = 0;   // ohm (type 1)
};

struct AntennaModel {
    double frequency = 0;     // MHz, after any replacement by the caller
    double fileFrequency = 0; // MHz, as written in the file
    std::vector<WireRecord> wires;
    bool stackPresent = false;
    StackSpec stack;
    std::vector<SourceRecord> sources;
    long long loadCount = 0;
    long long loadSwitch = 0;      // 1 = loads in use
    std::vector<LoadRecord> loads; // parsed only when the switch is 1
    long long densityDm1 = 0;      // segments per wavelength
    long long densityDm2 = 0;
    antenna::GroundType groundType = antenna::GroundType::FreeSpace;          // any code the file holds
    double height = 0;                                                        // m
    antenna::WireMaterial material = antenna::WireMaterial::PerfectConductor; // any code the file holds
};

} // namespace vrnnec::vrn