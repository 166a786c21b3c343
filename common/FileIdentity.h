// Whether a file a tool writes is one it reads: files compared by what they are (device
// and inode), not by how they are spelled, so that "./d.nec", "sub/../d.nec", a hard
// link and a symbolic link all count as d.nec. One check for every command-line tool,
// run before anything is written.
#pragma once

#include <string>
#include <vector>

namespace vrnnec::fileid {

// A file of a command line and what it is to the user ("deck", "CSV file").
struct NamedFile {
    std::string path;
    std::string role;
};

// True when both paths name the same file: the same device and inode when both exist,
// else the same resolved path (the existing folders with their links resolved, and
// the rest as spelled).
bool SameFile(const std::string& a, const std::string& b);

// True when `path` exists and is a folder (also through links).
bool IsFolder(const std::string& path);

// The message for the first output that is one of the inputs, naming both: "The CSV
// file d.nec is the deck being read; nothing was written." (the input's path is named
// too when spelled otherwise). Empty when every output is a file of its own. Outputs
// with an empty path are skipped.
std::string CheckOutputsAgainstInputs(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs);

// "antennas is a folder, not a deck." for the first input or output that is a folder
// where a file is expected; empty when none is.
std::string CheckNoFolders(const std::vector<NamedFile>& files);

// "Unable to write to PATH" for the first output whose folder is missing or may not be
// written into, so that a command finds it before it runs an engine or writes any other
// output; empty when every output can be put in place. An output inside one of
// `madeFolders` (folders the command creates when missing) needs the nearest existing
// folder above it to be writable. Existing outputs that are not regular files (devices,
// FIFOs) are written in place and pass; outputs with an empty path are skipped.
std::string CheckOutputFolders(const std::vector<NamedFile>& outputs, const std::vector<std::string>& madeFolders = {});

} // namespace vrnnec::fileid
