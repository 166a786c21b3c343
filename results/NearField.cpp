#include "results/NearField.h"

#include "common/AtomicFile.h"
#include "common/DeckCards.h"
#include "common/NumberText.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <string_view>

namespace vrnnec::results {

namespace {

constexpr NearFieldTexts kElectric{
    "NE 0 ",
    "Save Electric Near Field in file",
    "X(m),Y(m),Z(m),VECTOR,REAL(V/m),IMAGINARY(V/m),MAGNITUDE(V/m),PHASE(DEG)",
    "NEAR ELECTRIC FIELDS data in output NEC-2 file not found.",
    "Error opening file to save Near Electric Fields.",
    "Invalid NEAR ELECTRIC FIELD data in NEC-2 output file. See output NEc-2 file for details.",
};

constexpr NearFieldTexts kMagnetic{
    "NH 0 ",
    "Save Magnetic Near Field in file",
    "X(m),Y(m),Z(m),VECTOR,REAL(AT/m),IMAGINARY(AT/m),MAGNITUDE(AT/m),PHASE(DEG)",
    "NEAR MAGNETIC FIELDS data in output NEC-2 file not found.",
    "Error opening file to save Near Magnetic Fields.",
    "Invalid NEAR MAGNETIC FIELD data in NEC-2 output file. See output NEc-2 file for details.",
};

constexpr std::array<std::string_view, 9> kRemoved = {"EN", "CP", "NE", "NH", "PQ", "PT", "RP", "WG", "XQ"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& list, std::string_view id)
{
    return std::find(list.begin(), list.end(), id) != list.end();
}

} // namespace

const NearFieldTexts& Texts(NearField field)
{
    return field == NearField::Electric ? kElectric : kMagnetic;
}

std::string CheckNearFieldGrid(NearFieldGrid& grid)
{
    long long product = 1;
    for (long long& n : grid.points) {
        n = n < 0 ? -n : n;
        if (n == 0)
            return nearfieldmessages::kNoPoints;
    }
    for (long long n : grid.points) {
        if (n > kMaxNearFieldPoints || product > kMaxNearFieldPoints / n)
            return nearfieldmessages::kTooManyPoints;
        product *= n;
    }
    return {};
}

std::string NearFieldCard(NearField field, const NearFieldGrid& grid)
{
    std::string card = Texts(field).card;
    card +=
        std::to_string(grid.points[0]) + " " + std::to_string(grid.points[1]) + " " + std::to_string(grid.points[2]);
    for (double v : grid.origin)
        card += " " + numtext::general(v);
    for (double v : grid.step)
        card += " " + numtext::general(v);
    return card;
}

int FirstRefusedNearFieldLine(const std::vector<std::string>& deck)
{
    return deckcards::FirstRefusedLine(deck);
}

std::string PrepareNearFieldDeck(std::vector<std::string>& deck, NearField field, const NearFieldGrid& grid)
{
    if (const int refused = FirstRefusedNearFieldLine(deck); refused >= 0)
        return messages::WithPlace(nearfieldmessages::kIncorrectCard,
                                   messages::RefusedDeckLine(refused, deck[static_cast<std::size_t>(refused)]));
    if (deckcards::AsksForSeveralFrequencies(deck))
        return nearfieldmessages::kSeveralFrequencies;
    std::erase_if(deck, [](const std::string& line) { return among(kRemoved, std::string_view(line).substr(0, 2)); });
    deck.push_back(NearFieldCard(field, grid));
    deck.push_back("EN");
    return {};
}

bool NearFieldCsvText(const std::vector<engine::NearFieldRow>& rows, NearField field, std::string& text)
{
    static constexpr double kRadians = 3.14159265358979323846 / 180;
    static constexpr const char* kVector[3] = {"X", "Y", "Z"};
    const auto value = [](const engine::OptionalReal& v) { return v.value_or(0.0); };
    text = std::string(Texts(field).header) + "\r\n";
    bool readable = true;
    for (const engine::NearFieldRow& row : rows) {
        readable = readable && row.readable();
        const std::string point = numtext::general(value(row.x)) + "," + numtext::general(value(row.y)) + ","
            + numtext::general(value(row.z));
        for (int i = 0; i < 3; ++i) {
            const double magnitude = value(row.magnitude[i]);
            const double phase = value(row.phase[i]);
            text += point + "," + kVector[i] + "," + numtext::exponent(magnitude * std::cos(phase * kRadians), 7, 2)
                + "," + numtext::exponent(magnitude * std::sin(phase * kRadians), 7, 2) + ","
                + numtext::exponent(magnitude, 7, 2) + "," + numtext::general(phase) + "\r\n";
        }
    }
    return readable;
}

std::string WriteNearFieldCsv(const std::vector<engine::NearFieldRow>& rows, NearField field, const std::string& path)
{
    std::string text;
    if (!NearFieldCsvText(rows, field, text))
        return Texts(field).invalidData;
    if (!atomicfile::WriteFileAtomically(path, text).empty())
        return Texts(field).openFailed;
    return {};
}

NearFieldSave SaveNearField(const std::string& listingPath, NearField field, const std::string& csvPath)
{
    const engine::NearFieldListing listing = engine::ReadNearFieldListing(listingPath, field);
    NearFieldSave save;
    save.powerBudgetLine = listing.powerBudgetLine;
    if (listing.status == engine::NearFieldReading::ListingMissing)
        save.message = nearfieldmessages::kListingMissing;
    else if (listing.status == engine::NearFieldReading::HeadingMissing)
        save.message = Texts(field).notFound;
    else
        save.message = WriteNearFieldCsv(listing.rows, field, csvPath);
    return save;
}

} // namespace vrnnec::results
