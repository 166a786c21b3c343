// The calculation core: deck checks before the engine starts, the script in a program
// folder with a blank and a non-ASCII letter in its path, Stop, and the typed listing.
#include "engine/Calculation.h"
#include "engine/DeckChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

void writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

void writeScript(const QString& path, const QByteArray& body)
{
    writeFile(path, "#!/bin/sh\n" + body + "\n");
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program folder whose path has a blank and a non-ASCII letter in it.
struct ProgramFolder {
    QTemporaryDir root;
    QString path = root.filePath(QStringLiteral("Program Files/VRN NEC ü"));
    ProgramFolder() { QDir().mkpath(path); }
    QString file(const char* name) const { return QDir(path).filePath(QLatin1String(name)); }
};

const QByteArray kDipoleDeck = "CM dipole\r\nCE\r\nGW 1 21 0 -5 10 0 5 10 0.001\r\nGE 0\r\nEX 0 1 11 0 1 0\r\n"
                               "FR 0 1 0 0 14 0\r\nRP 0 1 360 1000 70 0 0 1\r\nRP 0 181 1 1000 90 0 -1 0\r\nEN";

} // namespace

TEST(DeckChecks, CardsTheEngineCannotComputeAreFound)
{
    struct Case {
        const char* deck;
        const char* expectedStart; // empty: no message
    };
    const char* none = "The NEC-2 input has no wire segments and no surface patches";
    const Case cases[] = {
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nEN\n", ""},
        {"CE\nGW 7 5 1 2 3 1 2 3 0.001\nEN\n", "The wire with tag 7 (line 2 of the NEC-2 input) has zero length"},
        {"CE\r\ngw,3,5,0.5,0,0,0.5,0,0,0.001\r\nEN\r\n", "The wire with tag 3 (line 2"},
        {"CE\nGW\t4\t5\t-0\t0\t1\t0\t0\t1\t0.002\nEN\n", "The wire with tag 4"},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nGW 2 5 0 0 1 0 0 1 0.001\nGW 3 5 0 0 2 0 0 2 0.001\n", "The wire with tag 2 "},
        {"CE\nEN\nGW 9 5 0 0 0 0 0 0 0.001\n", none}, // after EN: not read
        {"CE\nGW 1 5 0 0 0 0 0\nEN\n", ""},             // too few fields for the engine anyway
        {"CM GW 1 5 0 0 0 0 0 0 0.001\nEN\n", none},    // a comment
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nRP 0 1 360 1000 70 0 0 1\n", "The NEC-2 input has no EN card."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nen\n", ""},
        // Segments: none at all crashes the engine, a negative count fails it; a wire of
        // none beside others, a patch or a structure read from a Green's function file is
        // something to compute; a count that is not a whole number is the engine's to name.
        {"CE\nGW 1 0 0 0 0 0 0 1 0.001\nGE\nEN\n", none},
        {"CE\nGE\nFR 0 1 0 0 14\nEN\n", none},
        {"CE\nGW 1 0 0 0 0 0 0 1 0.001\nGW 2 5 0 0 0 0 0 1 0.001\nEN\n", ""},
        {"CE\nGW 2 -3 0 0 0 0 0 1 0.001\nEN\n", "The wire with tag 2 (line 2 of the NEC-2 input) has -3 segments."},
        {"CE\nGA 5 -8 1 0 90 0.001\nEN\n", "The wire with tag 5 (line 2 of the NEC-2 input) has -8 segments."},
        {"CE\ngh,6,-1,0.1,1,0.2,0.2,0.2,0.2,0.001\nEN\n", "The wire with tag 6 (line 2"},
        {"CE\nGW 1 0.5 0 0 0 0 0 1 0.001\nEN\n", ""},
        {"CE\nSP 0 0 0 0 1 0 0 1\nGE\nEN\n", ""},
        {"CE\nSM 2 2 0 0 1 1 0 1\nGE\nEN\n", ""},
        {"CE\nGF 0\nEN\n", ""},
        // Frequencies: the engine never finishes on a negative one, also a later step's.
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 0 1 0 0 -14\nEN\n",
         "The FR card (line 3 of the NEC-2 input) asks for a negative frequency, -14 MHz."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 0 3 0 0 14 -10\nEN\n", "The FR card (line 3 of the NEC-2 input) asks for a negative frequency, -6 MHz."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nfr,0,4,0,0,14,-7\nEN\n", "The FR card (line 3 of the NEC-2 input) asks for a negative frequency, -7 MHz."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 0 3 0 0 14 -7\nEN\n", ""}, // 14, 7, 0
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 1 2 0 0 14 -2\nEN\n", "The FR card (line 3 of the NEC-2 input) asks for a negative frequency, -28 MHz."},
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 1 1 0 0 14 -2\nEN\n", ""}, // one frequency
        {"CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 0 1 0 0 0\nEN\n", ""},     // zero: the listing says so
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.deck);
        const QString path = dir.filePath("deck.txt");
        writeFile(path, c.deck);
        const std::string message = engine::CheckDeckFile(path.toStdString());
        if (*c.expectedStart == '\0')
            EXPECT_EQ(message, "");
        else
            EXPECT_EQ(message.rfind(c.expectedStart, 0), 0u) << message;
    }
    EXPECT_EQ(engine::CheckDeckFile(dir.filePath("missing.txt").toStdString()), "");
}

