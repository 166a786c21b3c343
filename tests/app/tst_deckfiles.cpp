// The deck commands of the "NEC-2 input" page: reading Indata.txo, opening and saving
// deck files byte for byte, the questions before a changed deck is replaced or the window
// closes, and the
// listing handed to the desktop's viewer.
#include "AppTestSupport.h"
#include "app/QtUserDialogs.h"

#include "WindowControls.h"
#include "tests/support/FileSizeLimit.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QTest>
#include <QUrl>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class DeckFilesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void readIndata();
    void openAndSaveKeepTheBytes();
    void openingDisablesResultsOfTheOldDeck();
    void fileThatCannotBeReadIsNotFound();
    void failedSaveKeepsTheOldFile();
    void changedDeckIsReplacedOnlyWhenTheUserAgrees();
    void changedDeckIsSavedOrDroppedBeforeTheWindowCloses();
    void outputListingGoesToTheDesktopViewerWithItsWholePath();

private:
    QString path(const QString& name) const { return QDir(support.folder()).filePath(name); }
    QStringList memoLines(TForm1& w) const { return WindowControls(w).GeometryNEC2->toPlainText().split(QLatin1Char('\n')); }
    AppTestSupport support;
};

void DeckFilesTest::readIndata()
{
    TForm1& w = support.createWindow();
    WindowControls u(w);
    u.GeometryNEC2->setPlainText(QStringLiteral("kept"));
    u.ReadIndataButton->click();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("File Indata.txo is not found.")});
    QCOMPARE(u.GeometryNEC2->toPlainText(), QStringLiteral("kept"));
    QVERIFY(!u.SaveNEC2Button->isEnabled());

    const QByteArray longLine = "CM " + QByteArray(300, 'x');
    writeBytes(path("Indata.txo"), longLine + "\r\nGW 1 3 0 0 0 1 0 0 .001\nEN\r\n");
    w.setViewerEnabled(true);
    w.setFrequencyPlotsEnabled(true);
    u.ReadIndataButton->click();
    QVERIFY(support.dialogs.messages.isEmpty());
    QCOMPARE(memoLines(w),
             (QStringList{QString::fromLatin1(longLine.left(255)), QStringLiteral("GW 1 3 0 0 0 1 0 0 .001"),
                          QStringLiteral("EN")}));
    for (QWidget* b : {static_cast<QWidget*>(u.StartNEC2Button), static_cast<QWidget*>(u.SaveNEC2Button),
                       static_cast<QWidget*>(u.GFwriteButton), static_cast<QWidget*>(u.NEC2CodeEditorButton)})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(u.ViewerCallButton->isEnabled());
    QVERIFY(u.ViewerCall->isEnabled());
    QVERIFY(!w.frequencyPlotsEnabled());

    writeBytes(path("Indata.txo"), QByteArray());
    u.ReadIndataButton->click();
    QCOMPARE(u.GeometryNEC2->toPlainText(), QString());
    QVERIFY(support.dialogs.messages.isEmpty());
}

