// Pieces the subcommands share: the command line, number arguments, the files' checks,
// the working folder (a fresh temporary one or the one to keep), signal stops, the
// deck's own frequency.
#pragma once

#include "Subcommand.h"
#include "common/FileIdentity.h"
#include "engine/Calculation.h"
#include "engine/SignalStop.h"
#include "engine/Swr.h"
#include "engine/WorkingFolder.h"

#include <functional>
#include <iosfwd>

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::necdeck {

// "R,X" or "X,Y,Z": exactly `count` comma-separated reals in point notation.
std::optional<std::vector<double>> ParseReals(const std::string& text, std::size_t count);
std::optional<std::vector<long long>> ParseIntegers(const std::string& text, std::size_t count);

// "R,X" of --swr-reference: a reference whose R is above 0, as the NEC-2 input page's
// reference fields take it (R <= 0 gives no SWR).
std::optional<engine::SwrReference> ParseSwrReference(const std::string& text);

// The command line of a subcommand: options in `valueOptions` take the next argument as
// their value, `flags` take none, and every other argument not starting with "-" (or
// any after "--") is a file, collected in `files`. `apply` receives each option with
// its value (empty for a flag) and returns false when the value is wrong. Returns 0, or
// 2 with the reason on `err` ("Invalid value for ...", "Unknown option --x.",
// "Option --x needs a value.").
int ScanCommandLine(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                    const std::vector<std::string>& flags,
                    const std::function<bool(const std::string& option, const std::string& value)>& apply,
                    std::vector<std::string>& files, std::ostream& err);

// The same for a subcommand that takes one deck: 2 with "A deck is missing." or
// "Unexpected argument: ..." for none or more.
int ScanArguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                  const std::vector<std::string>& flags,
                  const std::function<bool(const std::string& option, const std::string& value)>& apply,
                  std::string& deck, std::ostream& err);

// The working folder of a run: `keepDir` (created when missing) or a fresh temporary
// one that is removed with this object.
using WorkingFolder = engine::RunFolder;

// Before anything is read or written: no input or output is a folder, no output is one
// of the inputs (a --keep folder's working files included: `keepDir`), and every output
// can be put into its folder (outputs in `madeFolders` go into folders made on the way).
// 0, or 1 with the message on `err`.
int CheckFiles(const std::vector<fileid::NamedFile>& inputs, std::vector<fileid::NamedFile> outputs,
               const std::string& keepDir, std::ostream& err, const std::vector<std::string>& madeFolders = {});

// True when the working folder is there; else false with the reason on `err`.
bool FolderReady(const WorkingFolder& folder, std::ostream& err);

// Checks the files as CheckFiles does, then runs `body`, which runs engines and has them
// watched by the SignalStop it gets. `body` gets the call with its error stream held
// back: on Ctrl+C, SIGTERM or SIGHUP the engines are stopped, `body` returns (its
// temporary folder goes with it), only "NEC-2 run was stopped." is printed and the exit
// code is 128 + the signal. Otherwise what `body` wrote on its error stream is passed on.
int CheckFilesAndRun(Invocation& call, const std::vector<fileid::NamedFile>& inputs,
                     std::vector<fileid::NamedFile> outputs, const std::string& keepDir,
                     const std::function<int(Invocation& call, engine::SignalStop&)>& body,
                     const std::vector<std::string>& madeFolders = {});

// The frequency (MHz) of the first FR card of a deck: its fifth field.
std::optional<double> DeckFrequency(const std::vector<std::string>& deck);

// Runs `request` through `calculation`, stopped by `stopSignals`. True when the engine
// finished (the result is `calculation.result()`); else false with the reason on `err`,
// none when a signal stopped the run.
bool RunCalculation(engine::Calculation& calculation, const engine::CalculationRequest& request,
                    engine::SignalStop& stopSignals, std::ostream& err);

} // namespace vrnnec::necdeck
