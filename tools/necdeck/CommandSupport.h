// Pieces the running subcommands share: number arguments, the working folder (a fresh
// temporary one or the one to keep), the deck's own frequency.
#pragma once

#include <QTemporaryDir>

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::necdeck {

// "R,X" or "X,Y,Z": exactly `count` comma-separated reals in point notation.
std::optional<std::vector<double>> ParseReals(const std::string& text, std::size_t count);
std::optional<std::vector<long long>> ParseIntegers(const std::string& text, std::size_t count);

// The working folder of a run: `keepDir` (created when missing) or a fresh temporary one
// that is removed with this object. `path` is empty when neither could be had; `message`
// says why.
struct WorkingFolder {
    explicit WorkingFolder(const std::string& keepDir);
    QTemporaryDir temporary;
    QString path;
    std::string message;
};

// The frequency (MHz) of the first FR card of a deck: its fifth field.
std::optional<double> DeckFrequency(const std::vector<std::string>& deck);

} // namespace vrnnec::necdeck
