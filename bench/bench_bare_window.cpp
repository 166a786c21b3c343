// The yardstick of the start-up bench: a bare Qt main window of the same size as the
// program's, shown and left open.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare main window"));
    window.resize(800, 600);
    window.show();
    return QApplication::exec();
}
