// One near-field run, whoever starts it (the window's "Electric" and "Magnetic" or
// necdeck near): the grid checked, the deck prepared with its field card, written to
// IndataGN.txo and run through GoNecGN.bat by the calculation core, and the field block
// of the listing saved as comma-separated values.
#pragma once

#include "engine/Calculation.h"
#include "results/NearField.h"

#include <QString>

#include <string>
#include <vector>

namespace vrnnec::analyses {

class NearFieldRun {
public:
    // Checks the grid (its counts taken absolute) and prepares the deck with the field
    // card. Returns the refusal, empty when the run may start.
    std::string prepare(std::vector<std::string> deck, results::NearField field, results::NearFieldGrid grid);
    // Starts the engine on the prepared deck. Returns true when the engine is running:
    // wait on calculation(). Returns false when the run ended here (or was refused);
    // message() says why.
    bool start(const QString& programFolder, const QString& workingFolder = QString());
    engine::Calculation& calculation() { return calculation_; }

    // After the run: true when the engine finished; else message() says why.
    bool finished() const;
    // Why the run did not start or did not finish; empty otherwise.
    std::string message() const;

    // Reads the field block of the run's listing and writes it to `csvPath`.
    results::NearFieldSave save(const std::string& csvPath) const;

private:
    engine::Calculation calculation_;
    engine::CalculationRequest request_;
    results::NearField field_ = results::NearField::Electric;
    std::vector<std::string> deck_;
    std::string refusal_ = "The near field deck is not prepared.";
};

} // namespace vrnnec::analyses
