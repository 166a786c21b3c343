#include "app/DesktopKeys.h"

#include "app/MainWindow.h"
#include "app/MainWindowControls.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vrnnec {

namespace {

// A window-wide key that clicks `button`; a disabled button ignores it.
void addKey(TForm1& window, const QString& name, const QKeySequence& key, QPushButton* button)
{
    auto* action = new QAction(&window);
    action->setObjectName(name);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, button, &QPushButton::click);
    window.addAction(action);
}

} // namespace

QString MainWindowTitle(const QString& caption, const QString& antennaPath)
{
    if (antennaPath.isEmpty())
        return caption;
    return caption + QStringLiteral(" - ") + QFileInfo(antennaPath).fileName();
}

void InstallDesktopKeys(TForm1& window, MainWindowControls& u)
{
    u.ButtonVRNfileFind->setText(QStringLiteral("&Find VORNA file"));
    u.RefreshButton->setText(QStringLiteral("&Refresh"));
    u.Execute_Original->setText(QStringLiteral("Calculate at &original of VORNA file"));
    u.Execute->setText(QStringLiteral("&Calculate"));

    addKey(window, QStringLiteral("FindVornaFileKey"), QKeySequence(Qt::CTRL | Qt::Key_O), u.ButtonVRNfileFind);
    addKey(window, QStringLiteral("CalculateOriginalKey"), QKeySequence(Qt::Key_F9), u.Execute_Original);
    addKey(window, QStringLiteral("RefreshKey"), QKeySequence(Qt::Key_F5), u.RefreshButton);
    auto* quit = new QAction(&window);
    quit->setObjectName(QStringLiteral("CloseKey"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);
    window.addAction(quit);

    const QString caption = window.windowTitle();
    QObject::connect(u.VRNfileName, &QPlainTextEdit::textChanged, &window, [&window, caption, &u] {
        window.setWindowTitle(MainWindowTitle(caption, u.VRNfileName->toPlainText()));
    });
}

} // namespace vrnnec
