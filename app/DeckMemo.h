// The deck memo: one deck line per text line, each byte of a deck file as one character
// (Latin-1), so deck files come back byte for byte. The splitting and the 255-byte cut
// are those of the deck text codec (common/DeckText).
#pragma once

#include <QString>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace vrnnec {

namespace deckmemo {

// The memo's lines as deck bytes, each cut to 255 bytes (an empty text has no lines;
// a final line end gives a final empty line, so deck files come back as they were).
std::vector<std::string> lines(const QString& text);
std::vector<std::string> lines(const QPlainTextEdit& memo);
// The lines a run takes from the memo: as lines(), without a final empty line.
std::vector<std::string> runLines(const QPlainTextEdit& memo);
std::vector<std::string> runLines(const QString& text);
// The memo text of deck lines: one text line per deck line, each byte one character.
QString text(const std::vector<std::string>& lines);
// Replaces the memo's text by the lines and marks the deck as changed (when the text
// differs); a deck read from a file clears the mark itself.
void setLines(QPlainTextEdit& memo, const std::vector<std::string>& lines);
// Selects line `index` (0-based) of the memo, scrolls it into view and shows the page
// the memo is on.
void selectLine(QPlainTextEdit& memo, int index);

} // namespace deckmemo

} // namespace vrnnec
