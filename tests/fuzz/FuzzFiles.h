// The files a fuzz target hands to readers that take a path: one folder per process
// (under /dev/shm when it exists, else the system's temporary folder), made once and
// removed at exit, and files in it rewritten with each input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vrnnec::fuzz {

// The per-process folder, with no separator at its end.
const std::string& ScratchFolder();

// Writes `size` bytes at `data` to the file `name` in the scratch folder and returns its
// path. Aborts when the file cannot be written: a target that does not reach its reader
// tests nothing.
std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size);

// The text of a file (empty when it cannot be read).
std::string ReadWholeFile(const std::string& path);

} // namespace vrnnec::fuzz
