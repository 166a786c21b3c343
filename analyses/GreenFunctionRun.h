// One run that writes the Green's function file Ngf2d.nec: the WG deck written to
// IndataGN.txo and run through GoNecGN.bat by the calculation core, in a working folder
// (the program folder for the window). An existing Ngf2d.nec is never lost: it is put
// aside before the run (copied, when the deck reads it on a GF card) and put back when
// the run fails or writes no new file; it goes only once the new file exists. A file
// left aside by a run that was killed is put back before the next run starts.
#pragma once

#include "engine/Calculation.h"

#include <QDateTime>
#include <QString>

#include <string>
#include <vector>

namespace vrnnec::analyses {

inline constexpr const char* kGreenFunctionNotCreatedMessage =
    "Green function file Ngf2d.nec not created. See NEC-2 output file for details.";

struct GreenFunctionRunResult {
    bool engineEnded = false; // the engine ran and its script returned 0
    bool written = false;     // a new Ngf2d.nec is in the working folder
    std::string message;      // what to show when not written
};

class GreenFunctionRun {
public:
    // Writes the WG deck built from `deckLines` (already checked) and starts the engine.
    // Returns true when the engine is running: wait on calculation(), then call finish().
    // Returns false when the run ended here; finish() then says why.
    bool start(const std::vector<std::string>& deckLines, const QString& programFolder,
               const QString& workingFolder = QString());
    engine::Calculation& calculation() { return calculation_; }
    // The outcome of the ended run; the old file is back in place unless a new one exists.
    GreenFunctionRunResult finish();

    // The Green's function file and the name it has while put aside.
    static QString filePath(const QString& folder);
    static QString asidePath(const QString& folder);

private:
    void putBack();

    engine::Calculation calculation_;
    QString folder_;
    bool reads_ = false;      // the deck reads the file: it stays in place for the run
    bool hadOldFile_ = false; // an old file is aside (moved or copied)
    QDateTime oldModified_;   // of the old file left in place
    std::string refusal_;     // why the run did not start, before the engine
};

} // namespace vrnnec::analyses
