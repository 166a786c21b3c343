#include "analyses/NearFieldRun.h"

#include "common/DeckText.h"

namespace vrnnec::analyses {

std::string NearFieldRun::prepare(std::vector<std::string> deck, results::NearField field, results::NearFieldGrid grid)
{
    field_ = field;
    refusal_ = results::CheckNearFieldGrid(grid);
    if (refusal_.empty())
        refusal_ = results::PrepareNearFieldDeck(deck, field, grid);
    deck_ = refusal_.empty() ? std::move(deck) : std::vector<std::string>{};
    return refusal_;
}

bool NearFieldRun::start(const QString& programFolder, const QString& workingFolder)
{
    if (!refusal_.empty())
        return false;
    request_ = engine::CalculationRequest{};
    request_.programFolder = programFolder;
    request_.workingFolder = workingFolder;
    request_.auxiliary = true;
    request_.parseListing = false; // only the field block is read, by save()
    request_.deckText = decktext::JoinLines(deck_);
    return calculation_.start(request_);
}

bool NearFieldRun::finished() const
{
    return refusal_.empty() && calculation_.result().outcome == engine::CalculationOutcome::Finished;
}

std::string NearFieldRun::message() const
{
    if (!refusal_.empty())
        return refusal_;
    return finished() ? std::string() : calculation_.result().message;
}

results::NearFieldSave NearFieldRun::save(const std::string& csvPath) const
{
    return results::SaveNearField(engine::Calculation::listingPath(request_).toStdString(), field_, csvPath);
}

} // namespace vrnnec::analyses
