#include "Subcommand.h"

#include <algorithm>
#include <ostream>

namespace vrnnec::necdeck {

std::string UsageText()
{
    std::string text = "usage:\n";
    for (const Subcommand& s : Subcommands())
        text += std::string("    necdeck ") + s.usage + "\n";
    text += "    necdeck --help\n";
    return text;
}

int RunCommandLine(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                   std::ostream& err)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << "necdeck: NEC-2 deck tool.\n\n" << UsageText() << "\nsubcommands:\n";
        for (const Subcommand& s : Subcommands())
            out << "    " << s.name << ": " << s.summary << "\n";
        return 0;
    }
    for (const Subcommand& s : Subcommands()) {
        if (args.empty() || args[0] != s.name)
            continue;
        const auto end = std::find(args.begin() + 1, args.end(), "--");
        if (std::find(args.begin() + 1, end, "--help") != end || std::find(args.begin() + 1, end, "-h") != end) {
            out << "usage: necdeck " << s.usage << "\n\n" << s.summary << "\n";
            return 0;
        }
        Invocation invocation{std::vector<std::string>(args.begin() + 1, args.end()), programFolder, out, err};
        const int code = s.run(invocation);
        if (code == 2)
            err << "\n" << UsageText();
        return code;
    }
    err << (args.empty() ? std::string("A subcommand is missing.") : "Unknown subcommand: " + args[0]) << "\n\n"
        << UsageText();
    return 2;
}

} // namespace vrnnec::necdeck
