// The card table editor, the card dialog and the card help on the offscreen platform:
// typing in cells, the gap rule, the tools by card, row deletes, moves and their undo,
// and what reaches the deck memo.
#include "AppTestSupport.h"
#include "CardEditorSupport.h"

#include "app/CardForm.h"
#include "app/EditorCommands.h"
#include "WindowControls.h"
#include "app/TableEditorForm.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

class CardEditorTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void typedIdentifierMovesToTheFirstField();
    void numberCheckWhileTypingAndGapsOnEnter();
    void cardDialogDefaultsAndOwnValues_data();
    void cardDialogDefaultsAndOwnValues();
    void cardDialogOkIsOneUndoableStep();
    void rightClickCommitsTheOpenCellAndOpensItsRow();
    void shiftDelOnTheOnlyRowLeavesAnEmptyTableThatIsNotStored();
    void draggedRowIsStoredInItsNewOrder();
    void deletedRowComesBackWithUndo();
    void changedTableAsksBeforeItIsDropped();
    void failedOkKeepsTheEditorAndTheMainWindowDisabled();
    void enterOnAnInvalidCellKeepsItInEditing_data();
    void enterOnAnInvalidCellKeepsItInEditing();
    void longCaptionsAndNumbersFitTheirCells();

private:
    TEditForm* openEditor(TForm1& w, const QString& deck) { return OpenCardEditor(w, deck); }
    // Opens the cell editor on (row, column) and types `text` into it.
    QLineEdit* type(QAbstractItemView* view, int row, int column, const QString& text)
    {
        const QModelIndex index = view->model()->index(row, column);
        view->setCurrentIndex(index);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        view->edit(index);
        auto* editor = view->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
        if (editor)
            QTest::keyClicks(editor, text);
        return editor;
    }
    QString cell(TEditForm* e, int row, int column)
    {
        return e->model().data(e->model().index(row, column)).toString();
    }
    AppTestSupport support;
};

