// The list of necdeck's subcommands: one line each.
#include "Subcommand.h"

namespace vrnnec::necdeck {

extern const Subcommand kSweepCommand;
extern const Subcommand kNearCommand;

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = {
        kSweepCommand,
        kNearCommand,
    };
    return list;
}

} // namespace vrnnec::necdeck
