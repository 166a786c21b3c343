// The list of necdeck's subcommands: one line each.
#include "GfCommand.h"
#include "Subcommand.h"

namespace vrnnec::necdeck {

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = {
        {"gf", "gf DECK OUT", "writes the Green's function file of DECK (its WG run) to OUT", RunGf},
    };
    return list;
}

} // namespace vrnnec::necdeck
