#include "app/GroundModel.h"

#include "common/NumberText.h"

namespace vrnnec {

namespace ground {

const std::array<Preset, kPresetCount>& presets()
{
    static const std::array<Preset, kPresetCount> list{{
        {"Extremely poor (Eps=3, Sigma=1)", 3, 1},
        {"Very poor (Eps=5, Sigma=1)", 5, 1},
        {"City fields (Eps=30, Sigma=1)", 30, 1},
        {"Sandy dry (Eps=10, Sigma=2)", 10, 2},
        {"Poor (Eps=13, Sigma=2)", 13, 2},
        {"Average (Eps=13, Sigma=5)", 13, 5},
        {"Pastoral (Eps=13, Sigma=6)", 13, 6},
        {"Marshy land (Eps=12, Sigma=7.5)", 12, 7.5},
        {"Pastoral rich (Eps=14, Sigma=10)", 14, 10},
        {"Very good (Eps=20, Sigma=30)", 20, 30},
        {"Fresh water (Eps=80, Sigma=1)", 80, 1},
        {"Sea salt water (Eps=80, Sigma=5000)", 80, 5000},
    }};
    return list;
}

int findItem(const std::vector<std::string>& items, std::string_view text)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text)
            return static_cast<int>(i);
        if (items[i].empty())
            break;
    }
    return -1;
}

bool presetFieldTexts(int index, char decimalSeparator, std::string& eps, std::string& sigma)
{
    if (index < 0 || index >= static_cast<int>(kPresetCount))
        return false;
    const Preset& preset = presets()[static_cast<std::size_t>(index)];
    eps = numtext::withSeparator(numtext::general(preset.eps), decimalSeparator);
    sigma = numtext::withSeparator(numtext::general(preset.sigma), decimalSeparator);
    return true;
}

ControlsState ForGroundType(ControlsState state, antenna::GroundType type)
{
    const bool real = type == antenna::GroundType::RealGround;
    state.perfectEnabled = type != antenna::GroundType::FreeSpace;
    state.sommerfeldEnabled = real;
    state.perfectChecked = !real;
    state.sommerfeldChecked = real;
    state.epsEnabled = state.sigmaEnabled = state.standardEnabled = real;
    return state;
}

} // namespace ground

} // namespace vrnnec
