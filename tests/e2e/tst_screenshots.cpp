// Screenshots of every page after a real calculation of a three-element Yagi, on a
// virtual X server, for a person to look at (written into the build tree).
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "WindowControls.h"
#include "app/RPPlotsPage.h"

#include <QtTest>

class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void pagesAfterACalculation()
    {
        AppTestSupport support;
        support.prepare();
        QVERIFY(e2e::installEngine(support.folder()));
        TForm1& window = support.createWindow();
        support.dialogs.fileAnswers << e2e::sample("yagi3_14mhz_copper_real_ground.vrn");
        WindowControls(window).ButtonVRNfileFind->click();
        WindowControls(window).Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(QDir().mkpath(QStringLiteral(SCREENSHOT_DIR)));
        QTabWidget* pages = WindowControls(window).PageControl1;
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QTest::qWait(100);
            const QString name = QStringLiteral("after_run_%1.png").arg(pages->widget(i)->objectName());
            QVERIFY(window.grab().toImage().save(QDir(QStringLiteral(SCREENSHOT_DIR)).filePath(name)));
        }
        // The main lobe of the Yagi points forward: up in the azimuth diagram, where the
        // blue curve reaches the outer ring.
        const QImage azimuth = window.rpPlotsPage().diagrams().azimuth;
        bool blueNearTop = false;
        for (int y = 0; y < 12 && !blueNearTop; ++y)
            for (int x = 160; x < 190; ++x)
                if (azimuth.pixelColor(x, y) == QColor(0, 0, 255))
                    blueNearTop = true;
        QVERIFY(blueNearTop);
    }
};

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshots.moc"

using namespace vrnnec;