void CardEditorTest::typedIdentifierMovesToTheFirstField()
{
    TForm1& w = support.createWindow();
    QVERIFY(!openEditor(w, QStringLiteral("GE\nEN")));
    QVERIFY(!openEditor(w, QStringLiteral("CM a\n CE\nEN")));
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGE\nEN"));
    QVERIFY(e);
    QCOMPARE(e->windowTitle(), QStringLiteral("NEC-2 input code correction"));
    QCOMPARE(e->model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Card ID"));
    e->codeTable()->setCurrentIndex(e->model().index(0, 0));
    QTest::keyClick(e->codeTable(), Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(e->model().rowCount(), 2);
    QCOMPARE(e->codeTable()->currentIndex(), e->model().index(0, 0));
    type(e->codeTable(), 0, 0, QStringLiteral("gw"));
    QCOMPARE(cell(e, 0, 0), QStringLiteral("GW"));
    QCOMPARE(e->codeTable()->currentIndex(), e->model().index(0, 1));
    QCOMPARE(cell(e, 1, 0), QStringLiteral("GE"));
}

void CardEditorTest::numberCheckWhileTypingAndGapsOnEnter()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nLD 0 1 2 2 0.5\nEN"));
    QVERIFY(e);
    QCOMPARE(cell(e, 0, 5), QStringLiteral("0,5"));
    QLineEdit* editor = type(e->codeTable(), 0, 7, QStringLiteral("1E"));
    QVERIFY(editor);
    QCOMPARE(e->statusLine()->text(), QStringLiteral("Number format is not correct!"));
    QCOMPARE(editor->text(), QStringLiteral("1E"));
    QTest::keyClicks(editor, QStringLiteral("-5"));
    QCOMPARE(e->statusLine()->text(), QString());
    QVERIFY(support.dialogs.messages.isEmpty());
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(cell(e, 0, 7), QStringLiteral("1E-5"));
    QCOMPARE(cell(e, 0, 6), QStringLiteral("0"));
    // Esc in a cell reverts that cell only.
    editor = type(e->codeTable(), 0, 3, QStringLiteral("9"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCOMPARE(cell(e, 0, 3), QStringLiteral("2"));
    QVERIFY(e->isVisible());
    e->EditFormOKButtonClick();
    QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("CE\nLD 0 1 2 2 0.5 0 1E-5\nEN"));
    QVERIFY(w.isEnabled());
}

void CardEditorTest::cardDialogDefaultsAndOwnValues_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<int>("helpLines");
    QTest::newRow("GE defaults") << "GE"
                                 << "Card: GE" << QStringList{"", "GP flag", ""} << QStringList{"GE", "0", ""} << 3;
    QTest::newRow("LD own values") << "LD 5 1 1 1 50"
                                   << "Card: LD" << QStringList{"",      "Type",     "Wire",  "Seg beg", "Seg end",
                                                                "F1(R)", "F2(L,jX)", "F3(C)", ""}
                                   << QStringList{"LD", "5", "1", "1", "1", "50", "", "", ""} << 25;
    QTest::newRow("EK") << "EK"
                        << "Card: EK" << QStringList{"", ""} << QStringList{"EK", ""} << 1;
}

void CardEditorTest::cardDialogDefaultsAndOwnValues()
{
    QFETCH(QString, line);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, values);
    QFETCH(int, helpLines);
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, "CE\nRP 0 1 1 1000 90 0 0 0\n" + line + "\nEN");
    QVERIFY(e);
    e->codeTable()->setCurrentIndex(e->model().index(0, 2));
    QTest::keyClick(e->codeTable(), Qt::Key_Insert);
    QVERIFY2(!e->cardForm(), "an RP row has no tool");
    e->codeTable()->setCurrentIndex(e->model().index(1, 2));
    QTest::keyClick(e->codeTable(), Qt::Key_Insert);
    TCardForm* card = e->cardForm();
    QVERIFY(card);
    QCOMPARE(card->windowTitle(), title);
    QVERIFY(!e->isEnabled());
    QTableWidget* grid = card->cardGrid();
    QCOMPARE(grid->columnCount(), 11);
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(grid->horizontalHeaderItem(column)->text(), captions[column]);
        QCOMPARE(grid->item(0, column)->text(), values[column]);
    }
    card->CardHelpButtonClick();
    QVERIFY(card->helpForm());
    QCOMPARE(card->helpForm()->memo()->toPlainText().split(QLatin1Char('\n')).size(), helpLines);
    QVERIFY(!card->isEnabled());
    card->helpForm()->findChild<QPushButton*>(QStringLiteral("CardHelpCloseButton"))->click();
    QVERIFY(card->isEnabled());
    card->findChild<QPushButton*>(QStringLiteral("EditCardCancelButton"))->click();
    QVERIFY(e->isEnabled());
    QCOMPARE(cell(e, 1, 1), values[0] == "LD" ? QStringLiteral("5") : QString());
}

void CardEditorTest::cardDialogOkIsOneUndoableStep()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGE\nEN"));
    QVERIFY(e);
    e->openTool(0, 0);
    TCardForm* card = e->cardForm();
    QVERIFY(card);
    card->cardGrid()->item(0, 1)->setText(QStringLiteral("-"));
    card->EditCardOKButtonClick();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{"Incorrect numbers occurs in table!\nRow 1 (GE): field 1 is not a number."});
    QCOMPARE(card->cardGrid()->currentColumn(), 1);
    QVERIFY(e->cardForm());
    card->cardGrid()->item(0, 1)->setText(QStringLiteral("1"));
    card->EditCardOKButtonClick();
    QVERIFY(!e->cardForm() || !e->cardForm()->isVisible());
    QCOMPARE(cell(e, 0, 1), QStringLiteral("1"));
    QVERIFY(e->isEnabled());
    e->model().undoStack().undo();
    QCOMPARE(cell(e, 0, 1), QString());
}

