// Pieces the running subcommands share: number arguments, the working folder (a fresh
// temporary one or the one to keep), the deck's own frequency.
#pragma once

#include <QTemporaryDir>

#include <functional>
#include <iosfwd>

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::necdeck {

// "R,X" or "X,Y,Z": exactly `count` comma-separated reals in point notation.
std::optional<std::vector<double>> ParseReals(const std::string& text, std::size_t count);
std::optional<std::vector<long long>> ParseIntegers(const std::string& text, std::size_t count);

// The command line of a subcommand: options in `valueOptions` take the next argument as
// their value, `flags` take none, and one argument without "--" is the deck. `apply`
// receives each option with its value (empty for a flag) and returns false when the
// value is wrong. Returns 0, or 2 with the reason on `err` ("Invalid value for ...",
// "Unexpected argument: ...", "A deck is missing.").
int ScanArguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                  const std::vector<std::string>& flags,
                  const std::function<bool(const std::string& option, const std::string& value)>& apply,
                  std::string& deck, std::ostream& err);

// The working folder of a run: `keepDir` (created when missing) or a fresh temporary one
// that is removed with this object. `path` is empty when neither could be had; `message`
// says why.
struct WorkingFolder {
    // A temporary folder, or `keepDir` when given; it takes the user's engine.conf when
    // the program in `programFolder` keeps its files in the user's folder.
    WorkingFolder(const std::string& keepDir, const std::string& programFolder);
    QTemporaryDir temporary;
    QString path;
    std::string message;
};

// The frequency (MHz) of the first FR card of a deck: its fifth field.
std::optional<double> DeckFrequency(const std::vector<std::string>& deck);

} // namespace vrnnec::necdeck
