// Files written from the "RP plots" page: the two diagram bitmaps and the results text,
// with the names proposed from the antenna file.
#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace vrnnec::results {

// Name endings of the three proposed files.
inline constexpr const char* kAzimuthPlotSuffix = "_NEC-2 RP_AZ";
inline constexpr const char* kElevationPlotSuffix = "_NEC-2 RP_EL";
inline constexpr const char* kResultsTextSuffix = "_NEC-2 Results";

// Where a save dialog opens and what it proposes.
struct ProposedFile {
    std::string folder;   // folder of the antenna file; empty without one
    std::string fileName; // base name of the antenna file + suffix
};

// The base is the antenna file's name without its folder and without its last 4
// characters (the extension ".vrn"). An empty path proposes the suffix alone.
ProposedFile proposedFile(const std::string& antennaPath, const std::string& suffix);

// The full path "folder/fileName" of a proposal (the file name alone without a folder).
std::string proposedPath(const ProposedFile& proposal);

// Both writers go through the atomic writer (common/AtomicFile.h): a file is either
// written completely or an existing one is left as it was, and no partial file remains.

// Writes a diagram as a Windows BMP file; false when it cannot be written.
bool saveDiagramBitmap(const QImage& image, const std::string& path);

// Writes the lines of the results memo joined by CR LF and followed by one line end.
// False when the file cannot be written; the window shows no message for it.
bool saveResultsText(const std::vector<std::string>& lines, const std::string& path);

} // namespace vrnnec::results