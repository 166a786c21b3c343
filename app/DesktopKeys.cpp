#include "app/DesktopKeys.h"

#include "app/DataSheetPage.h"
#include "app/MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QKeySequence>

namespace vrnnec {

void AddButtonKey(QWidget& window, const QString& name, const QKeySequence& key, QAbstractButton* button)
{
    auto* action = new QAction(&window);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, button, &QAbstractButton::click);
    window.addAction(action);
}

QString MainWindowTitle(const QString& caption, const QString& antennaPath)
{
    if (antennaPath.isEmpty())
        return caption;
    return caption + QStringLiteral(" - ") + QFileInfo(antennaPath).fileName();
}

void InstallDesktopKeys(TForm1& window)
{
    window.dataSheetPage().installKeys(window);
    auto* quit = new QAction(&window);
    quit->setObjectName(QStringLiteral("CloseKey"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);
    window.addAction(quit);

    const QString caption = window.windowTitle();
    QObject::connect(
        &window.dataSheetPage(), &DataSheetPage::antennaPathChanged, &window,
        [&window, caption](const QString& path) { window.setWindowTitle(MainWindowTitle(caption, path)); });
}

} // namespace vrnnec
