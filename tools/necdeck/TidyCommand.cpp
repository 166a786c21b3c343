// necdeck tidy DECK [OUT]: the deck loaded into card rows as the card table editor
// loads it and stored back unchanged, as the editor's OK stores it.
#include "CommandSupport.h"
#include "Subcommand.h"
#include "common/AtomicFile.h"
#include "editor/CardRows.h"
#include "editor/DeckFile.h"

#include <ostream>

namespace vrnnec::necdeck {

int RunTidy(Invocation& invocation)
{
    std::vector<std::string> args;
    if (const int code = ScanCommandLine(invocation.args, {}, {}, [](auto&, auto&) { return true; }, args,
                                         invocation.err);
        code != 0)
        return code;
    if (args.empty() || args.size() > 2) {
        invocation.err << "tidy needs a deck and at most one output file.\n";
        return 2;
    }
    // OUT may be the deck itself: it is read whole before the atomic writer replaces it.
    const std::string folder =
        fileid::CheckNoFolders({{args[0], "deck"}, {args.size() == 2 ? args[1] : std::string(), "output file"}});
    if (!folder.empty()) {
        invocation.err << folder << "\n";
        return 1;
    }
    const auto deck = editor::ReadDeckFile(args[0]);
    if (!deck) {
        invocation.err << editor::FileNotFoundMessage(args[0]) << "\n";
        return 1;
    }
    // Decks keep the point whatever the locale; the rows use it too.
    const auto rows = editor::LoadDeckTable(*deck, '.');
    if (!rows) {
        invocation.err << "The deck has no cards to edit.\n";
        return 1;
    }
    const editor::StoreResult stored = editor::StoreDeckTable(*deck, *rows, '.');
    if (!stored.ok) {
        invocation.err << editor::StoreMessageInDeck(*deck, stored) << "\n";
        return 1;
    }
    const std::string bytes = editor::DeckFileBytes(stored.deck);
    if (args.size() == 1) {
        invocation.out << bytes;
        return invocation.out ? 0 : 1;
    }
    if (!atomicfile::WriteFileAtomically(args[1], bytes).empty()) {
        invocation.err << atomicfile::UnableToWriteMessage(args[1]) << "\n";
        return 1;
    }
    return 0;
}

} // namespace vrnnec::necdeck
