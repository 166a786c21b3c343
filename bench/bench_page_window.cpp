// A second yardstick of the start-up bench: a Qt main window that shows what the program
// shows at its start, built by Qt alone: the five tabs and the first page's form, without
// the program's own code. The program cannot start faster than this window.
#include "ui_DataSheetPage.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("First page window"));
    auto* tabs = new QTabWidget(&window);
    auto* page = new QWidget;
    Ui::DataSheetPage form;
    form.setupUi(page);
    tabs->addTab(page, QStringLiteral("Data sheet"));
    for (const char* title : {"Table of results", "RP plots", "NEC-2 input", "Currents and fields"})
        tabs->addTab(new QWidget, QString::fromLatin1(title));
    window.setCentralWidget(tabs);
    window.show();
    return QApplication::exec();
}
