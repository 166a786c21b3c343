#include "CommandSupport.h"

#include "common/AtomicFile.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "engine/WorkingFolder.h"

#include <QDir>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

namespace vrnnec::necdeck {

namespace {

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

} // namespace

std::optional<std::vector<double>> ParseReals(const std::string& text, std::size_t count)
{
    std::vector<double> values;
    for (const std::string& part : split(text, ',')) {
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
    for (const std::string& part : split(text, ',')) {
        long long value = 0;
        if (!numtext::parseInteger(part, value))
            return std::nullopt;
        values.push_back(value);
    }
    if (values.size() != count)
        return std::nullopt;
    return values;
}

WorkingFolder::WorkingFolder(const std::string& keepDir, const std::string& programFolder)
{
    if (keepDir.empty()) {
        if (temporary.isValid())
            path = temporary.path();
        else
            message = "Unable to create a temporary folder.";
    } else {
        const QString folder = QDir(QString::fromStdString(keepDir)).absolutePath();
        if (QDir().mkpath(folder))
            path = folder;
        else
            message = messages::kUnableToCreateFolder + keepDir;
    }
    if (!path.isEmpty() && !engine::TakeUsersEngineConf(QString::fromStdString(programFolder), path)) {
        message = atomicfile::UnableToWriteMessage(QDir(path).filePath(QStringLiteral("engine.conf")).toStdString());
        path.clear();
    }
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

int ScanArguments(const std::vector<std::string>& args, const std::vector<std::string>& valueOptions,
                  const std::vector<std::string>& flags,
                  const std::function<bool(const std::string& option, const std::string& value)>& apply,
                  std::string& deck, std::ostream& err)
{
    const auto listed = [](const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (listed(flags, a)) {
            apply(a, std::string());
        } else if (listed(valueOptions, a) && i + 1 < args.size()) {
            const std::string& v = args[++i];
            if (!apply(a, v)) {
                err << "Invalid value for " << a << ": " << v << "\n";
                return 2;
            }
        } else if (!a.starts_with("--") && deck.empty()) {
            deck = a;
        } else {
            err << "Unexpected argument: " << a << "\n";
            return 2;
        }
    }
    if (deck.empty()) {
        err << "A deck is missing.\n";
        return 2;
    }
    return 0;
}

} // namespace vrnnec::necdeck