TEST(DeckChecks, PatternAndNearFieldPointsAreLimited)
{
    struct Case {
        const char* cards;  // between "CE" and "EN"
        const char* points; // the count in the message; empty: no message
    };
    const Case cases[] = {
        {"FR 0 1 0 0 14 0\nRP 0 1 360 1000 70 0 0 1\nRP 0 181 1 1000 90 0 -1 0", ""},
        {"RP 0 1000 1000 1000 0 0 1 1", ""},                            // exactly the limit
        {"RP 0 1000 1001 1000 0 0 1 1", "1,001,000"},                   // one card above it
        {"RP 0 1 360\nRP 0 181 1\nRP 0 99999 99999 1000", "9,999,800,542"}, // the third card
        {"FR 0 3 0 0 14 1\nRP 0 600 600 1000", "1,080,000"},             // each of every frequency
        {"RP 0 600 600 1000\nFR 0 3 0 0 14 1", ""},                      // before the FR card: once
        {"FR 0 2 0 0 14 1\nNE 0 100 100 50 0 0 0 1 1 1\nNH 0 10 10 10", "1,002,000"},
        {"FR 0 2 0 0 14 1\nNE 0 100 100 51 0 0 0 1 1 1", "1,020,000"},
        {"rp,0,2000,1000,1000", "2,000,000"},                            // lower case, commas
        {"RP 0 0 999994 1000\nNE 0 x 2 3", ""},   // a zero or unread count is one: 999,994 + 6
        {"RP 0 0 999994 1000\nNE 0 x 2 4", "1,000,002"},
        {"RP 0 1000 1000\nEN\nRP 0 1000 1000", ""},                     // after EN
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cards);
        const QString path = dir.filePath("deck.txt");
        writeFile(path, QByteArray("CE\nGW 1 5 0 0 0 0 0 1 0.001\n") + c.cards + "\nEN\n");
        const std::string message = engine::CheckDeckFile(path.toStdString());
        if (*c.points == '\0')
            EXPECT_EQ(message, "");
        else
            EXPECT_EQ(message, "The deck asks for " + std::string(c.points)
                          + " pattern and near-field points; at most 1,000,000 are allowed. "
                            "Please ask for fewer points on the RP, NE and NH cards.");
    }
}

TEST(Calculation, ARunawayDeckNeverReachesTheEngine)
{
    ProgramFolder program;
    writeScript(program.file("GoNecGN.bat"), "touch started; exit 0");
    engine::CalculationRequest request;
    request.programFolder = program.path;
    request.auxiliary = true;
    request.deckText = "CE\nGW 1 5 0 0 0 0 0 1 0.001\nFR 0 1 0 0 14 0\nRP 0 99999 99999 1000 0 0 1 1\nEN\n";
    engine::Calculation calculation;
    const engine::CalculationResult& result = calculation.run(request);
    EXPECT_EQ(result.outcome, engine::CalculationOutcome::DeckRefused);
    EXPECT_EQ(result.message.rfind("The deck asks for 9,999,800,001 pattern", 0), 0u) << result.message;
    EXPECT_FALSE(QFile::exists(program.file("started")));
}

