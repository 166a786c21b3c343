#include "app/MainWindow.h"

#include <QApplication>
#include <QFileInfo>

using namespace vrnnec;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
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
