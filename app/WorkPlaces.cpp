#include "app/WorkPlaces.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace vrnnec::workplaces {

namespace {

constexpr std::string_view kFolders = "Folders";
constexpr std::string_view kRecent = "Recent Files";

std::optional<int> readInt(const IniFile& ini, std::string_view section, std::string_view key)
{
    if (!ini.hasKey(section, key))
        return std::nullopt;
    long long value = 0;
    if (!numtext::parseTrimmedInteger(ini.readString(section, key, ""), value) || value < INT_MIN / 2 ||
        value > INT_MAX / 2)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<FileKind> kindOfExtension(std::string_view extension)
{
    const std::string e = lower(extension);
    if (e == "vrn")
        return FileKind::Antenna;
    if (e == "wcf" || e == "nec")
        return FileKind::Deck;
    if (e == "csv" || e == "txt")
        return FileKind::Results;
    if (e == "bmp" || e == "png")
        return FileKind::Bitmap;
    if (e.size() == 3 && e[0] == 's' && e[2] == 'p' && std::isdigit(static_cast<unsigned char>(e[1])))
        return FileKind::Touchstone;
    return std::nullopt;
}

std::string recentKey(std::size_t index)
{
    return "File" + std::to_string(index + 1);
}

} // namespace

std::string geometrySection(std::string_view windowName)
{
    return "Window " + std::string(windowName);
}

std::optional<Geometry> readGeometry(const IniFile& ini, std::string_view windowName)
{
    const std::string section = geometrySection(windowName);
    const auto left = readInt(ini, section, "Left");
    const auto top = readInt(ini, section, "Top");
    const auto width = readInt(ini, section, "Width");
    const auto height = readInt(ini, section, "Height");
    if (!left || !top || !width || !height || *width <= 0 || *height <= 0)
        return std::nullopt;
    Geometry geometry{{*left, *top, *width, *height}, false};
    geometry.maximized = readInt(ini, section, "Maximized").value_or(0) == 1;
    return geometry;
}

void writeGeometry(IniFile& ini, std::string_view windowName, const Geometry& geometry)
{
    const std::string section = geometrySection(windowName);
    ini.writeString(section, "Left", std::to_string(geometry.frame.left));
    ini.writeString(section, "Top", std::to_string(geometry.frame.top));
    ini.writeString(section, "Width", std::to_string(geometry.frame.width));
    ini.writeString(section, "Height", std::to_string(geometry.frame.height));
    ini.writeString(section, "Maximized", geometry.maximized ? "1" : "0");
}

Rect clampToArea(Rect place, const Rect& area, int minimumWidth, int minimumHeight)
{
    place.width = std::max(std::min(place.width, area.width), std::min(minimumWidth, place.width));
    place.height = std::max(std::min(place.height, area.height), std::min(minimumHeight, place.height));
    // Right and bottom edges first, so that a window larger than the area keeps its top
    // left corner (title bar) inside.
    place.left = std::min(place.left, area.left + area.width - place.width);
    place.top = std::min(place.top, area.top + area.height - place.height);
    place.left = std::max(place.left, area.left);
    place.top = std::max(place.top, area.top);
    return place;
}

std::string_view folderKey(FileKind kind)
{
    switch (kind) {
    case FileKind::Antenna: return "Antenna";
    case FileKind::Deck: return "Deck";
    case FileKind::Results: return "Results";
    case FileKind::Bitmap: return "Bitmap";
    case FileKind::Touchstone: return "Touchstone";
    }
    return "";
}

std::optional<FileKind> kindOfDialog(std::string_view filter, std::string_view defaultSuffix)
{
    // Patterns are the odd fields of the "Description|pattern|..." pairs.
    std::size_t field = 0;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const std::size_t bar = std::min(filter.find('|', start), filter.size());
        if (field % 2 == 1) {
            const std::string_view patterns = filter.substr(start, bar - start);
            std::size_t from = 0;
            while (from <= patterns.size()) {
                const std::size_t semicolon = std::min(patterns.find(';', from), patterns.size());
                const std::string_view pattern = patterns.substr(from, semicolon - from);
                // A fixed name ("Ngf2d.nec") makes the dialog one for that file.
                if (!pattern.empty() && pattern.find_first_of("*?") == std::string_view::npos)
                    return std::nullopt;
                const std::size_t dot = pattern.rfind('.');
                if (dot != std::string_view::npos)
                    if (const auto kind = kindOfExtension(pattern.substr(dot + 1)))
                        return kind;
                from = semicolon + 1;
            }
        }
        ++field;
        start = bar + 1;
    }
    const std::size_t dot = defaultSuffix.rfind('.');
    return kindOfExtension(dot == std::string_view::npos ? defaultSuffix : defaultSuffix.substr(dot + 1));
}

std::string FolderMemory::folderFor(FileKind kind, const std::string& firstTime) const
{
    const auto found = folders_.find(kind);
    return found != folders_.end() ? found->second : firstTime;
}

void FolderMemory::rememberFile(FileKind kind, const std::string& chosenPath)
{
    const std::size_t slash = chosenPath.find_last_of('/');
    if (slash == std::string::npos)
        return;
    folders_[kind] = slash == 0 ? std::string("/") : chosenPath.substr(0, slash);
}

void FolderMemory::read(const IniFile& ini)
{
    folders_.clear();
    for (FileKind kind : kFileKinds) {
        std::string folder = ini.readString(kFolders, folderKey(kind), "");
        if (!folder.empty())
            folders_[kind] = std::move(folder);
    }
}

void FolderMemory::write(IniFile& ini) const
{
    for (const auto& [kind, folder] : folders_)
        ini.writeString(kFolders, folderKey(kind), folder);
}

void RecentFiles::add(const std::string& path)
{
    if (path.empty())
        return;
    remove(path);
    files_.insert(files_.begin(), path);
    if (files_.size() > kRecentFiles)
        files_.resize(kRecentFiles);
}

void RecentFiles::remove(const std::string& path)
{
    files_.erase(std::remove(files_.begin(), files_.end(), path), files_.end());
}

std::vector<std::string> RecentFiles::dropGone(const std::function<bool(const std::string&)>& exists)
{
    std::vector<std::string> gone;
    std::vector<std::string> kept;
    for (const std::string& file : files_)
        (exists(file) ? kept : gone).push_back(file);
    files_ = std::move(kept);
    return gone;
}

void RecentFiles::read(const IniFile& ini)
{
    files_.clear();
    for (std::size_t i = 0; i < kRecentFiles; ++i) {
        const std::string file = ini.readString(kRecent, recentKey(i), "");
        if (!file.empty() && std::find(files_.begin(), files_.end(), file) == files_.end())
            files_.push_back(file);
    }
}

void RecentFiles::write(IniFile& ini) const
{
    // Every key is written, so that a shorter list clears the older entries.
    for (std::size_t i = 0; i < kRecentFiles; ++i)
        ini.writeString(kRecent, recentKey(i), i < files_.size() ? std::string_view(files_[i]) : std::string_view());
}

std::string goneFileMessage(const std::string& path)
{
    return "File " + path + " is not found. It is removed from the recent files.";
}

bool isOpenableFile(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return false;
    const auto kind = kindOfExtension(path.substr(dot + 1));
    return kind == FileKind::Antenna || kind == FileKind::Deck;
}

} // namespace vrnnec::workplaces
