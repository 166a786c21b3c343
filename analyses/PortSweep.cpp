#include "analyses/PortSweep.h"

#include "analyses/TextFields.h"

#include "engine/WorkingFolder.h"

#include <QDir>
#include <QEventLoop>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vrnnec::analyses {

namespace {

bool isSourceCard(const std::string& line)
{
    return line.size() >= 2 && std::toupper(static_cast<unsigned char>(line[0])) == 'E'
        && std::toupper(static_cast<unsigned char>(line[1])) == 'X';
}

// The fields of a card after its identifier, split at blanks and commas.
std::vector<std::string> fieldsOf(const std::string& card)
{
    return SplitFields(std::string_view(card).substr(std::min<std::size_t>(2, card.size())), " ,\t\r");
}

} // namespace

std::string WithSourceVoltage(const std::string& exCard, const std::string& real, const std::string& imaginary)
{
    std::vector<std::string> fields = fieldsOf(exCard);
    if (fields.size() < 6)
        fields.resize(6, "0");
    fields[4] = real;
    fields[5] = imaginary;
    std::string card = exCard.substr(0, 2);
    for (const std::string& f : fields)
        card += " " + f;
    return card;
}

std::vector<std::string> SourceCards(const std::vector<std::string>& deck)
{
    std::vector<std::string> cards;
    std::copy_if(deck.begin(), deck.end(), std::back_inserter(cards), isSourceCard);
    return cards;
}

std::vector<std::vector<std::string>> PortDecks(const std::vector<std::string>& deck)
{
    const std::size_t ports = SourceCards(deck).size();
    std::vector<std::vector<std::string>> decks;
    for (std::size_t j = 0; j < ports; ++j) {
        std::vector<std::string> run = deck;
        std::size_t k = 0;
        for (std::string& line : run)
            if (isSourceCard(line))
                line = WithSourceVoltage(line, k++ == j ? "1" : "1E-20", "0");
        decks.push_back(std::move(run));
    }
    return decks;
}

PortSweepData PortAdmittances(const std::vector<engine::SweepListing>& runs, const SweepSettings& settings)
{
    PortSweepData data;
    const int n = static_cast<int>(runs.size());
    const auto fail = [&data](const std::string& message) {
        data = PortSweepData{};
        data.message = message;
        return data;
    };
    for (const engine::SweepListing& run : runs)
        if (!run.ok())
            return fail(run.message);
    if (n == 0 || runs.front().blocks.empty())
        return fail(engine::sweepmessages::kNoOutputData);
    // The row of port j: the one at 1 V in run j (the same in every block).
    std::vector<std::size_t> rowOf(static_cast<std::size_t>(n));
    for (int j = 0; j < n; ++j) {
        const auto& rows = runs[static_cast<std::size_t>(j)].blocks.front().sources;
        if (static_cast<int>(rows.size()) != n)
            return fail(engine::sweepmessages::kBadInputParameters);
        const auto driven = std::find_if(rows.begin(), rows.end(), [](const engine::SourceRow& r) {
            return r.voltageReal && std::fabs(*r.voltageReal - 1) < 1e-6;
        });
        if (driven == rows.end())
            return fail(engine::sweepmessages::kBadInputParameters);
        rowOf[static_cast<std::size_t>(j)] = static_cast<std::size_t>(driven - rows.begin());
        data.portTags.push_back(driven->tag.value_or(0));
    }
    const std::size_t points = runs.front().blocks.size();
    for (std::size_t p = 0; p < points; ++p) {
        ComplexMatrix y(n);
        for (int j = 0; j < n; ++j) {
            const auto& blocks = runs[static_cast<std::size_t>(j)].blocks;
            if (blocks.size() != points || blocks[p].sources.size() != static_cast<std::size_t>(n))
                return fail(engine::sweepmessages::kBadInputParameters);
            for (int i = 0; i < n; ++i) {
                const engine::SourceRow& row = blocks[p].sources[rowOf[static_cast<std::size_t>(i)]];
                if (!row.currentReal || !row.currentImaginary)
                    return fail(engine::sweepmessages::kBadInputParameters);
                y.at(i, j) = Complex(*row.currentReal, *row.currentImaginary); // I / 1 V
            }
        }
        data.frequency.push_back(settings.frequency(static_cast<int>(p)));
        data.admittance.push_back(std::move(y));
    }
    return data;
}

std::vector<TouchstonePoint> PortScattering(const PortSweepData& data, double reference)
{
    std::vector<TouchstonePoint> points;
    for (std::size_t p = 0; p < data.admittance.size(); ++p) {
        auto s = ScatteringFromAdmittance(data.admittance[p], reference);
        if (!s)
            return {};
        points.push_back({data.frequency[p], std::move(*s)});
    }
    return points;
}

PortSweepRun::PortSweepRun(QObject* parent) : QObject(parent) {}

PortSweepRun::~PortSweepRun()
{
    stop();
}

void PortSweepRun::stop()
{
    for (auto& run : runs_)
        run->stop();
}

const PortSweepData& PortSweepRun::run(const SweepRequest& request)
{
    data_ = PortSweepData{};
    runs_.clear();
    const auto decks = PortDecks(request.deck);
    const int n = static_cast<int>(decks.size());
    const QString base = request.workingFolder.isEmpty() ? request.programFolder : request.workingFolder;
    QEventLoop loop;
    int running = 0;
    for (int j = 0; j < n; ++j) {
        SweepRequest port = request;
        port.deck = decks[static_cast<std::size_t>(j)];
        port.workingFolder = QDir(base).filePath(QStringLiteral("port-%1").arg(j + 1));
        port.processes = std::max(1, request.processes / n);
        if (!QDir().mkpath(port.workingFolder) || !engine::CopyEngineConf(base, port.workingFolder)) {
            stop();
            data_.message = sweepmessages::kAuxDeckFailed;
            break;
        }
        auto run = std::make_unique<SweepRun>();
        connect(run.get(), &SweepRun::finished, &loop, [&running, &loop] {
            if (--running == 0)
                loop.quit();
        });
        ++running;
        if (!run->start(port)) {
            --running;
            data_.message = run->result().message;
            runs_.push_back(std::move(run));
            stop();
            break;
        }
        runs_.push_back(std::move(run));
    }
    if (running > 0)
        loop.exec();
    if (!data_.message.empty())
        return data_;
    std::vector<engine::SweepListing> listings;
    for (const auto& run : runs_) {
        const SweepResult& result = run->result();
        if (result.outcome != SweepOutcome::Finished) {
            data_.message = result.message;
            return data_;
        }
        listings.push_back(result.listing);
    }
    data_ = PortAdmittances(listings, request.settings);
    return data_;
}

} // namespace vrnnec::analyses
