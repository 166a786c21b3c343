// The list of necdeck's subcommands: one line each.
#include "GfCommand.h"
#include "Subcommand.h"

namespace vrnnec::necdeck {

int RunView(Invocation& invocation);
extern const Subcommand kSweepCommand;
extern const Subcommand kNearCommand;
int RunTidy(Invocation& invocation);
extern const Subcommand kRunCommand;
extern const Subcommand kOptimizeCommand;
extern const Subcommand kPatternCommand;

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = {
        {"tidy", "tidy DECK [OUT]", "loads the deck into card rows and stores them back, as the card editor's OK does",
         RunTidy},
        kRunCommand,
        kSweepCommand,
        kNearCommand,
        kOptimizeCommand,
        {"gf", "gf DECK OUT", "writes the Green's function file of DECK (its WG run) to OUT", RunGf},
        {"view", "view [--mode center|z|real] [--dump] [--png FILE] LISTING",
         "the 3-D viewer's model of a listing, fitted to the view, as JSON or as its picture", &RunView, true},
        kPatternCommand,
    };
    return list;
}

} // namespace vrnnec::necdeck
