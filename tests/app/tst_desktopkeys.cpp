// The keys of the main window and the antenna file's name in its title.
#include "AppTestSupport.h"
#include "app/DesktopKeys.h"
#include "WindowControls.h"
#include "app/RunSession.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kCaption = QStringLiteral("NEC-2 for VORNA files with wires in dielectric coats. (Ver. 1.8.1)");

QByteArray sampleText()
{
    QFile file(QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class DesktopKeysTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;

private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void titleNamesTheAntennaFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("none") << QString() << kCaption;
        QTest::newRow("path") << QStringLiteral("/home/op/ant/dipole 20m.vrn") << kCaption + " - dipole 20m.vrn";
        QTest::newRow("name only") << QStringLiteral("yagi.vrn") << kCaption + " - yagi.vrn";
    }

    void titleNamesTheAntennaFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(MainWindowTitle(kCaption, path), title);
    }

    // A file handed to the window (the program's command line) is read as the chosen
    // file of "Find VORNA file": preview, title, calculations enabled; a missing one
    // gives the preview's message and enables nothing.
    void anAntennaFileHandedToTheWindowIsRead()
    {
        TForm1& w = support.createWindow();
        WindowControls u(w);
        const QString antenna = QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn");
        w.OpenFile(antenna);
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(u.VRNfileName->toPlainText(), antenna);
        QCOMPARE(u.VRNfileName1->toPlainText(), antenna);
        QCOMPARE(w.windowTitle(), kCaption + " - dipole_14mhz_free_space.vrn");
        QCOMPARE(w.session().FileFrequency, 14.15);
        QVERIFY(u.Execute_Original->isEnabled() && u.Execute->isEnabled());
        QVERIFY(support.dialogs.fileRequests.isEmpty());

        support.reset();
        support.prepare();
        TForm1& other = support.createWindow();
        other.OpenFile(QStringLiteral("/no/such/antenna.vrn"));
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(support.dialogs.messages.first().contains(QStringLiteral("/no/such/antenna.vrn")));
        QVERIFY(!WindowControls(other).Execute_Original->isEnabled());
    }

    // A deck handed to the window (".wcf" or ".nec", any case) opens on "NEC-2 input"
    // byte for byte, as "Open WCF file" opens it; the antenna file stays untouched.
    void aDeckHandedToTheWindowOpensOnTheInputPage()
    {
        QTemporaryDir files;
        const QString deck = files.filePath(QStringLiteral("dipole.WCF"));
        QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/decks/dipole_free.nec"), deck));
        QFile original(deck);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();

        TForm1& w = support.createWindow();
        WindowControls u(w);
        w.OpenFile(deck);
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(u.PageControl1->currentWidget(), static_cast<QWidget*>(u.TabSheet4));
        QCOMPARE(u.GeometryNEC2->toPlainText().toLatin1(), QByteArray(bytes).replace("\r\n", "\n"));
        QVERIFY(u.StartNEC2Button->isEnabled());
        QVERIFY(u.VRNfileName->toPlainText().isEmpty());
    }

    void keysDriveTheCommands()
    {
        const QByteArray text = sampleText();
        QVERIFY(!text.isEmpty());
        QTemporaryDir files;
        const QString antenna = files.filePath(QStringLiteral("dipole.vrn"));
        {
            QFile file(antenna);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        }

        TForm1& w = support.createWindow();
        WindowControls u(w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), kCaption);

        // F9 and F5 do nothing before a file is picked: their buttons are disabled.
        QTest::keyClick(&w, Qt::Key_F9);
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(!QFileInfo::exists(w.workingFile(QStringLiteral("Indata.txo"))));

        // Ctrl+O is "Find VORNA file".
        support.dialogs.fileAnswers << antenna;
        QTest::keyClick(&w, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(support.dialogs.fileRequests.size(), 1);
        QCOMPARE(support.dialogs.fileRequests.first().title, QStringLiteral("VORNA files to be calculated"));
        QCOMPARE(w.windowTitle(), kCaption + " - dipole.vrn");
        QCOMPARE(w.session().FileFrequency, 14.15);

        // Alt+F, the button's mnemonic, asks again (the button shows its press first); no
        // answer keeps the file.
        QTest::keyClick(&w, Qt::Key_F, Qt::AltModifier);
        QTRY_COMPARE(support.dialogs.fileRequests.size(), 2);
        QCOMPARE(w.windowTitle(), kCaption + " - dipole.vrn");

        // F5 rereads the file.
        {
            QFile file(antenna);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(text).replace("\n14.15\r", "\n7.05\r"));
        }
        QTest::keyClick(&w, Qt::Key_F5);
        QCOMPARE(w.session().FileFrequency, 7.05);

        // F9 calculates at the original; "Convert only" lists the deck without the engine.
        u.ShowNEC2InputCheck->setChecked(true);
        QTest::keyClick(&w, Qt::Key_F9);
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(QFileInfo::exists(w.workingFile(QStringLiteral("Indata.txo"))));
        QVERIFY(u.Memo1->toPlainText().contains(QStringLiteral("Input NEC-2 file:")));

        // Ctrl+Q closes the window, which saves the settings.
        QVERIFY(!QFileInfo::exists(support.settingsPath()));
        QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!w.isVisible());
        QVERIFY(QFileInfo::exists(support.settingsPath()));
    }
};

QTEST_MAIN(DesktopKeysTest)
#include "tst_desktopkeys.moc"
