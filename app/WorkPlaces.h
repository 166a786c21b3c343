// Where the user works, kept in the settings file beside the program's own keys, each
// in sections of its own: the size and position of every window, the folder last used
// for each kind of file, and the recent antenna files and decks. Plain text processing;
// the window glue is WorkPlacesKeeper.
//
//   [Window TEditForm]       Left=, Top=, Width=, Height=, Maximized=0|1
//   [Folders]                Antenna=, Deck=, Results=, Bitmap=, Touchstone=
//   [Recent Files]           File1= (the newest) ... File8=
#pragma once

#include "app/IniFile.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::workplaces {

// ---- Window sizes and positions ----

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Geometry {
    Rect frame;             // the window's normal (not maximised) place
    bool maximized = false;
    bool operator==(const Geometry&) const = default;
};

// "Window " + the window's class name.
std::string geometrySection(std::string_view windowName);

// The saved place, or nothing when a key is missing or not a whole number, or the size
// is not positive.
std::optional<Geometry> readGeometry(const IniFile& ini, std::string_view windowName);
void writeGeometry(IniFile& ini, std::string_view windowName, const Geometry& geometry);

// The place moved (and when larger, shrunk) into `area`, the available area of the
// screen, so that a window saved on a larger or a gone screen comes back whole. The size
// never drops below `minimum` (a window's least size) nor grows.
Rect clampToArea(Rect place, const Rect& area, int minimumWidth, int minimumHeight);

// ---- The folder last used per kind of file ----

enum class FileKind { Antenna, Deck, Results, Bitmap, Touchstone };
inline constexpr std::array<FileKind, 5> kFileKinds{FileKind::Antenna, FileKind::Deck, FileKind::Results,
                                                     FileKind::Bitmap, FileKind::Touchstone};

// The key of the kind in [Folders].
std::string_view folderKey(FileKind kind);

// The kind of the files a dialog offers, from its filter ("Desc|*.vrn|...") and default
// suffix: the first pattern that names a known extension decides. Nothing for a
// dialog of other files (all files) or of one fixed file name (a Green's function file).
std::optional<FileKind> kindOfDialog(std::string_view filter, std::string_view defaultSuffix);

class FolderMemory {
public:
    // The folder a dialog for `kind` opens in: the one last used, else `firstTime`
    // (the user's documents folder).
    std::string folderFor(FileKind kind, const std::string& firstTime) const;
    // Remembers the folder of a chosen file (the part before its last '/').
    void rememberFile(FileKind kind, const std::string& chosenPath);

    void read(const IniFile& ini);
    void write(IniFile& ini) const;

private:
    std::map<FileKind, std::string> folders_;
};

// ---- Recent files ----

inline constexpr std::size_t kRecentFiles = 8;

class RecentFiles {
public:
    // Puts the path first; an equal entry further down is dropped, and the list keeps
    // the newest kRecentFiles.
    void add(const std::string& path);
    void remove(const std::string& path);
    const std::vector<std::string>& files() const { return files_; }

    // Drops every file `exists` denies, returning them in list order.
    std::vector<std::string> dropGone(const std::function<bool(const std::string&)>& exists);

    void read(const IniFile& ini);
    void write(IniFile& ini) const;

private:
    std::vector<std::string> files_;
};

// "File " + path + " is not found. It is removed from the recent files."
std::string goneFileMessage(const std::string& path);

// True for the files the program opens from the command line, the recent list or a
// drop: antenna files and decks (".vrn", ".wcf", ".nec", any case).
bool isOpenableFile(std::string_view path);

} // namespace vrnnec::workplaces
