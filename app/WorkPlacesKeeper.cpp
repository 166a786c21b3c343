#include "app/WorkPlacesKeeper.h"

#include "app/IniFile.h"
#include "app/MainWindow.h"
#include "app/RPPlotsPage.h"
#include "app/UnitHints.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStandardPaths>
#include <QTableWidget>
#include <QUrl>
#include <QWidget>

namespace vrnnec {

namespace {

using workplaces::FileKind;

// The windows whose places are kept besides the main window, by class name.
constexpr const char* kKeptWindows[] = {"TEditForm", "TFreqPlotsForm", "TFormV"};
constexpr const char* kMainWindow = "TForm1";
constexpr const char* kRestoredProperty = "vrnnecPlaceRestored";

std::string windowName(const QWidget* window)
{
    const std::string full = window->metaObject()->className();
    const std::size_t colon = full.rfind(':');
    return colon == std::string::npos ? full : full.substr(colon + 1);
}

bool isKeptWindow(const std::string& name)
{
    for (const char* kept : kKeptWindows)
        if (name == kept)
            return true;
    return false;
}

workplaces::Rect toRect(const QRect& r)
{
    return {r.x(), r.y(), r.width(), r.height()};
}

// Dialogs that open in the folder last used for their kind of file.
class RememberingDialogs : public UserDialogs {
public:
    RememberingDialogs(UserDialogs& inner, WorkPlacesKeeper& keeper) : inner_(inner), keeper_(keeper) {}

    void showMessage(const QString& text) override { inner_.showMessage(text); }
    Answer ask(const QString& text, Buttons buttons, Style style) override { return inner_.ask(text, buttons, style); }
    bool openWithDesktop(const QString& path) override { return inner_.openWithDesktop(path); }

    QString openFileName(const QString& title, const QString& filter, const QString& folder) override
    {
        const auto kind = workplaces::kindOfDialog(filter.toStdString(), "");
        const QString chosen = inner_.openFileName(title, filter, startFolder(kind, folder));
        learn(kind, chosen);
        return chosen;
    }

    QString saveFileName(const QString& title, const QString& filter, const QString& defaultSuffix,
                         const QString& folder, const QString& proposedName) override
    {
        const auto kind = workplaces::kindOfDialog(filter.toStdString(), defaultSuffix.toStdString());
        const QString chosen =
            inner_.saveFileName(title, filter, defaultSuffix, startFolder(kind, folder), proposedName);
        learn(kind, chosen);
        return chosen;
    }

private:
    // A folder the command proposes (beside the antenna file) stands; the current
    // directory gives way to the remembered folder.
    QString startFolder(std::optional<FileKind> kind, const QString& folder) const
    {
        return kind && (folder.isEmpty() || folder == QDir::currentPath()) ? keeper_.folderFor(*kind) : folder;
    }

    void learn(std::optional<FileKind> kind, const QString& chosen)
    {
        if (kind && !chosen.isEmpty())
            keeper_.noteOpened(*kind, chosen);
    }

    UserDialogs& inner_;
    WorkPlacesKeeper& keeper_;
};

} // namespace

WorkPlacesKeeper::WorkPlacesKeeper(TForm1& window) : QObject(&window), window_(window) {}

WorkPlacesKeeper::~WorkPlacesKeeper()
{
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
}

UserDialogs* WorkPlacesKeeper::wrap(UserDialogs& inner)
{
    wrapped_ = std::make_unique<RememberingDialogs>(inner, *this);
    return wrapped_.get();
}

void WorkPlacesKeeper::attach()
{
    // The window may grow beyond its designed size; the pages take the room.
    window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
    qApp->installEventFilter(this);

    recentMenu_ = new QMenu(QStringLiteral("Recent files"), &window_);
    recentMenu_->setObjectName(QStringLiteral("RecentFilesMenu"));
    recentMenu_->menuAction()->setObjectName(QStringLiteral("RecentFilesMenu"));
    window_.accessoriesPopupMenu()->addMenu(recentMenu_);
    rebuildRecentMenu();
}

void WorkPlacesKeeper::attachPages()
{
    window_.rpPlotsPage().popupMenu()->addMenu(recentMenu_);
}

void WorkPlacesKeeper::addUnitHints(QWidget* window, const std::string& name)
{
    // The card dialog: the unit of each field as the tool tip of its caption.
    if (name == "TCardForm")
        if (auto* grid = window->findChild<QTableWidget*>(QStringLiteral("CardGrid"))) {
            const std::string card = window->windowTitle().mid(6).trimmed().toStdString(); // "Card: LD"
            for (int column = 1; column < grid->columnCount(); ++column)
                if (QTableWidgetItem* caption = grid->horizontalHeaderItem(column)) {
                    const std::string_view unit = unithints::cardFieldUnit(card, caption->text().toStdString());
                    if (!unit.empty())
                        caption->setToolTip(QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())));
                }
        }
    for (const unithints::Hint& hint : unithints::hints()) {
        if (hint.window != name)
            continue;
        auto* control = window->findChild<QWidget*>(QString::fromUtf8(hint.control.data(), static_cast<qsizetype>(hint.control.size())));
        if (control == nullptr)
            continue;
        std::string tip = control->toolTip().toStdString();
        unithints::appendHint(tip, hint.text);
        control->setToolTip(QString::fromStdString(tip));
    }
}