void DeckFilesTest::openAndSaveKeepTheBytes()
{
    // Bytes above 127, mixed line ends and a last line without its end.
    const QByteArray original = "CM Antenne f\xfcr 2 m \xb0\xff\r\nGW 1 3 0 0 0 1 0 0 .001\nGE\rEN";
    const QByteArray expected = "CM Antenne f\xfcr 2 m \xb0\xff\r\nGW 1 3 0 0 0 1 0 0 .001\r\nGE\r\nEN\r\n";
    writeBytes(path("deck.nec"), original);
    TForm1& w = support.createWindow();
    support.dialogs.fileAnswers = {path("deck.nec"), path("saved.wcf"), path("saved.wcf"), path("again.wcf")};
    WindowControls(w).OpenNEC2Button->click();
    QCOMPARE(memoLines(w).size(), 4);
    WindowControls(w).SaveNEC2Button->click();
    QCOMPARE(readBytes(path("saved.wcf")), expected);
    WindowControls(w).OpenNEC2Button->click();
    WindowControls(w).SaveNEC2Button->click();
    QCOMPARE(readBytes(path("again.wcf")), expected);
    QVERIFY(support.dialogs.messages.isEmpty());
    QVERIFY(support.dialogs.questions.isEmpty());

    const auto& requests = support.dialogs.fileRequests;
    QCOMPARE(requests.size(), 4);
    QCOMPARE(requests[0].filter,
             QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec|All files|*"));
    QVERIFY(requests[1].save);
    QCOMPARE(requests[1].filter, QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec"));
    QCOMPARE(requests[1].defaultSuffix, QStringLiteral("wcf"));
    QCOMPARE(requests[1].proposedName, QString());
}

void DeckFilesTest::openingDisablesResultsOfTheOldDeck()
{
    writeBytes(path("deck.wcf"), "CE\r\nGE\r\nEN\r\n");
    TForm1& w = support.createWindow();
    WindowControls u(w);
    w.setViewerEnabled(true);
    w.setAnglesDialogEnabled(true);
    w.setFrequencyPlotsEnabled(true);
    const QList<QAction*> actions{u.ViewerCall, u.ViewerCall1, u.SetAnglesforRPcalculations,
                                  u.SetAnglesforRPcalculations1};
    QVERIFY(u.ViewerCallButton->isEnabled() && u.ViewerCallButton1->isEnabled());
    for (QAction* a : actions)
        QVERIFY(a->isEnabled());
    support.dialogs.fileAnswers = {path("deck.wcf")};
    u.OpenNEC2Button->click();
    QCOMPARE(u.GeometryNEC2->toPlainText(), QStringLiteral("CE\nGE\nEN"));
    QVERIFY(!u.ViewerCallButton->isEnabled());
    QVERIFY(!u.ViewerCallButton1->isEnabled());
    for (QAction* a : actions)
        QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(!u.FreqPlotsShowMenuItem->isEnabled());
    QVERIFY(!u.FreqPlotsShowMenuItem1->isEnabled());
    QVERIFY(u.StartNEC2Button->isEnabled());
    QVERIFY(u.NEC2CodeEditorButton->isEnabled());
}

void DeckFilesTest::fileThatCannotBeReadIsNotFound()
{
    TForm1& w = support.createWindow();
    WindowControls(w).GeometryNEC2->setPlainText(QStringLiteral("kept"));
    QDir(support.folder()).mkdir(QStringLiteral("folder.wcf"));
    support.dialogs.fileAnswers = {path("missing.wcf"), path("folder.wcf")};
    WindowControls(w).OpenNEC2Button->click();
    WindowControls(w).OpenNEC2Button->click();
    QCOMPARE(support.dialogs.takeMessages(),
             (QStringList{"File " + path("missing.wcf") + " is not found.",
                          "File " + path("folder.wcf") + " is not found."}));
    QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("kept"));
    QVERIFY(!WindowControls(w).StartNEC2Button->isEnabled());
}

void DeckFilesTest::failedSaveKeepsTheOldFile()
{
    writeBytes(path("old.wcf"), "old deck\r\n");
    TForm1& w = support.createWindow();
    WindowControls(w).GeometryNEC2->setPlainText(QString(4096, QLatin1Char('x')));
    WindowControls(w).SaveNEC2Button->setEnabled(true);
    support.dialogs.fileAnswers = {path("old.wcf")};
    {
        FileSizeLimit limit(64);
        QVERIFY(limit.active());
        WindowControls(w).SaveNEC2Button->click();
    }
    QCOMPARE(support.dialogs.takeMessages(), QStringList{"Unable to save in file " + path("old.wcf")});
    QCOMPARE(readBytes(path("old.wcf")), QByteArray("old deck\r\n"));
    QCOMPARE(QDir(support.folder()).entryList(QDir::Files).filter(QStringLiteral("old.wcf")).size(), 1);
}

void DeckFilesTest::changedDeckIsReplacedOnlyWhenTheUserAgrees()
{
    writeBytes(path("Indata.txo"), "CE\r\nGE\r\nEN\r\n");
    TForm1& w = support.createWindow();
    QPlainTextEdit* memo = WindowControls(w).GeometryNEC2;
    WindowControls(w).ReadIndataButton->click();
    WindowControls(w).EditNEC2InputCheck->setChecked(true);
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("EK"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("CE\nGE\nEN\nEK"));

    support.dialogs.answers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    WindowControls(w).ReadIndataButton->click();
    QCOMPARE(support.dialogs.questions.size(), 1);
    QCOMPARE(support.dialogs.questions[0].buttons, UserDialogs::Buttons::YesNo);
    QCOMPARE(memo->toPlainText(), QStringLiteral("CE\nGE\nEN\nEK"));
    WindowControls(w).ReadIndataButton->click();
    QCOMPARE(support.dialogs.questions.size(), 2);
    QCOMPARE(memo->toPlainText(), QStringLiteral("CE\nGE\nEN"));

    // A saved deck is no longer changed.
    QTest::keyClicks(memo, QStringLiteral("x"));
    support.dialogs.fileAnswers = {path("saved.wcf"), path("Indata.txo")};
    WindowControls(w).SaveNEC2Button->click();
    WindowControls(w).OpenNEC2Button->click();
    QCOMPARE(support.dialogs.questions.size(), 2);
}

void DeckFilesTest::changedDeckIsSavedOrDroppedBeforeTheWindowCloses()
{
    struct Case {
        bool edited;
        UserDialogs::Answer answer;
        QString fileAnswer; // the save dialog's; empty: cancelled
        bool closes;
        QByteArray saved; // what saved.wcf holds afterwards
    };
    const Case cases[] = {
        {false, UserDialogs::Answer::Cancel, {}, true, "<missing>"},
        {true, UserDialogs::Answer::Cancel, {}, false, "<missing>"},
        {true, UserDialogs::Answer::No, {}, true, "<missing>"},
        {true, UserDialogs::Answer::Yes, {}, false, "<missing>"},
        {true, UserDialogs::Answer::Yes, QStringLiteral("saved.wcf"), true, "CE\r\nGE\r\nEN\r\nEK\r\n"},
    };
    for (const Case& c : cases) {
        support.prepare();
        writeBytes(path("Indata.txo"), "CE\r\nGE\r\nEN\r\n");
        TForm1& w = support.createWindow();
        w.show();
        WindowControls(w).ReadIndataButton->click();
        if (c.edited) {
            QPlainTextEdit* memo = WindowControls(w).GeometryNEC2;
            memo->moveCursor(QTextCursor::End);
            memo->insertPlainText(QStringLiteral("\nEK"));
        }
        support.dialogs.answers = {c.answer};
        if (!c.fileAnswer.isEmpty())
            support.dialogs.fileAnswers = {path(c.fileAnswer)};
        QCOMPARE(w.close(), c.closes);
        QCOMPARE(support.dialogs.questions.size(), c.edited ? 1 : 0);
        if (c.edited)
            QCOMPARE(support.dialogs.questions[0].buttons, UserDialogs::Buttons::YesNoCancel);
        QCOMPARE(readBytes(path("saved.wcf")), c.saved);
    }
}

void DeckFilesTest::outputListingGoesToTheDesktopViewerWithItsWholePath()
{
    QTemporaryDir root;
    const QString folder = QDir(root.path()).filePath(QStringLiteral("Program Files ü/NEC 2"));
    QVERIFY(QDir().mkpath(folder));
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &recorder, "open");
    const QString listing = folder + QStringLiteral("/Outdata.txo");
    {
        TForm1 w(folder, &support.dialogs);
        WindowControls(w).ViewOutdataButton->click();
        QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("File ") + listing + " is not found."});
        QVERIFY(support.dialogs.openedFiles.isEmpty());

        QFile file(listing);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        WindowControls(w).ViewOutdataButton->click();
        QCOMPARE(support.dialogs.openedFiles, QStringList{listing});
        QVERIFY(support.dialogs.messages.isEmpty());

        // No program registered for the file: the user is told which file it is.
        support.dialogs.desktopHasViewer = false;
        WindowControls(w).ViewOutdataButton->click();
        const QStringList messages = support.dialogs.takeMessages();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages.first().startsWith(QStringLiteral("No program is registered")));
        QVERIFY(messages.first().contains(listing));
    }
    // The program's own dialogs hand the file to the desktop by its whole path.
    QtUserDialogs desktop(nullptr);
    QVERIFY(desktop.openWithDesktop(listing));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(recorder.urls.size(), 1);
    QCOMPARE(recorder.urls[0].toLocalFile(), listing);
}

QTEST_MAIN(DeckFilesTest)
#include "tst_deckfiles.moc"
