#include "app/SettingsFile.h"

#include "app/AngleBarPositions.h"
#include "common/AtomicFile.h"
#include "common/NumberText.h"

#include <cmath>

namespace vrnnec {

namespace settings {

namespace {

bool readAngle(const std::string& text, char separator, double& value)
{
    return numtext::parseRealWithSeparator(text, separator, value) && std::isfinite(value);
}

} // namespace

const std::vector<Key>& keys()
{
    static const std::vector<Key> table{
        {"Directories", "CurrentDir", "", "", Kind::Path},
        {"Ground Settings", "Standard", "GroundListComboBox", "Average (Eps=13, Sigma=5)", Kind::Text},
        {"Ground Settings", "EPS", "EPSField", "13", Kind::Number},
        {"Ground Settings", "Sigma", "SigmaField", "5", Kind::Number},
        {"NEC2SwrZ", "Re", "ZSwrReNEC2Field", "50", Kind::Number},
        {"NEC2SwrZ", "Im", "ZSwrImNEC2Field", "0", Kind::Number},
        {"Angles", "Elevation", "AngleElevField", "20", Kind::Number},
        {"Angles", "Azimuth", "AngleAzField", "0", Kind::Number},
        {"Conversion Flags", "EThWK", "EKSwitchCheck", "0", Kind::Flag},
        {"Conversion Flags", "CSDVS", "CDSVSCheck", "0", Kind::Flag},
        {"Conversion Flags", "DM2Seg", "DM2AllSegmentationCheck", "1", Kind::Flag},
        {"Conversion Flags", "ConvOnly", "ShowNEC2InputCheck", "0", Kind::Flag},
        {"Other Flags", "XShrink", "X_Shrinking_CheckBox", "1", Kind::Flag},
        {"Other Flags", "YShrink", "Y_Shrinking_CheckBox", "1", Kind::Flag},
        {"Other Flags", "ZShrink", "Z_Shrinking_CheckBox", "1", Kind::Flag},
        {"Other Flags", "EnableTextEdit", "EditNEC2InputCheck", "0", Kind::Flag},
        {"Other Flags", "ReadAdmittance", "ReadADMCheck", "0", Kind::Flag},
        {"Other Parameters", "RIsolation", "RDField", "2", Kind::Number},
        {"Other Parameters", "EpsIsolation", "EpsDielField", "3", Kind::Number},
    };
    return table;
}

std::string normaliseSeparator(std::string text, char decimalSeparator)
{
    char from = 0;
    if (decimalSeparator == '.')
        from = ',';
    else if (decimalSeparator == ',')
        from = '.';
    if (from != 0)
        for (char& c : text)
            if (c == from)
                c = decimalSeparator;
    return text;
}

Loaded load(const IniFile& ini, const std::string& programFolder, char decimalSeparator)
{
    Loaded loaded;
    std::string elevationText;
    std::string azimuthText;

    for (const Key& key : keys()) {
        if (key.kind == Kind::Path) {
            loaded.currentDir = ini.readString(key.section, key.name, programFolder);
        } else if (key.kind == Kind::Text) {
            loaded.texts.emplace_back(key.control, ini.readString(key.section, key.name, key.defaultValue));
        } else if (key.kind == Kind::Number) {
            std::string text = ini.readString(key.section, key.name, key.defaultValue);
            if (text.size() > kMaxNumberText)
                text.resize(kMaxNumberText);
            text = normaliseSeparator(std::move(text), decimalSeparator);
            if (key.control == kElevationControl)
                elevationText = text;
            else if (key.control == kAzimuthControl)
                azimuthText = text;
            loaded.texts.emplace_back(key.control, std::move(text));
        }
    }

    // The flags are read first and applied only after the scroll bars stand.
    std::vector<std::pair<std::string, bool>> flags;
    for (const Key& key : keys()) {
        if (key.kind != Kind::Flag)
            continue;
        const std::string text = ini.readString(key.section, key.name, key.defaultValue);
        long long value = 0;
        if (!numtext::parseInteger(text, value)) {
            loaded.message = numtext::invalidIntegerMessage(text);
            return loaded;
        }
        if (value == 0 || value == 1)
            flags.emplace_back(key.control, value == 1);
    }

    double angle = 0;
    if (!readAngle(elevationText, decimalSeparator, angle)) {
        loaded.message = numtext::invalidFloatMessage(elevationText);
        return loaded;
    }
    loaded.elevationBar = anglebars::elevationPosition(angle);
    if (!readAngle(azimuthText, decimalSeparator, angle)) {
        loaded.message = numtext::invalidFloatMessage(azimuthText);
        return loaded;
    }
    loaded.azimuthBar = anglebars::azimuthPosition(angle);

    loaded.flags = std::move(flags);
    return loaded;
}

std::string unableToWriteMessage(const std::string& path)
{
    return atomicfile::UnableToWriteMessage(path);
}

std::string save(const std::string& path, const std::string& currentDir,
                 const std::map<std::string, std::string, std::less<>>& values)
{
    IniFile ini;
    ini.load(path); // a missing or unreadable file starts empty
    for (const Key& key : keys()) {
        if (key.kind == Kind::Path) {
            ini.writeString(key.section, key.name, currentDir);
            continue;
        }
        const auto found = values.find(key.control);
        ini.writeString(key.section, key.name,
                        found != values.end() ? std::string_view(found->second) : key.defaultValue);
    }
    return ini.save(path) ? std::string() : unableToWriteMessage(path);
}

} // namespace settings

} // namespace vrnnec
