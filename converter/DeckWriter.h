// Segmentation, model checks and the cards of the NEC-2 deck.
#pragma once

#include "common/ConversionOptions.h"
#include "converter/AntennaModel.h"
#include "converter/CoatTransform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::vrn {

constexpr long long kMaxTotalSegments = 3000;

struct Segmentation {
    std::vector<long long> segments; // per wire, in file order
    long long total = 0;             // with every stack copy
    std::string error;
};

// Segment counts of every wire with the thin-wire checks, then the total check.
Segmentation SegmentWires(const AntennaModel& model, const conversion::ConversionOptions& options,
                          std::string_view name);

struct StackShifts {
    double y = 0; // move of the described antenna along Y before the copies are added
    double z = 0; // same along Z
};
StackShifts ComputeStackShifts(const AntennaModel& model);

// The ground checks of the described wires raised by `height` and the stack shift.
std::string CheckGround(const AntennaModel& model, double height, const StackShifts& shifts, bool perfectGround,
                        std::string_view name);

// The 1-based segment of a wire of `segments` segments at a position, within 1..segments.
long long SegmentAt(long long segments, WirePosition position);
// The source segment with current-slope-discontinuity sources (segments >= 2).
long long CsdvsSourceSegment(long long segments, long long segment);

// The azimuth in [0, 360): negative values are raised by whole turns, then whole
// turns are taken off. Closed form of that rule for every finite value.
double NormaliseAzimuth(double azimuthDeg);

// Receives the deck text piece by piece, in order.
class DeckSink {
public:
    virtual ~DeckSink() = default;
    virtual void write(std::string_view text) = 0;
};

// What the writing steps end with.
struct DeckOutcome {
    std::string error;                  // a message of the writing steps; the cards then stop early
    std::optional<bool> sommerfeldUsed; // set once the ground card step has run
    std::optional<double> azimuthDeg;   // set once the elevation cut is written
};

// Writes every card from "CE" to "EN" into `sink`; each line ends with CR LF except "EN".
DeckOutcome WriteCards(const AntennaModel& model, const Segmentation& segmentation, double height,
                       const conversion::ConversionOptions& options, DeckSink& sink);

// The same into a text.
struct DeckCards : DeckOutcome {
    std::string text;
};
DeckCards WriteCards(const AntennaModel& model, const Segmentation& segmentation, double height,
                     const conversion::ConversionOptions& options);

} // namespace vrnnec::vrn