// The ground model shared by the main window and the ground parameters dialog: the
// list of standard grounds and the state of the five ground controls.
#pragma once

#include "common/AntennaCodes.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec {

namespace ground {

// A standard ground of `GroundListComboBox`: its item text, the relative permittivity
// for `EPSField` and the conductivity in mS/m for `SigmaField`.
struct Preset {
    std::string_view text;
    double eps;
    double sigma;
};

inline constexpr std::size_t kPresetCount = 12;

// The standard grounds in list order.
const std::array<Preset, kPresetCount>& presets();

// The item shown when the program starts.
inline constexpr std::string_view kDefaultPresetText = "Average (Eps=13, Sigma=5)";

// Looks `text` up among `items` from the first, stopping at an equal item or at an
// empty one. Returns the index of the equal item, or -1 when the search ended without
// one.
int findItem(const std::vector<std::string>& items, std::string_view text);

// The texts that choosing the standard ground `index` writes into `EPSField` and
// `SigmaField`: shortest general numbers with the given decimal separator ("7.5",
// "5000"). False, with both texts untouched, for an index outside the list.
bool presetFieldTexts(int index, char decimalSeparator, std::string& eps, std::string& sigma);

// Texts, checked and enabled states of the five ground controls, as the ground
// parameters dialog copies them from and back to the main window.
struct ControlsState {
    std::string eps;
    std::string sigma;
    std::string standard;
    bool perfectChecked = true;
    bool sommerfeldChecked = false;
    bool perfectEnabled = false;
    bool sommerfeldEnabled = false;
    bool epsEnabled = false;
    bool sigmaEnabled = false;
    bool standardEnabled = false;

    bool operator==(const ControlsState&) const = default;
};

// The choices an antenna file's ground type leaves: over real ground Sommerfeld is
// chosen and every control is open; over perfect ground only the perfect ground is
// offered; in free space nothing is. Texts are kept.
ControlsState ForGroundType(ControlsState state, antenna::GroundType type);

} // namespace ground

} // namespace vrnnec