TEST(Calculation, ZeroLengthWireNeverReachesTheEngine)
{
    ProgramFolder program;
    writeScript(program.file("GoNec.bat"), "touch started; exit 0");
    writeFile(program.file("Indata.txo"), "CE\nGW 5 9 1 1 1 1 1 1 0.001\nEN\n");
    engine::CalculationRequest request;
    request.programFolder = program.path;
    engine::Calculation calculation;
    const engine::CalculationResult& result = calculation.run(request);
    EXPECT_EQ(result.outcome, engine::CalculationOutcome::DeckRefused);
    EXPECT_NE(result.message.find("tag 5"), std::string::npos) << result.message;
    EXPECT_FALSE(QFile::exists(program.file("started")));
}

TEST(Calculation, RealEngineInAFolderWithBlankAndUmlaut)
{
    ProgramFolder program;
    for (const char* name : {"GoNec.bat", "GoNecGN.bat", "GoNecRun.sh", "nec2c-classic"}) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(PROGRAM_DIR "/") + name, program.file(name)));
        QFile(program.file(name)).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    writeFile(program.file("Indata.txo"), kDipoleDeck);
    engine::CalculationRequest request;
    request.programFolder = program.path;
    engine::Calculation calculation;
    const engine::CalculationResult& result = calculation.run(request);
    ASSERT_EQ(result.outcome, engine::CalculationOutcome::Finished) << result.message;
    EXPECT_TRUE(result.succeeded()) << result.listing.message;
    ASSERT_EQ(result.listing.blocks.size(), 1u);
    const engine::FrequencyBlock& block = result.listing.blocks.front();
    EXPECT_EQ(block.frequency, 14.0);
    ASSERT_EQ(block.sources.size(), 1u);
    EXPECT_NEAR(block.sources[0].impedanceReal.value_or(0), 73, 10); // a half-wave dipole
    EXPECT_EQ(block.currents.size(), 21u);
    ASSERT_TRUE(block.powerBudget.has_value());
    EXPECT_GT(block.powerBudget->inputPower.value_or(0), 0);
    EXPECT_NEAR(block.powerBudget->efficiency.value_or(0), 100, 1e-9);
    EXPECT_EQ(block.patterns.azimuth.size(), 360u);
    EXPECT_EQ(block.patterns.elevation.size(), 181u);
}

