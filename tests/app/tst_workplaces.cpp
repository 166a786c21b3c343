// Where the user works, on the offscreen platform: remembered folders per kind of file,
// window places, the recent files, drops on the main window, and whole card rows through
// the clipboard. Each kept across a close and a new start through the settings file.
#include "AppTestSupport.h"
#include "CardEditorSupport.h"

#include "app/CardForm.h"
#include "app/EditorCommands.h"
#include "WindowControls.h"
#include "app/TableEditorForm.h"
#include "app/WorkPlacesKeeper.h"

#include <QAction>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kAntenna = QStringLiteral(TEST_DATA_DIR "/vrn/dipole_14mhz_free_space.vrn");
const QString kDeck = QStringLiteral(TEST_DATA_DIR "/decks/dipole_free.nec");

QString copyInto(const QString& folder, const QString& file)
{
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(QFileInfo(file).fileName());
    QFile::copy(file, target);
    return target;
}

QStringList menuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

} // namespace

class WorkPlacesTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;
    QTemporaryDir user; // the folders the user works in

    QString settingsText() const
    {
        QFile file(support.settingsPath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString lastFolder() const { return support.dialogs.fileRequests.last().folder; }
    TEditForm* openEditor(TForm1& w, const QString& deck) { return OpenCardEditor(w, deck); }
    QString cell(TEditForm* e, int row, int column) { return e->model().data(e->model().index(row, column)).toString(); }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void dialogsOpenInTheFolderLastUsedForTheirKind()
    {
        const QString antennaFolder = QDir(user.path()).filePath(QStringLiteral("antennas"));
        const QString antenna = copyInto(antennaFolder, kAntenna);
        {
            TForm1& w = support.createWindow();
            // The first time: not the program folder.
            w.commandAction(Command::FindAntennaFile)->trigger();
            const QString first = lastFolder();
            QVERIFY(!first.isEmpty());
            QVERIFY(QDir(first) != QDir(support.folder()));
            QVERIFY(QFileInfo(first).isDir());

            support.dialogs.fileAnswers = {antenna};
            w.commandAction(Command::FindAntennaFile)->trigger();
            QCOMPARE(WindowControls(w).VRNfileName->toPlainText(), antenna);
            w.commandAction(Command::FindAntennaFile)->trigger();
            QCOMPARE(lastFolder(), antennaFolder);
            // A deck dialog keeps its own folder.
            WindowControls(w).OpenNEC2Button->click();
            QCOMPARE(lastFolder(), first);
            QCOMPARE(menuTexts(w.workPlaces().recentMenu()), QStringList{"&1 " + antenna});
            w.close();
        }
        QVERIFY(settingsText().contains("[Folders]\nAntenna=" + antennaFolder + "\n"));
        QVERIFY(settingsText().contains("[Recent Files]\nFile1=" + antenna + "\n"));

        support.dialogs = ScriptedDialogs();
        TForm1& again = support.createWindow();
        again.commandAction(Command::FindAntennaFile)->trigger();
        QCOMPARE(lastFolder(), antennaFolder);
        QCOMPARE(menuTexts(again.workPlaces().recentMenu()), QStringList{"&1 " + antenna});
        QVERIFY(support.dialogs.messages.isEmpty());
    }

    void mainWindowPlaceIsKeptAndClampedToTheScreen()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QSize grown;
        {
            TForm1& w = support.createWindow();
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            // Larger than designed where the screen allows (the offscreen screen is
            // smaller than the designed window).
            grown = (w.pageControlSize() + QSize(120, 90)).boundedTo(screen.size() - QSize(40, 50));
            w.setGeometry(QRect(screen.topLeft() + QPoint(10, 20), grown));
            QTRY_COMPARE(w.size(), grown);
            w.close();
        }
        QVERIFY(settingsText().contains(QStringLiteral("[Window TForm1]\nLeft=%1\nTop=%2\nWidth=%3\nHeight=%4\nMaximized=0\n")
                                            .arg(screen.left() + 10)
                                            .arg(screen.top() + 20)
                                            .arg(grown.width())
                                            .arg(grown.height())));
        {
            TForm1& w = support.createWindow();
            QCOMPARE(w.geometry(), QRect(screen.topLeft() + QPoint(10, 20), grown));
        }

        // Saved on a screen that is gone, and larger than this one.
        support.prepare("[Window TForm1]\nLeft=9000\nTop=-4000\nWidth=5000\nHeight=400\n");
        TForm1& w = support.createWindow();
        QVERIFY(screen.contains(w.geometry()));
        QCOMPARE(w.width(), screen.width());
        QCOMPARE(w.height(), 400);
    }

    void editorPlaceIsKeptAndItsTableTakesTheRoom()
    {
        const QString deck = QStringLiteral("CE\nGW 1 10 0 0 0 0 0 10 0.001\nGE 0\nEN");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QSize large(std::min(900, screen.width()), std::min(560, screen.height()));
        {
            TForm1& w = support.createWindow();
            TEditForm* e = openEditor(w, deck);
            QVERIFY(e);
            QVERIFY(QTest::qWaitForWindowExposed(e));
            QCOMPARE(e->size(), QSize(760, 420)); // as designed at first
            const int rowsArea = e->codeTable()->height();
            e->resize(large);
            QTRY_VERIFY(e->codeTable()->height() > rowsArea);
            e->close();
            QPointer<TEditForm> second = openEditor(w, deck);
            QVERIFY(second);
            QVERIFY(QTest::qWaitForWindowExposed(second));
            QCOMPARE(second->size(), large);
            w.close();
        }
        QVERIFY(settingsText().contains(QStringLiteral("Width=%1\nHeight=%2\n").arg(large.width()).arg(large.height())));
        QVERIFY(settingsText().contains(QStringLiteral("[Window TEditForm]")));
        TForm1& w = support.createWindow();
        TEditForm* e = openEditor(w, deck);
        QVERIFY(QTest::qWaitForWindowExposed(e));
        QCOMPARE(e->size(), large);
    }

    void recentFilesOpenAndGoneOnesAreDropped()
    {
        const QString antenna = copyInto(QDir(user.path()).filePath(QStringLiteral("recent")), kAntenna);
        const QString gone = QDir(user.path()).filePath(QStringLiteral("gone.vrn"));
        support.prepare(QStringLiteral("[Recent Files]\nFile1=%1\nFile2=%2\n").arg(gone, antenna).toUtf8());
        TForm1& w = support.createWindow();
        QMenu* menu = w.workPlaces().recentMenu();
        QCOMPARE(menuTexts(menu), (QStringList{"&1 " + gone, "&2 " + antenna}));
        QCOMPARE(menu->actions().at(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_2));

        menu->actions().at(0)->trigger();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{"File " + gone + " is not found. It is removed from the recent files."});
        QCOMPARE(menuTexts(menu), QStringList{"&1 " + antenna});

        menu->actions().at(0)->trigger();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(WindowControls(w).VRNfileName->toPlainText(), antenna);
        QVERIFY(WindowControls(w).Execute_Original->isEnabled());
    }

    void droppedFilesOpenAsFromTheCommandLine()
    {
        const QString deck = copyInto(QDir(user.path()).filePath(QStringLiteral("drop")), kDeck);
        TForm1& w = support.createWindow();
        const auto drop = [&w](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&w, &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(&w, &dropped);
            return true;
        };
        QVERIFY(w.acceptDrops());
        QVERIFY(!drop(QDir(user.path()).filePath(QStringLiteral("currents.csv"))));
        QVERIFY(drop(deck));
        QCOMPARE(WindowControls(w).PageControl1->currentWidget(), WindowControls(w).TabSheet4);
        QVERIFY(WindowControls(w).GeometryNEC2->toPlainText().contains(QStringLiteral("GW 1 21")));
        QCOMPARE(menuTexts(w.workPlaces().recentMenu()), QStringList{"&1 " + deck});
    }

    void copyGFButtonAndUnitsOfTheWireTools()
    {
        TForm1& w = support.createWindow();
        w.buildPages();
        auto* copy = w.findChild<QPushButton*>(QStringLiteral("CopyGFButton"));
        QVERIFY(copy);
        QCOMPARE(copy->text(), QStringLiteral("Copy GF to working folder"));
        QCOMPARE(copy->parentWidget(), WindowControls(w).GroupBox6);
        copy->click();
        QCOMPARE(support.dialogs.fileRequests.size(), 1);
        QCOMPARE(support.dialogs.fileRequests[0].title, QStringLiteral("Copy Green function to working folder from...."));

        TEditForm* e = openEditor(w, QStringLiteral("CE\nGW 1 10 0 0 0 0 0 10 0.001\nGE 0\nEN"));
        QVERIFY(e);
        e->openTool(0, 1);
        const auto visibleField = [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible())
                    if (auto* field = top->findChild<QLineEdit*>(QStringLiteral("X1Field")))
                        return field;
            return static_cast<QLineEdit*>(nullptr);
        };
        QTRY_VERIFY(visibleField());
        QLineEdit* tools = visibleField();
        QVERIFY(tools->toolTip().contains(QStringLiteral("begin X, m")));
    }

    void cardDialogCaptionsSayTheirUnits()
    {
        TForm1& w = support.createWindow();
        TEditForm* e = openEditor(w, QStringLiteral("CE\nFR 0 1 0 0 14\nTL 1 2 2 2 600 5\nEN"));
        QVERIFY(e);
        const auto tips = [e](int row) {
            e->openTool(row, 1);
            QStringList texts;
            auto* grid = e->cardForm() ? e->cardForm()->findChild<QTableWidget*>(QStringLiteral("CardGrid")) : nullptr;
            if (grid == nullptr || !QTest::qWaitForWindowExposed(e->cardForm()))
                return texts;
            for (int column = 1; column < grid->columnCount(); ++column)
                texts << grid->horizontalHeaderItem(column)->text() + "=" + grid->horizontalHeaderItem(column)->toolTip();
            e->cardForm()->close();
            return texts;
        };
        QCOMPARE(tips(0).mid(0, 6), (QStringList{"Step=", "Step Num=", "=0=", "=0=", "Freq=MHz",
                                                 "Incr=MHz, or a factor with multiplicative stepping"}));
        const QStringList tl = tips(1);
        QVERIFY(tl.contains(QStringLiteral("Z=ohm")) && tl.contains(QStringLiteral("Len=m")) && tl.contains(QStringLiteral("Wire1=")));
    }

    void wholeRowsThroughTheClipboard_data()
    {
        QTest::addColumn<bool>("comma");
        QTest::newRow("point") << false;
        QTest::newRow("comma") << true;
    }

    void wholeRowsThroughTheClipboard()
    {
        QFETCH(bool, comma);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        TForm1& w = support.createWindow();
        TEditForm* e = openEditor(w, QStringLiteral("CE\nGW 1 10 0 0 0 0 0 10 0.001\nGE 0\nFR 0 1 0 0 14.2\nEN"));
        QVERIFY(e);
        QTableView* table = e->codeTable();

        table->setCurrentIndex(e->model().index(2, 3));
        QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("FR 0 1 0 0 14.2\n"));

        // Pasted rows go above the current row; a text editor's lines paste as well.
        table->setCurrentIndex(e->model().index(0, 0));
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->model().rowCount(), 4);
        QCOMPARE(cell(e, 0, 0), QStringLiteral("FR"));
        QCOMPARE(cell(e, 0, 5), comma ? QStringLiteral("14,2") : QStringLiteral("14.2"));
        QCOMPARE(cell(e, 1, 0), QStringLiteral("GW"));
        QGuiApplication::clipboard()->setText(QStringLiteral("CM from an editor\r\nld 5 1 0 0 5.8E7\r\n\r\nEX 0 1 5 0 1\r\n"));
        table->setCurrentIndex(e->model().index(4 - 1, 0));
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(e->model().rowCount(), 6);
        QCOMPARE(cell(e, 3, 0), QStringLiteral("LD"));
        QCOMPARE(cell(e, 4, 0), QStringLiteral("EX"));
        QCOMPARE(cell(e, 5, 0), QStringLiteral("FR"));

        // One undo takes the whole paste back.
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e->model().rowCount(), 4);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(e->model().rowCount(), 6);

        // Cut: the row leaves the table and is on the clipboard.
        table->selectionModel()->setCurrentIndex(e->model().index(2, 1), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(table, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("GE 0\n"));
        QCOMPARE(e->model().rowCount(), 5);
        QCOMPARE(cell(e, 2, 0), QStringLiteral("LD"));

        // "OK" writes the rows in their new order.
        e->EditFormOKButtonClick();
        QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(),
                 QStringLiteral("CE\nFR 0 1 0 0 14.2\nGW 1 10 0 0 0 0 0 10 0.001\nLD 5 1 0 0 58000000\nEX 0 1 5 0 1\n"
                                "FR 0 1 0 0 14.2\nEN"));
    }

    void windowGrowsAndThePagesTakeTheRoom()
    {
        TForm1& w = support.createWindow();
        const QSize page = w.pageControlSize();
        QVERIFY(page.width() >= 600 && page.height() >= 400);
        // The status line stands below the pages at their designed size.
        auto* status = w.findChild<QStatusBar*>(QStringLiteral("StatusLine"));
        QVERIFY(status);
        const QSize designed = page + QSize(0, status->sizeHint().height());
        QCOMPARE(w.size(), designed);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(WindowControls(w).PageControl1->size(), page);
        QCOMPARE(status->geometry().top(), WindowControls(w).PageControl1->geometry().bottom() + 1);
        QCOMPARE(status->width(), page.width());

        // Larger: the page control grows with the window, and so does the results table.
        const QSize tableBefore = WindowControls(w).ResultsTable->size();
        WindowControls(w).PageControl1->setCurrentWidget(WindowControls(w).TabSheet5);
        QTRY_VERIFY(WindowControls(w).CurrentChart->isVisible());
        const QSize chartBefore = WindowControls(w).CurrentChart->size();
        w.resize(designed.width() + 300, designed.height() + 200);
        QTRY_COMPARE(w.size(), QSize(designed.width() + 300, designed.height() + 200));
        QTRY_COMPARE(WindowControls(w).PageControl1->size(), QSize(page.width() + 300, page.height() + 200));
        WindowControls(w).PageControl1->setCurrentWidget(WindowControls(w).TabSheet3);
        QTRY_VERIFY(WindowControls(w).ResultsTable->width() > tableBefore.width());
        WindowControls(w).PageControl1->setCurrentWidget(WindowControls(w).TabSheet5);
        QTRY_VERIFY(WindowControls(w).CurrentChart->width() > chartBefore.width());
        QTRY_VERIFY(WindowControls(w).CurrentChart->height() > chartBefore.height());

        // Shrinking is allowed down to what the layout needs; back at the designed size
        // the page control is as designed.
        // (The pages built after the start add to what the layout needs.)
        const QSize smaller = (designed - QSize(60, 60)).expandedTo(w.minimumSizeHint());
        QVERIFY(smaller != designed);
        w.resize(smaller);
        QTRY_COMPARE(w.size(), smaller);
        w.resize(designed);
        QTRY_COMPARE(WindowControls(w).PageControl1->size(), page);
    }
};

QTEST_MAIN(WorkPlacesTest)
#include "tst_workplaces.moc"