QString WorkPlacesKeeper::folderFor(FileKind kind) const
{
    // Before any choice of this kind: the folder of the settings' CurrentDir when the
    // user worked elsewhere than the program folder, else the documents folder.
    const QString current = QDir::currentPath();
    if (QDir(current) != QDir(window_.programFolder()) && QDir(current) != QDir(window_.workingFolder()))
        return QString::fromStdString(folders_.folderFor(kind, current.toStdString()));
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    return QString::fromStdString(folders_.folderFor(kind, documents.toStdString()));
}

void WorkPlacesKeeper::noteOpened(FileKind kind, const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    folders_.rememberFile(kind, absolute.toStdString());
    if (kind == FileKind::Antenna || kind == FileKind::Deck) {
        recent_.add(absolute.toStdString());
        rebuildRecentMenu();
    }
}

void WorkPlacesKeeper::openFile(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        recent_.remove(path.toStdString());
        rebuildRecentMenu();
        window_.dialogs().showMessage(QString::fromStdString(workplaces::goneFileMessage(path.toStdString())));
        return;
    }
    const bool deck = workplaces::kindOfDialog("|*." + QFileInfo(path).suffix().toStdString(), "") == FileKind::Deck;
    noteOpened(deck ? FileKind::Deck : FileKind::Antenna, path);
    window_.OpenFile(path);
}

void WorkPlacesKeeper::rebuildRecentMenu()
{
    if (recentMenu_ == nullptr)
        return;
    for (QAction* action : recentMenu_->actions()) {
        window_.removeAction(action);
        delete action;
    }
    int number = 0;
    for (const std::string& file : recent_.files()) {
        ++number;
        const QString path = QString::fromStdString(file);
        auto* action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(number).arg(QDir::toNativeSeparators(path)));
        action->setObjectName(QStringLiteral("RecentFile%1").arg(number));
        action->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_0 + number)));
        action->setShortcutContext(Qt::WindowShortcut);
        window_.addAction(action);
        connect(action, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    recentMenu_->setEnabled(number > 0);
}

void WorkPlacesKeeper::load(const IniFile& ini)
{
    folders_.read(ini);
    recent_.read(ini);
    rebuildRecentMenu();
    places_.clear();
    for (const char* name : kKeptWindows)
        if (const auto geometry = workplaces::readGeometry(ini, name))
            places_[name] = *geometry;
    if (const auto main = workplaces::readGeometry(ini, kMainWindow))
        restorePlace(&window_, *main);
}

QString WorkPlacesKeeper::save(const QString& settingsPath)
{
    recordPlace(&window_);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && isKeptWindow(windowName(top)))
            recordPlace(top);

    IniFile ini;
    ini.load(settingsPath.toStdString());
    for (const auto& [name, geometry] : places_)
        workplaces::writeGeometry(ini, name, geometry);
    folders_.write(ini);
    recent_.write(ini);
    if (ini.save(settingsPath.toStdString()))
        return {};
    return QStringLiteral("Unable to write to %1").arg(settingsPath).left(255);
}

void WorkPlacesKeeper::restorePlace(QWidget* window, const workplaces::Geometry& geometry)
{
    QScreen* screen = QGuiApplication::screenAt(
        QRect(geometry.frame.left, geometry.frame.top, geometry.frame.width, geometry.frame.height).center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    workplaces::Rect place = geometry.frame;
    // A window of fixed size keeps it; only its position comes back.
    if (window->minimumSize() == window->maximumSize()) {
        place.width = window->width();
        place.height = window->height();
    }
    if (screen != nullptr)
        place = workplaces::clampToArea(place, toRect(screen->availableGeometry()), window->minimumWidth(),
                                        window->minimumHeight());
    window->setGeometry(place.left, place.top, place.width, place.height);
    if (geometry.maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void WorkPlacesKeeper::recordPlace(QWidget* window)
{
    const bool maximized = window->isMaximized();
    const QRect normal = maximized && !window->normalGeometry().isEmpty() ? window->normalGeometry() : window->geometry();
    places_[windowName(window)] = {toRect(normal), maximized};
}

bool WorkPlacesKeeper::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == &window_ && (type == QEvent::DragEnter || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        QString file;
        if (drop->mimeData()->hasUrls())
            for (const QUrl& url : drop->mimeData()->urls())
                if (url.isLocalFile() && workplaces::isOpenableFile(url.toLocalFile().toStdString())) {
                    file = url.toLocalFile();
                    break;
                }
        if (file.isEmpty())
            return false;
        drop->acceptProposedAction();
        if (type == QEvent::Drop)
            openFile(file);
        return true;
    }
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->isWindow())
            return false;
        const std::string name = windowName(widget);
        if (type == QEvent::Show)
            addUnitHints(widget, name);
        if (!isKeptWindow(name))
            return false;
        if (type == QEvent::Hide) {
            recordPlace(widget);
        } else if (!widget->property(kRestoredProperty).toBool()) {
            widget->setProperty(kRestoredProperty, true);
            const auto found = places_.find(name);
            if (found != places_.end())
                restorePlace(widget, found->second);
        }
    }
    return false;
}

} // namespace vrnnec
