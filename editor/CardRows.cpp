#include "editor/CardRows.h"

#include "common/Messages.h"
#include "common/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vrnnec::editor {

namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperText(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

bool isBlankField(std::string_view text)
{
    return numtext::trimBlanks(text).empty();
}

// A lone separator or a lone minus: what a user leaves while starting a number.
bool isTypingStub(std::string_view text, char separator)
{
    return text.size() == 1 && (text[0] == separator || text[0] == '-');
}

bool readsAsInteger(std::string_view text, long long& value)
{
    return numtext::parseTrimmedInteger(text, value);
}

bool readsAsLocaleReal(std::string_view text, char separator, double& value)
{
    return numtext::parseRealWithSeparator(upperText(numtext::trimBlanks(text)), separator, value);
}

// The general real text (15 significant digits), or, when that does not read back as
// the same value, the shortest text that does (up to 17 digits) in the same notation:
// a deck that passes through the rows unedited keeps every value the engine reads.
std::string exactGeneral(double value)
{
    std::string text = numtext::general(value);
    double back = 0;
    if (numtext::parseReal(text, back) && back == value)
        return text;
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    if (error != std::errc())
        return text;
    std::string scientific(buffer, end); // "-6.696428571428571e+00"
    const bool negative = scientific.front() == '-';
    if (negative)
        scientific.erase(0, 1);
    const std::size_t e = scientific.find('e');
    const int exponent = std::stoi(scientific.substr(e + 1));
    std::string digits = scientific.substr(0, e);
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-4 && magnitude < 1e15) {
        if (exponent < 0) {
            text = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else {
            const auto whole = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= whole)
                text = digits + std::string(whole - digits.size(), '0');
            else
                text = digits.substr(0, whole) + "." + digits.substr(whole);
        }
    } else {
        text = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "") + "E" + (exponent < 0 ? "-" : "")
            + std::to_string(std::abs(exponent));
    }
    return negative ? "-" + text : text;
}

} // namespace

std::string ReservedIdOf(std::string_view line)
{
    std::size_t start = 0;
    while (start < line.size() && line[start] == ' ')
        ++start;
    return upperText(line.substr(start, 2));
}

bool IsReservedId(std::string_view id)
{
    return id == "CM" || id == "CE" || id == "EN";
}

std::string SplitCardLine(std::string_view line)
{
    while (!line.empty() && isBlankOrControl(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlankOrControl(line.back()))
        line.remove_suffix(1);
    line = line.substr(0, kMaxDeckLine);
    if (line.size() <= 1)
        return {};
    if (line.size() == 2)
        return std::string(line);

    std::string text = upperText(line.substr(0, 2)) + "," + std::string(line.substr(2));
    for (std::size_t i = 1; i < text.size(); ++i)
        if (text[i] == ' ')
            text[i] = ',';
    std::string collapsed;
    collapsed.reserve(text.size());
    for (char c : text)
        if (c != ',' || collapsed.empty() || collapsed.back() != ',')
            collapsed.push_back(c);
    if (!collapsed.empty() && collapsed.back() == ',')
        collapsed.pop_back();
    return collapsed;
}

std::string FieldToTableText(std::string_view field, char separator)
{
    const std::string_view text = numtext::trimBlanks(field).substr(0, kMaxDeckLine);
    long long integer = 0;
    if (numtext::parseInteger(text, integer))
        return std::to_string(integer);
    double real = 0;
    if (numtext::parseReal(text, real))
        return numtext::withSeparator(exactGeneral(real), separator);
    return {};
}

std::string FieldToDeckText(std::string_view text, char separator)
{
    text = numtext::trimBlanks(text);
    if (text.empty())
        return {};
    if (text.size() == 1)
        return (text[0] >= '0' && text[0] <= '9') ? std::string(text) : std::string("0");
    long long integer = 0;
    if (numtext::parseInteger(text, integer))
        return std::to_string(integer);
    double real = 0;
    if (readsAsLocaleReal(text, separator, real))
        return exactGeneral(real);
    return "0";
}

std::string JoinCardLine(const CardRow& row, char separator)
{
    std::string line = upperText(numtext::trimBlanks(row[0]));
    for (int column = 1; column < kCardColumns; ++column)
        line += " " + FieldToDeckText(row[static_cast<std::size_t>(column)], separator);
    return std::string(numtext::trimBlanks(line));
}

std::optional<std::vector<CardRow>> LoadDeckTable(const std::vector<std::string>& deck, char separator)
{
    if (deck.size() < 3)
        return std::nullopt;
    const bool onlyReserved =
        std::all_of(deck.begin(), deck.end(), [](const std::string& line) { return IsReservedId(ReservedIdOf(line)); });
    if (onlyReserved)
        return std::nullopt;

    std::vector<CardRow> rows;
    for (const std::string& line : deck) {
        if (IsReservedId(ReservedIdOf(line)))
            continue;
        CardRow row;
        const std::string split = SplitCardLine(line);
        std::size_t start = 0;
        for (int column = 0; column < kCardColumns && start <= split.size(); ++column) {
            const std::size_t comma = std::min(split.find(',', start), split.size());
            const std::string_view part = std::string_view(split).substr(start, comma - start);
            if (column == 0) {
                // A two-character line ("ge", "ek") comes through the split as it was
                // typed; the identifier is upper-cased like that of a longer line, so
                // that its card dialog and the wire tools' search for "GE" find it.
                row[0] = upperText(part);
            } else {
                std::string text = FieldToTableText(part, separator);
                row[static_cast<std::size_t>(column)] = text.empty() ? std::string(part) : text;
            }
            start = comma + 1;
        }
        rows.push_back(row);
    }
    return rows;
}

std::string IncorrectNumbersMessage(int row, std::string_view id, int column)
{
    namespace msg = messages;
    return msg::WithPlace(kIncorrectNumbersMessage, msg::FieldFault(msg::kRowPlace, row + 1, id, column, msg::kNotANumber));
}

StoreResult StoreDeckTable(const std::vector<std::string>& deck, const std::vector<CardRow>& rows, char separator)
{
    StoreResult result;
    std::vector<std::string> lines;
    for (const std::string& line : deck) {
        const std::string id = ReservedIdOf(line);
        if (id != "CM" && id != "CE")
            break;
        lines.push_back(line);
    }
    int cards = 0;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        CardRow row = rows[index];
        int lastFilled = 0;
        for (int column = 1; column < kCardColumns; ++column) {
            const std::string& field = row[static_cast<std::size_t>(column)];
            if (isBlankField(field))
                continue;
            lastFilled = column;
            if (!IsStorableField(field, separator)) {
                result.message = IncorrectNumbersMessage(static_cast<int>(index), row[0], column);
                result.row = static_cast<int>(index);
                result.column = column;
                return result;
            }
        }
        if (isBlankField(row[0])) {
            if (lastFilled == 0)
                continue;
            result.message = messages::CardFault(messages::kRowPlace, static_cast<int>(index) + 1, {},
                                                 messages::kCardIdMissing);
            result.row = static_cast<int>(index);
            result.column = 0;
            return result;
        }
        if (IsReservedId(ReservedIdOf(row[0])))
            continue;
        if (!IsCardId(row[0])) {
            result.message = CardIdMessage(static_cast<int>(index), row[0]);
            result.row = static_cast<int>(index);
            result.column = 0;
            return result;
        }
        FillInnerGaps(row);
        lines.push_back(JoinCardLine(row, separator));
        if (lines.back().find_first_of("\r\n") != std::string::npos) {
            result.message = messages::WithPlace(kIncorrectNumbersMessage,
                                                 messages::CardFault(messages::kRowPlace, static_cast<int>(index) + 1,
                                                                     row[0], messages::kLineBreakInCard));
            result.row = static_cast<int>(index);
            return result;
        }
        ++cards;
    }
    if (cards == 0) {
        result.message = kEmptyTableMessage;
        return result;
    }
    lines.push_back("EN");
    result.ok = true;
    result.deck = std::move(lines);
    return result;
}

