// Without any OpenGL (the offscreen platform and no display): the viewer reports the
// image error and shows no window; the command-line picture fails the same way.
#include "AppTestSupport.h"

#include "app/MainWindowControls.h"
#include "viewer/ViewerWindow.h"

#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace vrnnec;

class ViewerNoGLTest : public QObject {
    Q_OBJECT
private slots:
    void viewerReportsTheImageError()
    {
        AppTestSupport support;
        support.prepare();
        TForm1& main = support.createWindow();
        const QString listing = QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"));
        QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out"), listing));
        main.ReadEngineOutput();
        main.ui().ViewerCallButton1->click();
        QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("Error handling image!")});
        QVERIFY(main.viewerWindow() == nullptr);
    }

    void toolReportsTheImageError()
    {
        QTemporaryDir folder;
        QProcess tool;
        tool.start(QStringLiteral(NECDECK_TOOL),
                   {QStringLiteral("view"), QStringLiteral("--png"), folder.filePath(QStringLiteral("a.png")),
                    QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QCOMPARE(tool.readAllStandardError(), QByteArray("Error handling image!\n"));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("a.png"))));
    }
};

QTEST_MAIN(ViewerNoGLTest)
#include "tst_viewer_nogl.moc"
