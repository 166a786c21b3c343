// Deck lines as bytes: the one place where a deck's text is split into lines, where a
// line is cut to 255 bytes, and where lines are joined into a deck file's bytes. Bytes
// other than line ends pass unchanged (0xA0, bytes that are not UTF-8). Plain C++.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::decktext {

inline constexpr std::size_t kMaxLine = 255;

// The line cut to kMaxLine bytes.
std::string CutLine(std::string_view line);

// The lines of a byte text: lines end at CR LF, LF or a lone CR; a final line without
// its line end counts, and a text that ends with a line end has no empty line after
// it. Every line is cut.
std::vector<std::string> SplitLines(std::string_view bytes);

// A text as its lines, uncut, each with the line end that follows it ("\r\n", "\n",
// "\r", or nothing after a last line without one): the lines and ends joined give the
// text back byte for byte, so that a tool changing some lines leaves the others as
// they were.
struct LinesWithEnds {
    std::vector<std::string> lines;
    std::vector<std::string> ends;
};
LinesWithEnds SplitKeepingEnds(std::string_view bytes);

// The bytes of a deck file: every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace vrnnec::decktext
