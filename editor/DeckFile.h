// Deck files: bytes as they are, one deck line per text line. Lines end at CR LF, LF or
// a lone CR and are cut to 255 bytes when they are read; a deck is written with CR LF
// after every line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::editor {

// The lines of a byte text (a final line without its line end counts; a text that
// ends with a line end has no empty line after it).
std::vector<std::string> SplitDeckLines(std::string_view bytes);

// The lines of a deck file, or nothing when it cannot be opened or read (a folder, a
// file without read permission).
std::optional<std::vector<std::string>> ReadDeckFile(const std::string& path);

// The bytes of a deck file: every line followed by CR LF.
std::string DeckFileBytes(const std::vector<std::string>& lines);

// "File " + name + " is not found.", cut to 255 characters.
std::string FileNotFoundMessage(const std::string& name);

} // namespace vrnnec::editor
