// Message texts that more than one part of the program shows, each written once.
#pragma once

#include <string>
#include <string_view>

namespace vrnnec::messages {

inline constexpr const char* kListingOpenFailed = "Error opening NEC-2 output file Outdata.txo";
inline constexpr const char* kIncorrectCard = "Incorrect card are present.";
inline constexpr const char* kIndataMissing = "Current input NEC-2 file, Indata.txo not found.";
// Followed by the folder.
inline constexpr const char* kUnableToCreateFolder = "Unable to create the folder ";

// Where a message about one bad card points, on the line after the message: the card's
// row in the card table ("Row") or its line in a deck text ("Line"), counted from 1,
// the card's identifier, and the fault, fields counted from 1 as the table's columns:
// "Row 7 (GW): field 5 is not a number."
inline constexpr const char* kRowPlace = "Row";
inline constexpr const char* kLinePlace = "Line";
inline constexpr const char* kNotANumber = "is not a number.";
inline constexpr const char* kCardIdMissing = "the Card ID is missing.";
inline constexpr const char* kCardIdNotTwoLetters = "the Card ID is not two letters or digits.";
inline constexpr const char* kLineBreakInCard = "the card holds a line break.";
inline constexpr const char* kCardNotAccepted = "this card cannot be used here.";
inline constexpr const char* kEmptyDeckLine = "the line is empty.";

// "Row 7 (GW): " + fault. The identifier is shown trimmed, control characters as "?",
// at most 20 characters; a blank identifier leaves out the parentheses.
inline std::string CardFault(const char* place, int number, std::string_view id, std::string_view fault)
{
    while (!id.empty() && (id.front() == ' ' || id.front() == '\t'))
        id.remove_prefix(1);
    while (!id.empty() && (id.back() == ' ' || id.back() == '\t'))
        id.remove_suffix(1);
    std::string text = std::string(place) + " " + std::to_string(number);
    if (!id.empty()) {
        text += " (";
        for (char c : id.substr(0, 20))
            text += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        text += ")";
    }
    return text + ": " + std::string(fault);
}

// "Row 7 (GW): field 5 " + fault.
inline std::string FieldFault(const char* place, int number, std::string_view id, int field, std::string_view fault)
{
    return CardFault(place, number, id, "field " + std::to_string(field) + " " + std::string(fault));
}

// The line of a deck that a run does not take (`index` 0-based): "Line 4 (XY): this card
// cannot be used here.", or "Line 4: the line is empty." for a blank line.
inline std::string RefusedDeckLine(int index, std::string_view line)
{
    const bool blank = line.find_first_not_of(" \t\r") == std::string_view::npos;
    return blank ? CardFault(kLinePlace, index + 1, {}, kEmptyDeckLine)
                 : CardFault(kLinePlace, index + 1, line.substr(0, 2), kCardNotAccepted);
}

// A message of the program and, on its next line, where: "Incorrect numbers occurs in
// table!\nRow 7 (GW): field 5 is not a number."
inline std::string WithPlace(std::string_view message, const std::string& place)
{
    return std::string(message) + "\n" + place;
}

// The status line after a file was saved: "Saved CSV to /path/file.csv", with one of
// the kinds below.
inline constexpr const char* kSavedCsv = "CSV";
inline constexpr const char* kSavedBitmap = "bitmap";
inline constexpr const char* kSavedTouchstone = "Touchstone";
inline constexpr const char* kSavedText = "text";
inline std::string SavedFileText(std::string_view kind, std::string_view path)
{
    return "Saved " + std::string(kind) + " to " + std::string(path);
}

} // namespace vrnnec::messages
