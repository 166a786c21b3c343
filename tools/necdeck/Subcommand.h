// necdeck: the deck tool. Each subcommand lives in a file of its own and is listed once
// in Subcommands.cpp; main() only dispatches.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vrnnec::necdeck {

// What a subcommand gets: its arguments (after its name), the program folder (the
// folder of necdeck, with the engine scripts) and the two output streams. It returns
// the exit code: 0 on success, 1 with its message on `err`, 2 for a wrong command line
// (the caller then prints the usage).
struct Invocation {
    std::vector<std::string> args;
    std::string programFolder;
    std::ostream& out;
    std::ostream& err;
};

struct Subcommand {
    const char* name;
    const char* usage;   // the usage lines, without the program name's "necdeck "
    const char* summary; // one line for --help
    int (*run)(Invocation& invocation);
    bool needsGui = false; // draws with fonts (diagrams, pictures): a windowless GUI application
};

// Every subcommand, in the order --help lists them.
const std::vector<Subcommand>& Subcommands();

// The usage text: every subcommand's usage lines.
std::string UsageText();

// Runs the command line `args` (after the program name). Usage errors print the usage
// on `err` and return 2; "--help" prints the subcommands on `out` and returns 0.
int RunCommandLine(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                   std::ostream& err);

} // namespace vrnnec::necdeck
