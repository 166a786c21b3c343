// Whole card rows through the clipboard as deck lines, so that rows move between decks
// and to a text editor: rows to text and text to rows, through the card row model.
#pragma once

#include "editor/CardRows.h"

#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::editor {

// One deck line per row (JoinCardLine), each ended by a line end; rows that are empty
// throughout are left out.
std::string RowsToDeckText(const std::vector<CardRow>& rows, char separator);

// The rows of pasted text: one row per line that holds a card, as the editor loads a
// deck (comment, end and blank lines are skipped, CR LF line ends are taken). Nothing
// for text without a card.
std::vector<CardRow> DeckTextToRows(std::string_view text, char separator);

} // namespace vrnnec::editor
