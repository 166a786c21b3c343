// Screenshots of the main window's pages and of the ground parameters dialog, taken
// from a real window on an X server, for a person to look at.
#include "ScriptedDialogs.h"
#include "app/GroundDialog.h"
#include "app/MainWindow.h"
#include "WindowControls.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void pagesAndDialog();
};

void ScreenshotTest::pagesAndDialog()
{
    const QString currentDir = QDir::currentPath();
    QTemporaryDir programFolder;
    QVERIFY(programFolder.isValid());
    QDir().mkpath(QStringLiteral(SCREENSHOT_DIR));

    ScriptedDialogs dialogs;
    {
        TForm1 window(programFolder.path(), &dialogs);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const char* names[] = {"main_data_sheet", "main_table_of_results", "main_rp_plots", "main_nec2_input",
                               "main_currents_and_fields"};
        for (int page = 0; page < 5; ++page) {
            WindowControls(window).PageControl1->setCurrentIndex(page);
            QTest::qWait(50);
            const QImage shot = window.grab().toImage();
            QVERIFY(!shot.isNull());
            QCOMPARE(shot.size(), window.size() * window.devicePixelRatio());
            const QString path =
                QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(QString::fromLatin1(names[page]) + ".png");
            QVERIFY2(shot.save(path), qPrintable(path));
        }

        WindowControls(window).PageControl1->setCurrentIndex(1);
        WindowControls(window).EnableParamChangeCheck->setEnabled(true);
        WindowControls(window).EnableParamChangeCheck->setChecked(true);
        window.GNDParChangeButtonClick();
        TFormGND* dialog = window.groundDialog();
        QVERIFY(dialog != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->grab().toImage().save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath("ground_dialog.png")));
        window.close();
    }
    QVERIFY(dialogs.messages.isEmpty());
    QDir::setCurrent(currentDir);
}

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshot.moc"

using namespace vrnnec;