void CardEditorTest::rightClickCommitsTheOpenCellAndOpensItsRow()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGE\nLD 5 1 1 1 50\nEN"));
    QVERIFY(e);
    type(e->codeTable(), 1, 5, QStringLiteral("77"));
    QTableView* table = e->codeTable();
    const QPoint onGe = table->visualRect(e->model().index(0, 1)).center();
    QTest::mouseClick(table->viewport(), Qt::RightButton, Qt::NoModifier, onGe);
    QCOMPARE(cell(e, 1, 5), QStringLiteral("77"));
    QVERIFY(e->cardForm());
    QCOMPARE(e->cardForm()->windowTitle(), QStringLiteral("Card: GE"));
    QCOMPARE(e->cardForm()->tableRow(), 0);
}

// A deck of comments and EN alone could never be opened in the editor again.
void CardEditorTest::shiftDelOnTheOnlyRowLeavesAnEmptyTableThatIsNotStored()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CM x\nCE\nGW 1 5 0 0 0 1 0 0 .001\nEN"));
    QVERIFY(e);
    e->codeTable()->setCurrentIndex(e->model().index(0, 3));
    QTest::keyClick(e->codeTable(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(e->model().rowCount(), 1);
    QCOMPARE(cell(e, 0, 0), QString());
    e->findChild<QPushButton*>(QStringLiteral("EditFormOKButton"))->click();
    QCOMPARE(support.dialogs.takeMessages(),
             QStringList{"The table has no cards: a deck needs at least one card besides CM, CE and EN."});
    QVERIFY(e->isVisible());
    QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("CM x\nCE\nGW 1 5 0 0 0 1 0 0 .001\nEN"));
}

void CardEditorTest::draggedRowIsStoredInItsNewOrder()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 .001\nGE\nFR 0 1 0 0 14\nEN"));
    QVERIFY(e);
    const QPersistentModelIndex ge(e->model().index(1, 0));
    QHeaderView* headings = e->codeTable()->verticalHeader();
    headings->moveSection(2, 0);
    QCOMPARE(headings->logicalIndex(0), 0);
    QCOMPARE(cell(e, 0, 0), QStringLiteral("FR"));
    QCOMPARE(ge.row(), 2);
    e->EditFormOKButtonClick();
    QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("CE\nFR 0 1 0 0 14\nGW 1 5 0 0 0 1 0 0 0.001\nGE\nEN"));
}

void CardEditorTest::deletedRowComesBackWithUndo()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 .001\nGE\nEN"));
    QVERIFY(e);
    QVERIFY(QTest::qWaitForWindowActive(e));
    e->codeTable()->setCurrentIndex(e->model().index(0, 0));
    QTest::keyClick(e->codeTable(), Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(e->model().rowCount(), 1);
    QTest::keyClick(e->codeTable(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->model().rowCount(), 2);
    QCOMPARE(cell(e, 0, 0), QStringLiteral("GW"));
    QTest::keyClick(e->codeTable(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(e->model().rowCount(), 1);
    QCOMPARE(cell(e, 0, 0), QStringLiteral("GE"));
}

void CardEditorTest::changedTableAsksBeforeItIsDropped()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGE\nEN"));
    QVERIFY(e);
    QPointer<TEditForm> alive(e);
    QTest::keyClick(e->codeTable(), Qt::Key_Escape);
    QVERIFY(support.dialogs.questions.isEmpty());
    QVERIFY(w.isEnabled());

    e = openEditor(w, QStringLiteral("CE\nGE\nEN"));
    alive = e;
    e->codeTable()->setCurrentIndex(e->model().index(0, 0));
    QTest::keyClick(e->codeTable(), Qt::Key_Delete);
    support.dialogs.answers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    QTest::keyClick(e->codeTable(), Qt::Key_Escape);
    QCOMPARE(support.dialogs.questions.size(), 1);
    QVERIFY(e->isVisible());
    QVERIFY(!w.isEnabled());
    e->close();
    QCOMPARE(support.dialogs.questions.size(), 2);
    QVERIFY(w.isEnabled());
    QCOMPARE(WindowControls(w).GeometryNEC2->toPlainText(), QStringLiteral("CE\nGE\nEN"));
}

void CardEditorTest::failedOkKeepsTheEditorAndTheMainWindowDisabled()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nGE\nLD 5 1 abc 1 50\nEN"));
    QVERIFY(e);
    QCOMPARE(cell(e, 1, 3), QStringLiteral("abc"));
    e->EditFormOKButtonClick();
    QCOMPARE(support.dialogs.takeMessages(),
             QStringList{"Incorrect numbers occurs in table!\nRow 2 (LD): field 3 is not a number."});
    QVERIFY(e->isVisible());
    QVERIFY(!w.isEnabled());
    QCOMPARE(e->codeTable()->currentIndex().row(), 1);
    QCOMPARE(e->codeTable()->currentIndex().column(), 3);
    e->model().setData(e->model().index(0, 1), QString());
    e->model().setData(e->model().index(1, 0), QString());
    e->EditFormOKButtonClick();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{"Incorrect numbers occurs in table!\nRow 2: field 3 is not a number."});
}

