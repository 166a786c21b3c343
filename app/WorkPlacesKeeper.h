// The window glue of WorkPlaces.h: restores and records the places of the main window and
// of the editor, "Frequency plots" and viewer windows, opens file dialogs in the folder
// last used for their kind of file, keeps the "Recent files" menu and opens antenna
// files and decks dropped on the main window.
#pragma once

#include "app/UserDialogs.h"
#include "app/WorkPlaces.h"

#include <QObject>
#include <QString>

#include <map>
#include <memory>
#include <string>

class QMenu;
class QWidget;

namespace vrnnec {

class IniFile;
class TForm1;

class WorkPlacesKeeper : public QObject {
    Q_OBJECT
public:
    explicit WorkPlacesKeeper(TForm1& window);
    ~WorkPlacesKeeper() override;

    // Dialogs that open in the remembered folders and learn from the user's choice.
    UserDialogs* wrap(UserDialogs& inner);
    // After the first page exists: the "Recent files" menu and its keys, drops, and a
    // main window that can grow; attachPages() when the other pages are built.
    void attach();
    void attachPages();

    // Settings file: the sections of this file's own, read with the program's keys and
    // written after them (the main window's place is taken first). `save` returns the
    // message to show, empty on success.
    void load(const IniFile& ini);
    QString save(const QString& settingsPath);

    // The folder a dialog for `kind` opens in: the one last used, else the user's
    // documents folder.
    QString folderFor(workplaces::FileKind kind) const;
    // Opens an antenna file or deck as the command line does and puts it first in the
    // recent files; a file that is gone is dropped from the list with a message.
    void openFile(const QString& path);
    void noteOpened(workplaces::FileKind kind, const QString& path);
    QMenu* recentMenu() const { return recentMenu_; }
    const workplaces::RecentFiles& recentFiles() const { return recent_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rebuildRecentMenu();
    void restorePlace(QWidget* window, const workplaces::Geometry& geometry);
    void recordPlace(QWidget* window);
    void addUnitHints(QWidget* window, const std::string& name);

    TForm1& window_;
    std::unique_ptr<UserDialogs> wrapped_;
    workplaces::FolderMemory folders_;
    workplaces::RecentFiles recent_;
    std::map<std::string, workplaces::Geometry, std::less<>> places_;
    QMenu* recentMenu_ = nullptr;
};

} // namespace vrnnec
