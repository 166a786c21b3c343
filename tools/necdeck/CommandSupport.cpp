#include "CommandSupport.h"

#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "common/SplitText.h"
#include "engine/Calculation.h"
#include "engine/WorkingFolder.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

namespace vrnnec::necdeck {


std::optional<std::vector<double>> ParseReals(const std::string& text, std::size_t count)
{
    std::vector<double> values;
    for (const std::string& part : splittext::At(text, ',')) {
        double value = 0;
        if (!numtext::parseReal(part, value))
            return std::nullopt;
        values.push_back(value);
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

std::optional<std::vector<long long>> ParseIntegers(const std::string& text, std::size_t count)
{
    std::vector<long long> values;
    for (const std::string& part : splittext::At(text, ',')) {
        long long value = 0;
        if (!numtext::parseInteger(part, value))
            return std::nullopt;
        values.push_back(value);
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

std::optional<engine::SwrReference> ParseSwrReference(const std::string& text)
{
    const auto rx = ParseReals(text, 2);
    if (!rx || !((*rx)[0] > 0))
        return std::nullopt;
    return engine::SwrReference{(*rx)[0], (*rx)[1]};
}

std::optional<double> DeckFrequency(const std::vector<std::string>& deck)
{
    for (const std::string& line : deck) {
        if (line.size() < 2 || std::toupper(static_cast<unsigned char>(line[0])) != 'F'
            || std::toupper(static_cast<unsigned char>(line[1])) != 'R')
            continue;
        std::string fields = line.substr(2);
        for (char& c : fields)
            if (c == ',' || c == '\t')
                c = ' ';
        std::istringstream in(fields);
        std::string field;
        for (int i = 1; in >> field; ++i) {
            double value = 0;
            if (i == 5)
                return numtext::parseReal(field, value) ? std::optional<double>(value) : std::nullopt;
        }
        return std::nullopt;
    }
    return std::nullopt;
}

int ScanCommandLine(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                    const std::vector<std::string>& flags,
                    const std::function<bool(const std::string& option, const std::string& value)>& apply,
                    std::vector<std::string>& files, std::ostream& err)
{
    const auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            files.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (listed(flags, a)) {
            apply(a, std::string());
        } else if (listed(valueOptions, a)) {
            if (i + 1 >= args.size()) {
                err << "Option " << a << " needs a value.\n";
                return 2;
            }
            const std::string& v = args[++i];
            if (!apply(a, v)) {
                err << "Invalid value for " << a << ": " << v << "\n";
                return 2;
            }
        } else {
            err << "Unknown option " << a << ".\n";
            return 2;
        }
    }
    return 0;
}

int ScanArguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                  const std::vector<std::string>& flags,
                  const std::function<bool(const std::string& option, const std::string& value)>& apply,
                  std::string& deck, std::ostream& err)
{
    std::vector<std::string> files;
    if (const int code = ScanCommandLine(args, valueOptions, flags, apply, files, err); code != 0)
        return code;
    if (files.size() > 1) {
        err << "Unexpected argument: " << files[1] << "\n";
        return 2;
    }
    if (files.empty()) {
        err << "A deck is missing.\n";
        return 2;
    }
    deck = files.front();
    return 0;
}

int CheckFiles(const std::vector<fileid::NamedFile>& inputs, std::vector<fileid::NamedFile> outputs,
               const std::string& keepDir, std::ostream& err, const std::vector<std::string>& madeFolders)
{
    std::vector<fileid::NamedFile> all = inputs;
    all.insert(all.end(), outputs.begin(), outputs.end());
    std::string message = fileid::CheckNoFolders(all);
    // A missing or read-only folder is found before an engine runs or another output is written.
    const std::string unwritable = fileid::CheckOutputFolders(outputs, madeFolders);
    if (!keepDir.empty())
        for (const fileid::NamedFile& file : engine::RunFiles(keepDir))
            outputs.push_back(file);
    if (message.empty())
        message = fileid::CheckOutputsAgainstInputs(inputs, outputs);
    // No two outputs are one file either.
    for (std::size_t i = 0; message.empty() && i < outputs.size(); ++i)
        for (std::size_t k = 0; message.empty() && k < i; ++k)
            if (!outputs[i].path.empty() && !outputs[k].path.empty() && fileid::SameFile(outputs[i].path, outputs[k].path))
                message = "The " + outputs[i].role + " " + outputs[i].path + " is also the " + outputs[k].role
                    + "; nothing was written.";
    if (message.empty())
        message = unwritable;
    if (message.empty())
        return 0;
    err << message << "\n";
    return 1;
}

bool FolderReady(const WorkingFolder& folder, std::ostream& err)
{
    if (!folder.path.isEmpty())
        return true;
    err << folder.message << "\n";
    return false;
}

int CheckFilesAndRun(Invocation& call, const std::vector<fileid::NamedFile>& inputs,
                     std::vector<fileid::NamedFile> outputs, const std::string& keepDir,
                     const std::function<int(Invocation& call, engine::SignalStop&)>& body,
                     const std::vector<std::string>& madeFolders)
{
    if (const int code = CheckFiles(inputs, std::move(outputs), keepDir, call.err, madeFolders); code != 0)
        return code;
    std::ostringstream messages;
    int code = 0;
    int received = 0;
    {
        engine::SignalStop stopSignals;
        Invocation inner{call.args, call.programFolder, call.out, messages};
        code = body(inner, stopSignals);
        received = stopSignals.received();
    }
    if (received != 0) {
        call.err << engine::kStoppedMessage << "\n";
        return 128 + received;
    }
    call.err << messages.str();
    return code;
}

bool RunCalculation(engine::Calculation& calculation, const engine::CalculationRequest& request,
                    engine::SignalStop& stopSignals, std::ostream& err)
{
    stopSignals.watch(calculation);
    const engine::CalculationResult& result = calculation.run(request);
    if (result.outcome == engine::CalculationOutcome::Finished)
        return true;
    if (stopSignals.received() == 0)
        err << result.message << "\n";
    return false;
}

} // namespace vrnnec::necdeck
