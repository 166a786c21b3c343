// The N-port reading of a sweep with N voltage sources that also ran its ports (see
// SweepSettings::portSources): in solution j source j is at 1 V and every other source at
// 1E-20 V. The engine takes a source of exactly 0 V as 1 V, while 1E-20 V leaves the
// segment a short to far beyond the printed digits (the same currents as a plain wire
// there). The source currents of solution j are the admittance column Y(:, j); S follows
// from Y for each frequency.
#pragma once

#include "analyses/SweepDeck.h"
#include "analyses/Touchstone.h"

#include "engine/SweepListing.h"

#include <string>
#include <vector>

namespace vrnnec::analyses {

// The EX cards of a deck, in deck order.
std::vector<std::string> SourceCards(const std::vector<std::string>& deck);

struct PortSweepData {
    std::string message;                  // empty when every solution was read
    std::vector<long long> portTags;      // the tag of each port
    std::vector<double> frequency;        // MHz, per point
    std::vector<ComplexMatrix> admittance; // per point
    bool ok() const { return message.empty(); }
};

// The admittance matrices of the port solutions of a sweep's listing. In solution j the
// row at 1 V is port j.
PortSweepData PortAdmittances(const engine::SweepListing& listing, const SweepSettings& settings);

// The one-port file of the source of `tag`: S11 per frequency from its listed impedance
// (also when the sweep shows admittance) against the real reference. A frequency where
// the tag has no readable impedance is left out.
std::vector<TouchstonePoint> OnePortScattering(const engine::SweepListing& listing, const SweepSettings& settings,
                                               long long tag, double reference);

// The S matrices per frequency against the real reference.
std::vector<TouchstonePoint> PortScattering(const PortSweepData& data, double reference);

} // namespace vrnnec::analyses
