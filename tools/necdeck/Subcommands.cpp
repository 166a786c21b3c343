// The list of necdeck's subcommands: one line each.
#include "Subcommand.h"

namespace vrnnec::necdeck {

int RunTidy(Invocation& invocation);

const std::vector<Subcommand>& Subcommands()
{
    static const std::vector<Subcommand> list = {
        {"tidy", "tidy DECK [OUT]", "loads the deck into card rows and stores them back, as the card editor's OK does",
         RunTidy},
    };
    return list;
}

} // namespace vrnnec::necdeck