std::string StoreMessageInDeck(const std::vector<std::string>& deck, const StoreResult& result)
{
    if (result.row < 0)
        return result.message;
    // The rows are the deck's lines other than comment and end lines, in order.
    int row = -1;
    std::size_t line = 0;
    for (; line < deck.size(); ++line)
        if (!IsReservedId(ReservedIdOf(deck[line])) && ++row == result.row)
            break;
    if (line == deck.size())
        return result.message;
    const std::string rowPlace = std::string(messages::kRowPlace) + " " + std::to_string(result.row + 1);
    const std::string linePlace = std::string(messages::kLinePlace) + " " + std::to_string(line + 1);
    std::string message = result.message;
    const std::size_t at = message.find(rowPlace);
    if (at != std::string::npos)
        message.replace(at, rowPlace.size(), linePlace);
    return message;
}

bool IsCardId(std::string_view text)
{
    const std::string_view id = numtext::trimBlanks(text);
    const auto letterOrDigit = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    };
    return id.size() == 2 && letterOrDigit(id[0]) && letterOrDigit(id[1]);
}

std::string CardIdMessage(int row, std::string_view text)
{
    return messages::CardFault(messages::kRowPlace, row + 1, text, messages::kCardIdNotTwoLetters);
}

bool CheckFieldText(std::string_view text, char separator)
{
    const std::string_view trimmed = numtext::trimBlanks(text);
    return trimmed.empty() || isTypingStub(trimmed, separator) || IsStorableField(trimmed, separator);
}

bool IsStorableField(std::string_view text, char separator)
{
    if (isBlankField(text))
        return true;
    long long integer = 0;
    double real = 0;
    return readsAsInteger(text, integer) || readsAsLocaleReal(text, separator, real);
}

std::optional<std::string> TypedIdentifier(std::string_view text)
{
    if (text.size() < 2)
        return std::nullopt;
    return upperText(numtext::trimBlanks(text.substr(0, 2)));
}

void FillInnerGaps(CardRow& row)
{
    int lastFilled = 0;
    for (int column = 1; column < kCardColumns; ++column)
        if (!isBlankField(row[static_cast<std::size_t>(column)]))
            lastFilled = column;
    for (int column = 1; column < lastFilled; ++column)
        if (isBlankField(row[static_cast<std::size_t>(column)]))
            row[static_cast<std::size_t>(column)] = "0";
}

void FillFieldGaps(CardRow& row, int column, char separator)
{
    if (column < 0 || column >= kCardColumns)
        return;
    auto cell = [&row](int c) -> std::string& { return row[static_cast<std::size_t>(c)]; };
    if (isTypingStub(numtext::trimBlanks(cell(column)), separator))
        cell(column).clear();
    if (column >= 2 && !isBlankField(cell(column)))
        for (int c = 1; c < column; ++c)
            if (isBlankField(cell(c)))
                cell(c) = "0";
    if (column >= 1) {
        bool filledAfter = false;
        for (int c = column + 1; c < kCardColumns; ++c)
            filledAfter = filledAfter || !isBlankField(cell(c));
        if (filledAfter)
            for (int c = 1; c <= column; ++c)
                if (isBlankField(cell(c)) || isTypingStub(numtext::trimBlanks(cell(c)), separator))
                    cell(c) = "0";
    }
}

} // namespace vrnnec::editor
