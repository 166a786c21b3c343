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
    // An antenna file given on the command line (a double click in a file manager) is
    // read as "Find VORNA file" reads the chosen one.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        mainWindow.OpenAntennaFile(QFileInfo(arguments.at(1)).absoluteFilePath());
    return QApplication::exec();
}
