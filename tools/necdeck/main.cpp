// necdeck: works on NEC-2 decks from the command line with the program's own code.
#include "Subcommand.h"
#include "common/AtomicFile.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

using namespace vrnnec;

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    bool gui = false;
    for (const necdeck::Subcommand& s : necdeck::Subcommands())
        gui = gui || (s.needsGui && !args.empty() && args[0] == s.name);
    // Standard error carries the tool's own messages only.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << text.toStdString() << "\n";
    });
    std::unique_ptr<QCoreApplication> app;
    if (gui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const int code =
        necdeck::RunCommandLine(args, QCoreApplication::applicationDirPath().toStdString(), std::cout, std::cerr);
    // A deck or a table on a full disk is a failure, not a success with half a file.
    return atomicfile::FinishStandardOutput(code, std::cerr);
}
