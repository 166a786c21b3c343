// The card row model: a NEC-2 deck line held as 11 text cells (cell 0 the two-letter
// card identifier, cells 1 to 10 the fields), and the conversions between deck lines
// and rows. Plain text processing without Qt.
//
// Numbers in rows use the user's decimal separator (passed as `separator`); numbers in
// deck lines always use the point. Lines are treated as byte strings: one byte is one
// character for the 255-character and two-character rules.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::editor {

constexpr int kCardColumns = 11;
constexpr int kCardFields = 10;
constexpr std::size_t kMaxDeckLine = 255;

using CardRow = std::array<std::string, kCardColumns>;

// The message of a store that meets a field that is not a number.
inline constexpr const char* kIncorrectNumbersMessage = "Incorrect numbers occurs in table!";
// The message of a store that leaves no card: the deck could not be opened again.
inline constexpr const char* kEmptyTableMessage =
    "The table has no cards: a deck needs at least one card besides CM, CE and EN.";
// The message of a field that does not read while it is typed.
inline constexpr const char* kNumberFormatMessage = "Number format is not correct!";

// The identifier of a deck line for the comment and end rules: the first two
// characters after leading blanks, upper-cased.
std::string ReservedIdOf(std::string_view line);
// True for "CM", "CE" and "EN".
bool IsReservedId(std::string_view id);

// A deck line to its identifier and fields joined by commas ("GW 1 10 0" gives
// "GW,1,10,0"). The line is cut to 255 characters once, here.
std::string SplitCardLine(std::string_view line);

// A deck field (point notation) to its table text: integers written back plainly,
// reals in the shortest general form with `separator`; the empty text when the field
// does not read.
std::string FieldToTableText(std::string_view field, char separator);

// A table field to its deck text (point notation); "0" for what does not read.
std::string FieldToDeckText(std::string_view text, char separator);

// A row to its deck line: the identifier, then a blank and each field's deck text.
std::string JoinCardLine(const CardRow& row, char separator);

// The deck's rows, or nothing when the deck has fewer than 3 lines or only comment and
// end lines. The identifier cell is upper-cased ("ge" gives "GE"). A field that does
// not read keeps its text, so that storing refuses it.
std::optional<std::vector<CardRow>> LoadDeckTable(const std::vector<std::string>& deck, char separator);

struct StoreResult {
    bool ok = false;
    std::vector<std::string> deck; // the new deck when ok
    std::string message;           // why the store was refused
    int row = -1;                  // the refused row (0-based), -1 when none
    int column = -1;               // the refused field (1 to 10), -1 when none
};

// kIncorrectNumbersMessage and, on a second line, the cell: "Row 3 (LD): field 3 is
// not a number." (`row` 0-based, shown as the table numbers it; `column` 1 to 10).
std::string IncorrectNumbersMessage(int row, std::string_view id, int column);

// The deck's leading comment lines, one line per row with an identifier (comment and
// end identifiers skipped), then "EN". An empty field between filled ones is written
// as "0". Refused, naming the row and field, when a field does not read, a row has
// fields but no identifier, an
// identifier is not two letters or digits (CardIdMessage) or no card is left
// (kEmptyTableMessage). No line break ever reaches the deck.
StoreResult StoreDeckTable(const std::vector<std::string>& deck, const std::vector<CardRow>& rows, char separator);

// The message of a refused store of rows loaded from `deck` (LoadDeckTable), told for
// the deck: the row's place becomes its line in the deck, counted from 1 ("Line 2 (LD):
// field 3 is not a number."); other messages are returned as they are.
std::string StoreMessageInDeck(const std::vector<std::string>& deck, const StoreResult& result);

// True for a card identifier: two letters or digits, blanks around them aside.
bool IsCardId(std::string_view text);
// "Row 3 (G?W): the Card ID is not two letters or digits." (control characters shown
// as "?"); `row` is 0-based.
std::string CardIdMessage(int row, std::string_view text);

// True for a field text that may stand while it is typed: empty, a lone separator or
// "-", an integer or a real with `separator`.
bool CheckFieldText(std::string_view text, char separator);

// True for a field text that a store accepts: blank, an integer or a real with
// `separator`.
bool IsStorableField(std::string_view text, char separator);

// The identifier cell while it is typed: from two characters on, its first two
// trimmed and upper-cased (the caller then ends editing); nothing while shorter.
std::optional<std::string> TypedIdentifier(std::string_view text);

// Every blank field before the row's last filled one becomes "0", so that the fields
// after a gap keep their columns when the row is written as a deck line.
void FillInnerGaps(CardRow& row);

// The gap rule for the field in `column` (0 to 10), run when a field is left: a lone
// separator or "-" is cleared, and empty fields before a filled one become "0".
void FillFieldGaps(CardRow& row, int column, char separator);

} // namespace vrnnec::editor
