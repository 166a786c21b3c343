// The codes of the ground line of an antenna file, shared by the conversion library's
// reader and the program's preview.
#pragma once

namespace vrnnec::antenna {

// The ground type, the first field of the ground line. The file may hold any 32-bit
// number there; a value that is none of the three below is kept as it is (the
// underlying type holds every such code) and counts as neither ground nor free space:
// the deck gets "GE 0" and no "GN" card, the height card is still written.
enum class GroundType : long long {
    FreeSpace = 0,
    PerfectGround = 1,
    RealGround = 2,
};

// The wire material, the third field of the ground line. 1..6 are the lossy
// materials, two codes for each conductivity the deck writes ("LD 5" cards):
// 1 and 2 58139534 S/m, 3 and 4 25000000 S/m, 5 and 6 1388888 S/m. 0 and every code
// that is not a known material (kept as it is) leave the wires lossless.
enum class WireMaterial : long long {
    PerfectConductor = 0,
    Lossy1 = 1,
    Lossy2 = 2,
    Lossy3 = 3,
    Lossy4 = 4,
    Lossy5 = 5,
    Lossy6 = 6,
};

// Perfect or real ground: the antenna stands over a ground plane.
constexpr bool isOverGround(GroundType type)
{
    return type == GroundType::PerfectGround || type == GroundType::RealGround;
}

} // namespace vrnnec::antenna