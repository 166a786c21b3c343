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

// Copies the engine.conf of `fromFolder`, when it has one, into `toFolder` unless that
// has its own: a run in a folder of its own (a sweep's part, a command-line run) takes
// the engine the user chose. False when a copy was due and failed.
bool CopyEngineConf(const QString& fromFolder, const QString& toFolder);

// For a command-line run in a folder of its own: when the program in `programFolder`
// keeps its files in the user's folder, the user's engine.conf there is copied into
// `workingFolder` (the user's folder is not created for this).
bool TakeUsersEngineConf(const QString& programFolder, const QString& workingFolder);

} // namespace vrnnec::engine
