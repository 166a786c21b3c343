#include "DiagramFiles.h"

#include <QString>

#include <filesystem>
#include <fstream>

namespace results {

ProposedFile proposedFile(const std::string& antennaPath, const std::string& suffix)
{
    ProposedFile proposal;
    if (antennaPath.empty()) {
        proposal.fileName = suffix;
        return proposal;
    }
    const std::filesystem::path path(antennaPath);
    proposal.folder = path.parent_path().string();
    std::string base = path.filename().string();
    base.resize(base.size() > 4 ? base.size() - 4 : 0);
    proposal.fileName = base + suffix;
    return proposal;
}

std::string proposedPath(const ProposedFile& proposal)
{
    if (proposal.folder.empty())
        return proposal.fileName;
    return (std::filesystem::path(proposal.folder) / proposal.fileName).string();
}

bool saveDiagramBitmap(const QImage& image, const std::string& path)
{
    return image.save(QString::fromStdString(path), "BMP");
}

bool saveResultsText(const std::vector<std::string>& lines, const std::string& path)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    for (const std::string& line : lines)
        file << line << "\r\n";
    file.close();
    return static_cast<bool>(file);
}

} // namespace results
