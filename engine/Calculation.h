// One calculation: the road every engine run takes, whoever starts it (a window or a
// command-line tool). It puts the deck in place (converted from an antenna file by the
// library, or as it is), checks it for cards the engine would never finish, starts the
// engine script in the program folder with the working folder as its current folder,
// lets the caller stop it, reports the elapsed time, and parses the listing into typed
// values. No widgets: a window only shows it.
#pragma once

#include "engine/Conversion.h"
#include "engine/EngineRun.h"
#include "engine/ListingParse.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <string>

namespace vrnnec::engine {

// Messages of a run.
inline constexpr const char* kUnableToStartMessage = "Unable to start NEC-2.";
inline constexpr const char* kStoppedMessage = "NEC-2 run was stopped.";
inline constexpr const char* kGreenFunctionUnsupportedMessage =
    "The NEC-2 engine cannot write or read Green function files (WG and GF cards).";

inline constexpr const char* kEngineConfMessage =
    "NEC-2 was not started: the engine settings (engine.conf) are not valid.";

// The engine scripts' exit code for an engine.conf they refuse (their message goes to
// standard error): sysexits' EX_CONFIG, which no engine gives; nec2c exits with the
// number of a signal it caught (8 on a floating point exception).
inline constexpr int kEngineConfExitCode = 78;

// The engine scripts' exit code for a deck with a WG or GF card when the engine cannot
// handle Green's function files (engine.conf).
inline constexpr int kGreenFunctionUnsupportedExitCode = 10;

// An antenna file to convert into the deck.
struct AntennaConversion {
    std::string antennaPath;
    conversion::ConversionOptions options;
};

struct CalculationRequest {
    QString programFolder;                    // holds the engine scripts
    QString workingFolder;                    // deck and listing; empty: the program folder
    bool auxiliary = false;                   // GoNecGN.bat on IndataGN.txo instead of GoNec.bat on Indata.txo
    std::optional<AntennaConversion> antenna; // converted into the deck first
    std::optional<std::string> deckText;      // or written as the deck; else the deck is in place
    bool convertOnly = false;                 // end once the deck is written
    int engineThreads = 0;                    // > 0: threads of a LAPACK-built engine (OPENBLAS_NUM_THREADS)
    bool parseListing = true;                 // parse the listing into `listing` when the engine ends
    ParseOptions parse;
};

enum class CalculationOutcome {
    NotStarted,
    Running,
    ConversionFailed,         // `message` is the library's text
    DeckNotWritten,           // the deck text could not be written
    DeckRefused,              // the deck check's message
    Converted,                // convertOnly: the deck is written
    EngineFailed,             // the script could not start, ended with an error (with the engine's reason) or refused engine.conf
    GreenFunctionUnsupported, // the engine cannot write or read Green's function files
    Stopped,                  // the caller stopped the engine
    Finished,                 // the engine ended; `listing` holds the parse (with its own message)
};

struct CalculationResult {
    CalculationOutcome outcome = CalculationOutcome::NotStarted;
    std::string message;         // what to show; empty for Converted and Finished
    ConversionResult conversion; // set when an antenna file was converted
    ListingData listing;         // set when Finished and the request asked for it
    bool succeeded() const { return outcome == CalculationOutcome::Finished && listing.complete(); }
};

class Calculation : public QObject {
    Q_OBJECT
public:
    explicit Calculation(QObject* parent = nullptr);
    ~Calculation() override;

    // The deck and listing paths of a request.
    static QString deckPath(const CalculationRequest& request);
    static QString listingPath(const CalculationRequest& request);
    static QString scriptPath(const CalculationRequest& request);

    // Puts the deck in place and starts the engine. Returns true when the engine is
    // running (finished() follows); false when the calculation ended here (result() says
    // how; finished() is not emitted).
    bool start(const CalculationRequest& request);
    // Stops a running engine and everything it started; the run ends as Stopped.
    void stop();
    bool isRunning() const;
    // Blocks in a local event loop until a running engine has ended.
    void waitForFinished();
    // Starts and waits: the whole calculation in one call.
    const CalculationResult& run(const CalculationRequest& request);

    const CalculationResult& result() const { return result_; }
    // Whole seconds since the engine started.
    int elapsedSeconds() const;
    // The process id of the running engine script (it leads the engine's process group);
    // 0 when none runs.
    qint64 processId() const;

    // The engine's own reason for a failed run: the last line that is not blank of the
    // engine's listing in `folder` when that file was written at or after `since` and
    // that line is words (a row of numbers the engine was writing when it failed is
    // no reason); empty otherwise. Cut to 255 characters.
    static std::string EngineReason(const QString& folder, const QDateTime& since);

    // The line for an engine that ended on a crash (nec2c exits with the signal's number:
    // 6 abort, 8 floating point exception, 11 segmentation fault); empty for other codes.
    static std::string CrashReason(int exitCode);

    // "0:35", "12:04", "1:02:03".
    static QString elapsedText(int seconds);

signals:
    void elapsed(int seconds); // every second while the engine runs
    void finished();

private:
    void engineEnded();

    CalculationRequest request_;
    CalculationResult result_;
    EngineRun run_;
    QElapsedTimer clock_;
    QDateTime started_;
    QTimer ticker_;
};

} // namespace vrnnec::engine