// The group "Green function writing" as a user works it: "Write" with the real engine
// (which cannot write the file), with a classic engine named in engine.conf, the
// rewrite of the edit window, the checks before the run, and "Copy GF to working folder".
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "WindowControls.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextCursor>
#include <QtTest>

namespace {

const QString kWritten =
    QStringLiteral("Green function file Ngf2d.nec has been written in NEC-2 for VORNA allocation directory.");
const QString kUnsupported =
    QStringLiteral("The NEC-2 engine cannot write or read Green function files (WG and GF cards).");
const QString kDeck = QStringLiteral("CM dipole over ground\nCE\nGW 1 21 0 -5.25 10 0 5.25 10 0.001\nGE 1\nGN 1\n"
                                     "FR 0 1 0 0 14 0\nEX 0 1 11 0 1 0\nRP 0 1 360 1000 70 0 0 1\nEN\n");

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class GreenFunctionTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;

    QString file(const char* name) const { return QDir(support.folder()).filePath(QLatin1String(name)); }

    // The real scripts; with `classic`, a stand-in classic engine named in engine.conf.
    TForm1& window(bool classic)
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        if (classic) {
            writeFile(file("engine.conf"), "command=./classic.sh\nfiles=stdin\ngreens=yes\ngreens_file=NGF2D.NEC\n");
            writeFile(file("classic.sh"),
                      "#!/bin/sh\nread in\nread out\n"
                      "grep -q '^WG' \"$in\" && printf 'new file\\n' > NGF2D.NEC\n"
                      "cp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n");
            QFile(file("classic.sh")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        TForm1& w = support.createWindow();
        WindowControls(w).GFwriteButton->setEnabled(true);
        w.setViewerEnabled(true);
        return w;
    }

private slots:
    void cleanup() { support.reset(); }

    void realEngineKeepsTheOldFile()
    {
        TForm1& w = window(false);
        QVERIFY(writeFile(file("Ngf2d.nec"), "old bytes"));
        WindowControls(w).GeometryNEC2->setPlainText(kDeck);
        WindowControls(w).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages, QStringList{kUnsupported});
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("old bytes"));
        QVERIFY(WindowControls(w).ViewerCall->isEnabled()); // no run: the viewer entries stay
        QVERIFY(WindowControls(w).GFwriteButton->isEnabled());
        QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), kDeck);
    }

    void classicEngineWritesAndTheEditWindowReadsTheFile()
    {
        TForm1& w = window(true);
        QVERIFY(writeFile(file("Ngf2d.nec"), "old bytes"));
        WindowControls(w).GeometryNEC2->setPlainText(kDeck);
        support.dialogs.answers << UserDialogs::Answer::Yes;
        WindowControls(w).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(support.dialogs.questions.size(), 1);
        QCOMPARE(support.dialogs.questions[0].text,
                 kWritten + QStringLiteral(" Replace all structure cards by GF card in Edit window?"));
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("new file\n"));
        QVERIFY(!QFile::exists(file("NGF2D.NEC")));
        QVERIFY(readFile(file("IndataGN.txo")).endsWith("FR 0 1 0 0 14 0\r\nWG\r\nEN\r\n"));
        QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(),
                 QStringLiteral("CM dipole over ground\nCE\nGF\nGE\nEX 0 1 11 0 1 0\nRP 0 1 360 1000 70 0 0 1\nEN"));
        QVERIFY(!WindowControls(w).ViewerCall->isEnabled());
        QVERIFY(!WindowControls(w).ViewerCall1->isEnabled());
    }

    void currentInputIsOnlyReported()
    {
        TForm1& w = window(true);
        QVERIFY(writeFile(file("Indata.txo"), kDeck.toLatin1().replace("\n", "\r\n")));
        WindowControls(w).GeometryNEC2->setPlainText(QStringLiteral("CE\nEN"));
        WindowControls(w).GFwriteCurrentInputCheck->setChecked(true);
        WindowControls(w).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages, QStringList{kWritten});
        QVERIFY(support.dialogs.questions.isEmpty());
        QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("CE\nEN"));
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("new file\n"));
    }

    void decksRefusedBeforeTheRun_data()
    {
        QTest::addColumn<bool>("currentInput");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("selected"); // the edit window's line selected, -1 for none
        QTest::newRow("empty") << false << QString() << "Edit window is empty." << -1;
        QTest::newRow("lower case") << false << "CE\ngw 1 5 0 0 0 0 0 1 .001\nEN"
                                    << "Incorrect card are present.\nLine 2 (gw): this card cannot be used here." << 1;
        QTest::newRow("empty line") << false << "CE\nGW 1 5 0 0 0 0 0 1 .001\n\nGE\nEN"
                                    << "Incorrect card are present.\nLine 3: the line is empty." << 2;
        QTest::newRow("unknown card") << false << "CM a\nCE\nGW 1 5 0 0 0 0 0 1 .001\nGE\nFR 0 1 0 0 14\nQQ 1\nEN"
                                      << "Incorrect card are present.\nLine 6 (QQ): this card cannot be used here."
                                      << 5;
        QTest::newRow("no Indata.txo") << true << "CE\nEN"
                                       << "Current input NEC-2 file, Indata.txo not found." << -1;
    }

    void decksRefusedBeforeTheRun()
    {
        QFETCH(bool, currentInput);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, selected);
        TForm1& w = window(true);
        WindowControls(w).GeometryNEC2->setPlainText(text);
        WindowControls(w).GFwriteCurrentInputCheck->setChecked(currentInput);
        WindowControls(w).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages, QStringList{message});
        QVERIFY(!QFile::exists(file("IndataGN.txo")));
        const QTextCursor cursor = WindowControls(w).GeometryNEC2->textCursor();
        if (selected < 0) {
            QVERIFY(!cursor.hasSelection());
            return;
        }
        QCOMPARE(cursor.blockNumber(), selected);
        QCOMPARE(cursor.selectedText(), text.split('\n').at(selected));
        QCOMPARE(WindowControls(w).PageControl1->currentWidget(), static_cast<QWidget*>(WindowControls(w).TabSheet4));
    }

    // A deck the calculation core refuses (its cases are the core's tests): its message,
    // naming the edit window's line, and the folder's Green function file kept.
    void aDeckTheCoreRefuses()
    {
        TForm1& w = window(false);
        QVERIFY(writeFile(file("Ngf2d.nec"), "old file\n"));
        WindowControls(w).GeometryNEC2->setPlainText("CE\nGW 1 5 0 0 0 0 0 1 .001\nGE\nFR 0 1 0 0 -14\nEN");
        WindowControls(w).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages, QStringList{"The FR card (line 4 of the NEC-2 input) asks for a negative "
                                                       "frequency, -14 MHz. NEC-2 cannot compute it; please correct the card."});
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("old file\n"));
        QVERIFY(!QFile::exists(file("Ngf2d.nec.old")));
        QVERIFY(WindowControls(w).GFwriteButton->isEnabled());
    }

    void copyGreenFunctionFile()
    {
        TForm1& w = window(false);
        QTemporaryDir other;
        const QString source = QDir(other.path()).filePath(QStringLiteral("Ngf2d.nec"));
        QVERIFY(writeFile(source, "chosen bytes"));
        QVERIFY(writeFile(file("Ngf2d.nec"), "old bytes"));

        // The working folder's own file.
        support.dialogs.fileAnswers << file("Ngf2d.nec");
        WindowControls(w).CopyGF->trigger();
        QCOMPARE(support.dialogs.fileRequests.last().title,
                 QStringLiteral("Copy Green function to working folder from...."));
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("The chosen file ") + file("Ngf2d.nec")
                             + QStringLiteral(" is the Green function file of the working folder itself.")});
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("old bytes"));

        // Cancel at the question.
        support.dialogs.fileAnswers << source;
        WindowControls(w).CopyGF->trigger();
        QCOMPARE(support.dialogs.questions.last().text,
                 QStringLiteral("Green function file, Ngf2d.nec, in working folder will be overwritten. OK?"));
        QVERIFY(support.dialogs.takeMessages().isEmpty());
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("old bytes"));

        // A file that cannot be read.
        support.dialogs.fileAnswers << QDir(other.path()).filePath(QStringLiteral("gone.nec"));
        support.dialogs.answers << UserDialogs::Answer::Ok;
        WindowControls(w).CopyGF->trigger();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Attempt to copy ") + QDir(other.path()).filePath("gone.nec")
                             + QStringLiteral(" failed!")});
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("old bytes"));

        support.dialogs.fileAnswers << source;
        support.dialogs.answers << UserDialogs::Answer::Ok;
        WindowControls(w).CopyGF->trigger();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Green function is copied from ") + source
                             + QStringLiteral(" to working directory.")});
        QCOMPARE(readFile(file("Ngf2d.nec")), QByteArray("chosen bytes"));
    }
};

QTEST_MAIN(GreenFunctionTest)
#include "tst_greenfunction.moc"
