#include "editor/RowClipboard.h"

#include "common/NumberText.h"

#include <algorithm>

namespace vrnnec::editor {

namespace {

// The row as a deck line that comes back as the same row when it is pasted: an
// emptied field between filled ones is written as "0" so that the fields after it keep
// their columns, and a field that does not read keeps its text instead of becoming "0",
// so that storing the table still refuses it.
std::string ClipboardLine(CardRow row, char separator)
{
    FillInnerGaps(row);
    std::string line = JoinCardLine(CardRow{row[0]}, separator);
    for (int column = 1; column < kCardColumns; ++column) {
        const std::string& field = row[static_cast<std::size_t>(column)];
        line += ' ';
        line += IsStorableField(field, separator) ? FieldToDeckText(field, separator)
                                                  : std::string(numtext::trimBlanks(field));
    }
    return std::string(numtext::trimBlanks(line));
}

} // namespace

std::string RowsToDeckText(const std::vector<CardRow>& rows, char separator)
{
    std::string text;
    for (const CardRow& row : rows) {
        if (std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); }))
            continue;
        text += ClipboardLine(row, separator);
        text += '\n';
    }
    return text;
}

std::vector<CardRow> DeckTextToRows(std::string_view text, char separator)
{
    // The lines go through the loader of whole decks, framed by two comment lines so
    // that a single card is enough for it; the loader drops the frame again.
    std::vector<std::string> deck{"CM", "CE"};
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") != std::string::npos)
            deck.push_back(std::move(line));
        start = end + 1;
    }
    deck.emplace_back("EN");
    return LoadDeckTable(deck, separator).value_or(std::vector<CardRow>{});
}

} // namespace vrnnec::editor
