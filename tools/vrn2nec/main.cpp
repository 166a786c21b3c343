// vrn2nec: converts a VORNA antenna file into a NEC-2 deck from the command line, and
// with --run evaluates it through the engine as the desktop program would.
#include "Vrn2NecConversion.h"
#include "Vrn2NecOptions.h"
#include "Vrn2NecRun.h"
#include "common/AtomicFile.h"

#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

using namespace vrnnec;

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const vrn2nec::ParsedCommandLine parsed = vrn2nec::ParseOptions(args);
    if (parsed.help) {
        std::cout << vrn2nec::UsageText();
        return atomicfile::FinishStandardOutput(0, std::cerr);
    }
    if (!parsed.error.empty()) {
        std::cerr << parsed.error << "\n\n" << vrn2nec::UsageText();
        return 2;
    }
    if (parsed.options.run) {
        // The diagrams are drawn with fonts, which need a (windowless) GUI application.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Standard error carries the tool's own messages only, not the toolkit's notes
        // about the desktop session.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::cerr << text.toStdString() << "\n";
        });
        QGuiApplication app(argc, argv);
        const int code = vrn2nec::RunAntenna(parsed.options, QCoreApplication::applicationDirPath().toStdString(),
                                             std::cout, std::cerr);
        return atomicfile::FinishStandardOutput(code, std::cerr);
    }
    vrn2nec::ConversionReport report;
    // The report is what a script reads: it not arriving is a failure.
    return atomicfile::FinishStandardOutput(vrn2nec::ConvertAntenna(parsed.options, std::cout, std::cerr, report),
                                            std::cerr);
}
