// The full reader of .vrn antenna description files.
#pragma once

#include "converter/AntennaModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace vrnnec::vrn {

struct AntennaFileReading {
    std::string error;          // empty when the whole file was read
    bool frequencyRead = false; // the frequency line was read: model.fileFrequency holds it
};

// Reads every section of the file at `path` into `model`. When `frequencyOverride` is
// given it replaces the file's frequency right after the frequency line; the frequency
// in use must then be greater than 0. Messages name the file by `path`. A number that
// does not convert ends the reading with the conversion message.
AntennaFileReading ReadAntennaFile(const std::string& path, AntennaModel& model,
                                   std::optional<double> frequencyOverride = std::nullopt);

// Decodes a position token such as "w12c" against a table of `wireCount` wires.
// Returns an empty text on success; `tokenError` when the token does not start with
// "W"/"w" or names no existing wire; the integer conversion message when the wire
// number does not read.
std::string DecodePositionToken(std::string_view token, long long wireCount, const std::string& tokenError,
                                long long& wire, WirePosition& position);

} // namespace vrnnec::vrn