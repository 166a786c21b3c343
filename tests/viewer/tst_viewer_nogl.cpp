// Without any OpenGL (the offscreen platform and no display): the viewer reports the
// image error and shows no window; the command-line picture fails the same way.
#include "AppTestSupport.h"

#include "WindowControls.h"
#include "viewer/ViewerWindow.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

using namespace vrnnec;

namespace {

struct Run {
    int code;
    QByteArray out;
};

Run necdeck(const QStringList& args)
{
    QProcess tool;
    tool.start(QStringLiteral(NECDECK_TOOL), args);
    tool.waitForFinished(60000);
    return {tool.exitCode(), tool.readAllStandardOutput()};
}

} // namespace

class ViewerNoGLTest : public QObject {
    Q_OBJECT
private slots:
    // The model as the viewer fits it, without any picture.
    void dumpPrintsTheFittedModel()
    {
        const Run run =
            necdeck({QStringLiteral("view"), QStringLiteral("--mode"), QStringLiteral("z"), QStringLiteral("--dump"),
                     QStringLiteral(TEST_DATA_DIR "/listings/classic/yagi3_loads.out")});
        QCOMPARE(run.code, 0);
        const QJsonObject model = QJsonDocument::fromJson(run.out).object();
        QCOMPARE(model.value(QStringLiteral("error")).toInt(-1), 0);
        QCOMPARE(model.value(QStringLiteral("segments")).toInt(), 33);
        QCOMPARE(model.value(QStringLiteral("wires")).toArray(),
                 (QJsonArray{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(model.value(QStringLiteral("loads")).toArray(), (QJsonArray{17, 28}));
        QCOMPARE(model.value(QStringLiteral("sources")).toArray(), (QJsonArray{QJsonArray{17, 0}}));
        const QJsonArray ends = model.value(QStringLiteral("ends")).toArray();
        QCOMPARE(ends.size(), 33);
        // "Z adjusted": the flat antenna 12 m high lies on the plane Z = 0.
        QCOMPARE(ends[0].toArray()[2].toDouble(-1), 0.0);
        double largest = 0;
        for (const QJsonValue& c : model.value(QStringLiteral("currents")).toArray())
            largest = std::max(largest, c.toDouble());
        QCOMPARE(largest, 0.4);

        const Run missing = necdeck({QStringLiteral("view"), QStringLiteral("--dump"), QStringLiteral("/nonexistent")});
        QCOMPARE(missing.code, 1);
        QCOMPARE(missing.out, QByteArray("{\"error\": 1, \"message\": \"Error reading NEC-2 output!\"}\n"));
    }

    void viewerReportsTheImageError()
    {
        AppTestSupport support;
        support.prepare();
        TForm1& main = support.createWindow();
        const QString listing = QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"));
        QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out"), listing));
        main.ReadEngineOutput();
        WindowControls(main).ViewerCallButton1->click();
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
