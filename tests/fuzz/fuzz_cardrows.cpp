// The card row model: a deck's lines to rows and back, with the point and the comma as
// the decimal separator, and the field rules the table applies while a cell is typed.
#include "editor/CardRows.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace vrnnec;

namespace {

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

void exercise(const std::vector<std::string>& deck, char separator)
{
    for (const std::string& line : deck) {
        editor::SplitCardLine(line);
        editor::FieldToTableText(line, separator);
        editor::FieldToDeckText(line, separator);
        editor::CheckFieldText(line, separator);
        editor::IsStorableField(line, separator);
        editor::TypedIdentifier(line);
    }
    const auto rows = editor::LoadDeckTable(deck, separator);
    if (!rows)
        return;
    for (const editor::CardRow& row : *rows) {
        editor::JoinCardLine(row, separator);
        for (int column = 0; column < editor::kCardColumns; ++column) {
            editor::CardRow filled = row;
            editor::FillFieldGaps(filled, column, separator);
        }
    }
    const editor::StoreResult stored = editor::StoreDeckTable(deck, *rows, separator);
    if (stored.ok)
        editor::LoadDeckTable(stored.deck, separator);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> deck = splitLines(std::string_view(reinterpret_cast<const char*>(data), size));
    exercise(deck, '.');
    exercise(deck, ',');
    return 0;
}
