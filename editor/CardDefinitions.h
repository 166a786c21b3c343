// The cards with a card dialog: for each identifier its field captions, its default
// values and its help lines, held as one table of data.
#pragma once

#include "editor/CardRows.h"

#include <string_view>
#include <vector>

namespace vrnnec::editor {

struct CardDefinition {
    std::string_view id;
    std::vector<std::string_view> captions; // fields 1 to n ("=0" over a field left at 0)
    std::vector<std::string_view> defaults; // fields 1 to n when the card has no fields yet
    std::vector<std::string_view> help;     // one memo line each
};

// The 18 cards with a card dialog, in lookup order.
const std::vector<CardDefinition>& CardDefinitions();

// The definition of a card identifier, or nullptr (also for "GW", which has the wire
// tools instead).
const CardDefinition* FindCardDefinition(std::string_view id);

enum class CardTool { None, WireTools, CardDialog };

// The tool a row opens by its identifier: "GW" the wire tools, the cards of the table
// the card dialog, any other identifier (an empty one included) none.
CardTool ToolForCard(std::string_view id);

// The values row of the card dialog for a table row: the row itself when any of its
// fields is filled, else the identifier and the card's defaults.
CardRow CardDialogRow(const CardDefinition& card, const CardRow& tableRow);

} // namespace vrnnec::editor
