// Export of all segment currents of the last listing to a comma-separated file
// ("Save currents in file").
#pragma once

#include "engine/ListingData.h"

#include <string>
#include <vector>

namespace vrnnec::results {

// The header line of the export.
inline constexpr const char* kCurrentsCsvHeader =
    "WIRE,PULSE,X(m),Y(m),Z(m),REAL(A),IMAGINARY(A),MAGNITUDE(A),PHASE(DEG)";

// One export line of a current row: tag, segment, X/Y/Z (in wavelengths) times the
// wavelength in shortest general form, real, imaginary and magnitude in exponent(7, 2)
// form and the phase in shortest general form. False when a field is unreadable.
bool currentsCsvLine(const engine::CurrentRow& row, double wavelength, std::string& line);

// Writes the header and one line per row, each line ended by CR LF. The lines are
// collected first and written through the atomic writer only when every row was read,
// so a failed export leaves an existing file as it was and no half-written file behind.
// Returns the message to show, empty on success.
std::string exportCurrents(const std::vector<engine::CurrentRow>& currents, double wavelength, const std::string& path);

} // namespace vrnnec::results