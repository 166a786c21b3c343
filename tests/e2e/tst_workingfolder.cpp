// A program folder that cannot be written (an installed package): the program keeps its
// settings and working files in the user's folder, finds the engine scripts in the
// program folder and prefers the user's own engine.conf.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "WindowControls.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class WorkingFolderTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;
    std::unique_ptr<QTemporaryDir> dataHome;
    QByteArray savedDataHome;

    static void writeFile(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    static void setReadOnly(const QString& folder, bool readOnly)
    {
        const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile(folder).setPermissions(readOnly ? read : read | QFile::WriteOwner));
    }

private slots:
    void init()
    {
        savedDataHome = qgetenv("XDG_DATA_HOME");
        dataHome = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dataHome->path().toLocal8Bit());
    }

    void cleanup()
    {
        setReadOnly(support.folder(), false);
        support.reset();
        qputenv("XDG_DATA_HOME", savedDataHome);
    }

    void readOnlyProgramFolderCalculatesInTheUsersFolder()
    {
        support.prepare();
        const QString program = support.folder();
        QVERIFY(e2e::installEngine(program));
        // The program folder names an engine that does not exist; the user's own file
        // names the real one and comes first.
        writeFile(QDir(program).filePath("engine.conf"), "command=./no-such-engine\nfiles=options\n");
        const QString working = QDir(dataHome->path()).filePath("VRN_NEC");
        QVERIFY(QDir().mkpath(working));
        writeFile(QDir(working).filePath("engine.conf"), "command=nec2c\nfiles=options\ngreens=no\n");
        const QStringList before = QDir(program).entryList(QDir::Files);
        setReadOnly(program, true);

        TForm1& window = support.createWindow();
        QCOMPARE(window.workingFolder(), working);
        WindowControls u(window);
        support.dialogs.fileAnswers << e2e::sample("dipole_14mhz_free_space.vrn");
        u.ButtonVRNfileFind->click();
        u.Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(u.ResultsTable->rowCount(), 1);
        QCOMPARE(u.ResultsTable->item(0, 2)->text(), QStringLiteral("14.15"));
        for (const char* name : {"Indata.txo", "Outdata.txo", "Outdata.nec2c.txo"})
            QVERIFY2(QFileInfo::exists(QDir(working).filePath(name)), name);

        window.close();
        support.destroyWindow();
        QVERIFY(QFileInfo::exists(QDir(working).filePath("VRN_NEC.ini")));
        QCOMPARE(QDir(program).entryList(QDir::Files), before);
    }

    // A Green's function file written in the user's folder: the message names that folder.
    void greenFunctionFileInTheUsersFolder()
    {
        support.prepare();
        const QString program = support.folder();
        QVERIFY(e2e::installEngine(program));
        const QString working = QDir(dataHome->path()).filePath("VRN_NEC");
        QVERIFY(QDir().mkpath(working));
        const QString engine = QDir(working).filePath("classic.sh");
        writeFile(engine,
                  "#!/bin/sh\nread in\nread out\nprintf 'new file\\n' > NGF2D.NEC\n"
                  "cp '" TEST_DATA_DIR "/listings/classic/green_write.out' \"$out\"\n");
        QVERIFY(QFile(engine).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        writeFile(QDir(working).filePath("engine.conf"),
                  "command=" + engine.toLocal8Bit() + "\nfiles=stdin\ngreens=yes\ngreens_file=NGF2D.NEC\n");
        QFile deck(QStringLiteral(TEST_DATA_DIR "/decks/dipole_perfect.nec"));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        writeFile(QDir(working).filePath("Indata.txo"), deck.readAll());
        setReadOnly(program, true);

        TForm1& window = support.createWindow();
        WindowControls(window).GFwriteButton->setEnabled(true);
        WindowControls(window).GFwriteCurrentInputCheck->setChecked(true);
        WindowControls(window).GFwriteButton->click();
        QCOMPARE(support.dialogs.messages,
                 QStringList{"Green function file Ngf2d.nec has been written in the working folder " + working + "."});
        QVERIFY(QFileInfo::exists(QDir(working).filePath("Ngf2d.nec")));
    }

    void writableProgramFolderKeepsEverything()
    {
        support.prepare();
        QVERIFY(e2e::installEngine(support.folder()));
        TForm1& window = support.createWindow();
        QCOMPARE(window.workingFolder(), QDir::cleanPath(support.folder()));
        support.dialogs.fileAnswers << e2e::sample("dipole_14mhz_free_space.vrn");
        WindowControls(window).ButtonVRNfileFind->click();
        WindowControls(window).Execute_Original->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(QFileInfo::exists(QDir(support.folder()).filePath("Outdata.txo")));
        window.close();
        QVERIFY(QFileInfo::exists(support.settingsPath()));
        QVERIFY(!QFileInfo::exists(QDir(dataHome->path()).filePath("VRN_NEC")));
    }
};

QTEST_MAIN(WorkingFolderTest)
#include "tst_workingfolder.moc"
