// Where the program keeps its settings and working files (decks, listings, the Green's
// function file): the program folder while it can be written, else a folder of the user.
#pragma once

#include "common/FileIdentity.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

class QTemporaryDir;

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

// The working folder of a command-line run: a fresh temporary folder, removed with this
// object, or `keepDir` as the user gave it (created when missing). A folder name that
// is not valid UTF-8 keeps its bytes: Qt then reaches the folder through a descriptor
// held open here ("/proc/<pid>/fd/N"). It takes the user's engine.conf when the program
// in `programFolder` keeps its files in the user's folder. `path` is empty when no
// folder could be had; `message` says why.
struct RunFolder {
    RunFolder(const std::string& keepDir, const std::string& programFolder);
    ~RunFolder();
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    QString path;
    std::string message;

private:
    std::unique_ptr<QTemporaryDir> temporary_;
    int handle_ = -1;
};

// A path given as bytes (a command line's) as Qt names it; a folder whose name does not
// survive that (not valid UTF-8) is opened and named by its descriptor, left in
// `handle` for the caller to close. Empty when that folder cannot be opened.
QString QtPathOf(const std::string& path, int& handle);

// The files a run writes into the working folder `folder` (deck, listings, Green's
// function file), named as outputs for the input/output check.
std::vector<fileid::NamedFile> RunFiles(const std::string& folder);

} // namespace vrnnec::engine
