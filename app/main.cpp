#include "app/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

#include <thread>

using namespace vrnnec;

int main(int argc, char* argv[])
{
    // Fontconfig reads its configuration and font cache on a second thread while the
    // application connects to the display: the window's first text then finds it ready,
    // and the window shows a few milliseconds sooner.
    std::thread fontSetUp([] { FcInit(); });
    QApplication application(argc, argv);
    fontSetUp.join();
    QApplication::setApplicationName(QStringLiteral("NEC-2 for VORNA"));
    TForm1 mainWindow(QCoreApplication::applicationDirPath(), nullptr);
    mainWindow.show();
    // A file given on the command line (a double click in a file manager): an antenna
    // file is read as "Find VORNA file" reads the chosen one, a deck opens on the
    // "NEC-2 input" page.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        mainWindow.OpenFile(QFileInfo(arguments.at(1)).absoluteFilePath());
    return QApplication::exec();
}
