// The settings file VRN_NEC.ini beside the program: which keys it holds, how they are
// read into the main window's controls and written back from them.
//
// The window glue finds the controls by the object names of the key table; this file
// only deals with texts.
#pragma once

#include "app/IniFile.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vrnnec {

namespace settings {

inline constexpr std::string_view kFileName = "VRN_NEC.ini";

// Only this many characters of a number text are used when loading.
inline constexpr std::size_t kMaxNumberText = 255;

enum class Kind {
    Path,   // the process's current directory
    Text,   // a text taken as it is
    Number, // a number text: decimal separator normalised on loading
    Flag,   // "1" checked, "0" cleared
};

struct Key {
    std::string_view section;
    std::string_view name;
    std::string_view control;      // object name of the control the value fills
    std::string_view defaultValue; // used when the key or the file is missing
    Kind kind;
};

// Every key in file order (sections in the order they are written).
const std::vector<Key>& keys();

// Object names of the two angle fields the scroll bars follow.
inline constexpr std::string_view kElevationControl = "AngleElevField";
inline constexpr std::string_view kAzimuthControl = "AngleAzField";

// Every comma becomes a point when the separator is the point, every point a comma when
// it is the comma; with another separator the text stays as it is.
std::string normaliseSeparator(std::string text, char decimalSeparator);

// What loading puts into the window, in the order it is applied.
struct Loaded {
    std::string currentDir;                                 // to make current (failure ignored)
    std::vector<std::pair<std::string, std::string>> texts; // control, text: Standard and the number texts
    std::optional<long long> elevationBar;                  // unclamped positions
    std::optional<long long> azimuthBar;
    std::vector<std::pair<std::string, bool>> flags; // control, checked; only the flags to change
    std::string message;                             // the conversion message that stopped loading, empty when none
};

// Loading of an already read file (an empty IniFile when the file is missing).
// A flag text that is not an integer stops loading at that key; an angle text that is
// not a number stops the scroll-bar positioning. The flags are applied only when
// loading ran to its end; a flag value other than 0 and 1 leaves its box alone.
Loaded load(const IniFile& ini, const std::string& programFolder, char decimalSeparator);

// Saving: every key of the table from `values` (control name to text; flags as "1" or
// "0") and `currentDir`, into the file at `path`. Content of the file that is not
// one of these keys is kept. The file is replaced as a whole only once the new content
// is completely written. Returns the message to show, empty on success.
std::string save(const std::string& path, const std::string& currentDir,
                 const std::map<std::string, std::string, std::less<>>& values);

// "Unable to write to " + path, cut to 255 characters.
std::string unableToWriteMessage(const std::string& path);

} // namespace settings

} // namespace vrnnec