void CardEditorTest::enterOnAnInvalidCellKeepsItInEditing_data()
{
    QTest::addColumn<QString>("grid"); // "table" or "card"
    QTest::newRow("card table") << QStringLiteral("table");
    QTest::newRow("card dialog") << QStringLiteral("card");
}

void CardEditorTest::enterOnAnInvalidCellKeepsItInEditing()
{
    QFETCH(QString, grid);
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nLD 0 1 2 2 0.5\nEN"));
    QVERIFY(e);
    QAbstractItemView* view = e->codeTable();
    int row = 0;
    if (grid == QLatin1String("card")) {
        e->openTool(0, 0);
        QVERIFY(e->cardForm());
        view = e->cardForm()->cardGrid();
        QApplication::setActiveWindow(e->cardForm());
        QVERIFY(QTest::qWaitForWindowActive(e->cardForm()));
    }
    QLineEdit* editor = type(view, row, 5, QString());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("0.5x"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(view->findChild<QLineEdit*>(QStringLiteral("CellEditor")) == editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(view->model()->index(row, 5).data().toString(), QStringLiteral("0.5"));
    // Made readable, the same Enter stores it.
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(view->model()->index(row, 5).data().toString(), QStringLiteral("0.57"));
    QVERIFY(support.dialogs.messages.isEmpty());
}

void CardEditorTest::longCaptionsAndNumbersFitTheirCells()
{
    TForm1& w = support.createWindow();
    TEditForm* e = openEditor(w, QStringLiteral("CE\nFR 0 1 0 0 14 0\nLD 2 1 1 10 0 8.74274E-08 0\nEN"));
    QVERIFY(e);
    QVERIFY(!e->codeTable()->wordWrap());
    e->openTool(0, 0);
    TCardForm* card = e->cardForm();
    QVERIFY(card);
    QVERIFY(QTest::qWaitForWindowExposed(card));
    QTableWidget* g = card->cardGrid();
    QVERIFY(!g->wordWrap());
    QCOMPARE(g->horizontalHeaderItem(2)->text(), QStringLiteral("Step Num"));
    int total = 0;
    for (int column = 0; column < g->columnCount(); ++column) {
        total += g->columnWidth(column);
        if (!g->horizontalHeaderItem(column)->text().isEmpty())
            QVERIFY2(g->columnWidth(column) >= g->horizontalHeader()->sectionSizeHint(column),
                     qPrintable(g->horizontalHeaderItem(column)->text()));
    }
    QVERIFY(total <= g->viewport()->width());
}

QTEST_MAIN(CardEditorTest)
#include "tst_cardeditor.moc"
