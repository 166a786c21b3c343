#include "app/MainWindow.h"

#include <QApplication>

using namespace vrnnec;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("NEC-2 for VORNA"));
    TForm1 mainWindow(QCoreApplication::applicationDirPath(), nullptr);
    mainWindow.show();
    return QApplication::exec();
}
