// Message texts that more than one part of the program shows, each written once.
#pragma once

namespace vrnnec::messages {

inline constexpr const char* kListingOpenFailed = "Error opening NEC-2 output file Outdata.txo";
inline constexpr const char* kIncorrectCard = "Incorrect card are present.";
inline constexpr const char* kIndataMissing = "Current input NEC-2 file, Indata.txo not found.";
// Followed by the folder.
inline constexpr const char* kUnableToCreateFolder = "Unable to create the folder ";

} // namespace vrnnec::messages
