// Where the program keeps its settings and working files (decks, listings, the Green's
// function file): the program folder while it can be written, else a folder of the user.
#pragma once

#include <QString>

namespace vrnnec::engine {

// The name of the user's folder under the data home.
inline constexpr const char* kUserFolderName = "VRN_NEC";

// Whether the program keeps its files in `folder`: it must be writable for this user and
// carry a write permission at all (a folder made read-only stays read-only for root too).
bool IsWritableFolder(const QString& folder);

// `$XDG_DATA_HOME/VRN_NEC` (`~/.local/share/VRN_NEC` when XDG_DATA_HOME is unset, empty
// or relative).
QString UserWorkingFolder();

// The working folder for a program in `programFolder`: that folder when it is writable,
// else the user's folder, created when missing (the program folder again when that
// cannot be made).
QString ChooseWorkingFolder(const QString& programFolder);

} // namespace vrnnec::engine
