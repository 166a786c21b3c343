// The list of necdeck's subcommands: one line each.
#include "Subcommand.h"

namespace vrnnec::necdeck {

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = {};
    return list;
}

} // namespace vrnnec::necdeck