TEST(Calculation, OutcomesOfTheScript)
{
    struct Case {
        const char* script;
        bool stop;
        engine::CalculationOutcome outcome;
        const char* message;
    };
    const Case cases[] = {
        {"exit 1", false, engine::CalculationOutcome::EngineFailed, "Unable to start NEC-2."},
        {"exit 251", false, engine::CalculationOutcome::EngineFailed, "Unable to start NEC-2."},
        // The engine's own reason, the last line of its listing, on a second line.
        {"printf '\\n  COMMAND DATA CARD ERROR:\\n  CARD\\047S MNEMONIC CODE TOO SHORT OR MISSING.\\n\\n' "
         "> Outdata.nec2c.txo; exit 255",
         false, engine::CalculationOutcome::EngineFailed,
         "Unable to start NEC-2.\nCARD'S MNEMONIC CODE TOO SHORT OR MISSING."},
        {"exit 10", false, engine::CalculationOutcome::GreenFunctionUnsupported,
         "The NEC-2 engine cannot write or read Green function files (WG and GF cards)."},
        {"exit 78", false, engine::CalculationOutcome::EngineFailed,
         "NEC-2 was not started: the engine settings (engine.conf) are not valid."},
        // nec2c's exit on a floating point exception is the engine failing, not its settings;
        // a crash is named when the listing gives no reason (a row of numbers is none).
        {"exit 8", false, engine::CalculationOutcome::EngineFailed,
         "Unable to start NEC-2.\nThe engine crashed on this deck (a floating point exception, exit code 8). "
         "Please check the deck's cards."},
        {"printf '   70.00    344.00   -150.36  -999.99\\n\\n' > Outdata.nec2c.txo; exit 6", false,
         engine::CalculationOutcome::EngineFailed,
         "Unable to start NEC-2.\nThe engine crashed on this deck (an abort, exit code 6). Please check the deck's cards."},
        {"printf '  GEOMETRY DATA CARD ERROR\\n' > Outdata.nec2c.txo; exit 11", false,
         engine::CalculationOutcome::EngineFailed, "Unable to start NEC-2.\nGEOMETRY DATA CARD ERROR"},
        {"sleep 1000 & wait", true, engine::CalculationOutcome::Stopped, "NEC-2 run was stopped."},
        // The script ended well but left no listing: the parse says so.
        {"exit 0", false, engine::CalculationOutcome::Finished, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ProgramFolder program;
        QTemporaryDir work;
        writeScript(program.file("GoNecGN.bat"), c.script);
        writeFile(QDir(work.path()).filePath("IndataGN.txo"), kDipoleDeck);
        engine::CalculationRequest request;
        request.programFolder = program.path;
        request.workingFolder = work.path();
        request.auxiliary = true;
        engine::Calculation calculation;
        ASSERT_TRUE(calculation.start(request));
        EXPECT_TRUE(calculation.isRunning());
        if (c.stop)
            QTimer::singleShot(200, &calculation, [&calculation] { calculation.stop(); });
        calculation.waitForFinished();
        EXPECT_FALSE(calculation.isRunning());
        EXPECT_EQ(calculation.result().outcome, c.outcome);
        EXPECT_EQ(calculation.result().message, c.message);
        if (c.outcome == engine::CalculationOutcome::Finished) {
            EXPECT_EQ(calculation.result().listing.message, "Error opening NEC-2 output file Outdata.txo");
        }
    }
}

TEST(Calculation, DeckTextIsWrittenThenChecked)
{
    ProgramFolder program;
    writeScript(program.file("GoNec.bat"), "cp Indata.txo seen.txo; exit 0");
    engine::CalculationRequest request;
    request.programFolder = program.path;
    request.deckText = std::string(kDipoleDeck.constData());
    engine::Calculation calculation;
    EXPECT_EQ(calculation.run(request).outcome, engine::CalculationOutcome::Finished);
    QFile seen(program.file("seen.txo"));
    ASSERT_TRUE(seen.open(QIODevice::ReadOnly));
    EXPECT_EQ(seen.readAll(), kDipoleDeck);
    // The script left no listing: the parse says so, unless the run asked for none.
    EXPECT_EQ(calculation.result().listing.message, "Error opening NEC-2 output file Outdata.txo");
    request.parseListing = false;
    EXPECT_EQ(calculation.run(request).outcome, engine::CalculationOutcome::Finished);
    EXPECT_EQ(calculation.result().listing.message, "");
    request.parseListing = true;

    request.deckText = "CE\r\nGW 2 3 0 0 1 0 0 1 0.001\r\nEN\r\n";
    EXPECT_EQ(calculation.run(request).outcome, engine::CalculationOutcome::DeckRefused);

    request.workingFolder = program.file("missing folder");
    EXPECT_EQ(calculation.run(request).outcome, engine::CalculationOutcome::DeckNotWritten);
    EXPECT_EQ(calculation.result().message,
              "Unable to write to " + program.file("missing folder/Indata.txo").toStdString());
}

TEST(Calculation, ElapsedText)
{
    EXPECT_EQ(engine::Calculation::elapsedText(0), "0:00");
    EXPECT_EQ(engine::Calculation::elapsedText(35), "0:35");
    EXPECT_EQ(engine::Calculation::elapsedText(724), "12:04");
    EXPECT_EQ(engine::Calculation::elapsedText(3723), "1:02:03");
}
