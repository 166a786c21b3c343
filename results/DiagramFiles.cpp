#include "DiagramFiles.h"

#include "common/AtomicFile.h"

#include <QBuffer>
#include <QByteArray>

#include <filesystem>

namespace vrnnec::results {

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
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP"))
        return false;
    const std::string_view data(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return atomicfile::WriteFileAtomically(path, data).empty();
}

bool saveResultsText(const std::vector<std::string>& lines, const std::string& path)
{
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return atomicfile::WriteFileAtomically(path, text).empty();
}

} // namespace vrnnec::results