// The card table editor window as a whole: the undo keys from wherever the focus is in
// it, and the messages that name a bad cell's card and row with the cell selected.
#include "AppTestSupport.h"
#include "CardEditorSupport.h"
#include "WindowControls.h"

#include "app/CardForm.h"
#include "app/EditorCommands.h"
#include "app/GWForm.h"
#include "app/TableEditorForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {
const QString kDeck =
    QStringLiteral("CM cells\nCE\nGW 1 5 0 0 0 1 0 0 .001\nGW 2 5 0 1 0 1 1 0 .001\nGE\nLD 5 1 abc 1 50\nFR 0 1 0 0 14\nEN");
const QString kNotANumber = QStringLiteral("Incorrect numbers occurs in table!\nRow %1 (%2): field %3 is not a number.");
} // namespace

class CardTableTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void undoKeysWorkWhereverTheFocusIs_data();
    void undoKeysWorkWhereverTheFocusIs();
    void cellEditorKeepsItsOwnTextUndo();
    void okNamesAndSelectsTheBadCell_data();
    void okNamesAndSelectsTheBadCell();
    void wireFieldsNameTheirRowAndField_data();
    void wireFieldsNameTheirRowAndField();
    void replaceSelectsTheTableCellThatDoesNotRead();
    void okIsOneUndoStepOfTheDeckText_data();
    void closingTheMainWindowAsksForTheTablesChanges_data();
    void closingTheMainWindowAsksForTheTablesChanges();
    void okIsOneUndoStepOfTheDeckText();

private:
    // The card table editor on the deck (a short one by default), active.
    TEditForm* open(const QString& deck = QString())
    {
        window = &support.createWindow();
        TEditForm* e = OpenCardEditor(*window, deck.isNull() ? QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 .001\nGE\nEN") : deck);
        return e && QTest::qWaitForWindowActive(e) ? e : nullptr;
    }
    TEditForm* openCells()
    {
        TEditForm* e = open(kDeck);
        if (e)
            e->model().setData(e->model().index(3, 3), QStringLiteral("1")); // the loaded "abc"
        return e;
    }
    TGWForm* wireTools() { return window->findChild<EditorCommands*>(QStringLiteral("EditorCommands"))->wireTools(); }
    QString cell(TEditForm* e, int row, int column) { return e->model().data(e->model().index(row, column)).toString(); }
    // The one cell selected and current in the view.
    static bool selectedAlone(QAbstractItemView* view, int row, int column)
    {
        const QModelIndex index = view->model()->index(row, column);
        return view->currentIndex() == index && view->selectionModel()->selectedIndexes() == QModelIndexList{index};
    }
    AppTestSupport support;
    TForm1* window = nullptr;
};

void CardTableTest::undoKeysWorkWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("focus"); // object name of the child that has the focus
    for (const char* focus : {"CodeTable", "EditFormOKButton", "EditFormCancelButton", "TEditForm"})
        QTest::newRow(focus) << QString::fromLatin1(focus);
}

void CardTableTest::undoKeysWorkWhereverTheFocusIs()
{
    QFETCH(QString, focus);
    TEditForm* e = open();
    QVERIFY(e);
    e->model().removeRowAt(0);
    e->model().setData(e->model().index(0, 1), QStringLiteral("1"));
    QCOMPARE(e->model().rowCount(), 1);

    QWidget* target = e->objectName() == focus ? e : e->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    // Undo, undo, redo, redo: the rows and the cell after each.
    const struct {
        Qt::KeyboardModifiers keys;
        int rows;
        int column;
        const char* text;
    } steps[] = {{Qt::ControlModifier, 1, 1, ""},
                 {Qt::ControlModifier, 2, 0, "GW"},
                 {Qt::ControlModifier | Qt::ShiftModifier, 1, 0, "GE"},
                 {Qt::ControlModifier | Qt::ShiftModifier, 1, 1, "1"}};
    for (const auto& step : steps) {
        QTest::keyClick(target, Qt::Key_Z, step.keys);
        QCOMPARE(e->model().rowCount(), step.rows);
        QCOMPARE(cell(e, 0, step.column), QString::fromLatin1(step.text));
    }
    QVERIFY(e->isVisible());
}

// A cell being typed in undoes and redoes its own typing; the card table stays as it is
// until the cell has nothing of its own left to undo.
void CardTableTest::cellEditorKeepsItsOwnTextUndo()
{
    TEditForm* e = open();
    QVERIFY(e);
    e->model().removeRowAt(1);
    const QModelIndex index = e->model().index(0, 2);
    e->codeTable()->setCurrentIndex(index);
    e->codeTable()->edit(index);
    auto* editor = e->codeTable()->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
    QVERIFY(editor);
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("7"));
    const struct {
        Qt::KeyboardModifiers keys;
        const char* text;
    } steps[] = {{Qt::ControlModifier, "5"}, {Qt::ControlModifier | Qt::ShiftModifier, "7"}, {Qt::ControlModifier, "5"}};
    for (const auto& step : steps) {
        QTest::keyClick(editor, Qt::Key_Z, step.keys);
        QCOMPARE(editor->text(), QString::fromLatin1(step.text));
        QCOMPARE(e->model().rowCount(), 1);
    }

    // Nothing of its own left to undo: the cell closes unchanged and the table's undo
    // brings the removed row back.
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->model().rowCount(), 2);
    QCOMPARE(cell(e, 0, 2), QStringLiteral("5"));
    QCOMPARE(cell(e, 1, 0), QStringLiteral("GE"));
    QVERIFY(!e->codeTable()->indexWidget(index));
}

void CardTableTest::okNamesAndSelectsTheBadCell_data()
{
    QTest::addColumn<bool>("inCardDialog"); // or in the table itself
    QTest::addColumn<int>("row");           // the cell changed, 0-based
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("GW radius") << false << 1 << 9 << "1mm" << kNotANumber.arg(2).arg("GW").arg(9);
    QTest::newRow("FR frequency") << false << 4 << 5 << "14 MHz" << kNotANumber.arg(5).arg("FR").arg(5);
    QTest::newRow("LD last field") << false << 3 << 10 << "x" << kNotANumber.arg(4).arg("LD").arg(10);
    QTest::newRow("Card ID missing") << false << 1 << 0 << "" << "Row 2: the Card ID is missing.";
    QTest::newRow("dialog: LD row 4, field 6") << true << 3 << 6 << "1E" << kNotANumber.arg(4).arg("LD").arg(6);
    QTest::newRow("dialog: FR row 5, field 1") << true << 4 << 1 << "1E" << kNotANumber.arg(5).arg("FR").arg(1);
    QTest::newRow("dialog: GE row 3, field 1") << true << 2 << 1 << "1E" << kNotANumber.arg(3).arg("GE").arg(1);
}

// "OK" of the table, or of the dialog of one card, names the first bad cell by its card
// and row, as the table numbers them, and selects that cell alone.
void CardTableTest::okNamesAndSelectsTheBadCell()
{
    QFETCH(bool, inCardDialog);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TEditForm* e = openCells();
    QVERIFY(e);
    if (inCardDialog) {
        e->openTool(row, 0);
        TCardForm* card = e->cardForm();
        QVERIFY(card);
        card->cardGrid()->item(0, column)->setText(text);
        card->EditCardOKButtonClick();
        QCOMPARE(support.dialogs.takeMessages(), QStringList{message});
        QCOMPARE(e->cardForm(), card);
        QVERIFY(selectedAlone(card->cardGrid(), 0, column));
    } else {
        e->codeTable()->setCurrentIndex(e->model().index(0, 0));
        e->model().setData(e->model().index(row, column), text);
        e->EditFormOKButtonClick();
        QCOMPARE(support.dialogs.takeMessages(), QStringList{message});
        QVERIFY(e->isVisible());
        QVERIFY(selectedAlone(e->codeTable(), row, column));
    }
}

void CardTableTest::wireFieldsNameTheirRowAndField_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("number"); // the field's place on the card
    QTest::newRow("segments of wire 1") << 0 << "SegsField" << 2;
    QTest::newRow("Y1 of wire 2") << 1 << "Y1Field" << 4;
    QTest::newRow("Z2 of wire 2") << 1 << "Z2Field" << 8;
    QTest::newRow("radius of wire 1") << 0 << "RadGWField" << 9;
}

// "OK (save and close)" refuses a wire field by the row of the wire and the field's
// place on the card, and puts the cursor in that field with its text selected.
void CardTableTest::wireFieldsNameTheirRowAndField()
{
    QFETCH(int, row);
    QFETCH(QString, field);
    QFETCH(int, number);
    TEditForm* e = openCells();
    QVERIFY(e);
    e->openTool(row, 1);
    TGWForm* g = wireTools();
    QVERIFY(g);
    QApplication::setActiveWindow(g);
    auto* edit = g->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setText(QStringLiteral("1..2"));
    support.dialogs.takeMessages();
    g->EditGWSaveCloseButtonClick();
    QCOMPARE(support.dialogs.takeMessages(),
             QStringList{QStringLiteral("Incorrect numbers format in this GW string!\nRow %1 (GW): field %2 is not a number.")
                             .arg(row + 1)
                             .arg(number)});
    QVERIFY(g->isVisible());
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->selectedText(), QStringLiteral("1..2"));
}

void CardTableTest::replaceSelectsTheTableCellThatDoesNotRead()
{
    TEditForm* e = openCells();
    QVERIFY(e);
    e->model().setData(e->model().index(1, 7), QStringLiteral("one"));
    e->openTool(0, 3);
    TGWForm* g = wireTools();
    QVERIFY(g);
    g->findChild<QLineEdit*>(QStringLiteral("FindValueField"))->setText(QStringLiteral("1"));
    g->findChild<QLineEdit*>(QStringLiteral("ChangeToValueField"))->setText(QStringLiteral("2"));
    g->GWChangeCorrButtonClick();
    QCOMPARE(support.dialogs.takeMessages(),
             QStringList{"Incorrect numbers for coordinates in edit table!\nRow 2 (GW): field 7 is not a number."});
    QVERIFY(g->isVisible());
    QVERIFY(selectedAlone(e->codeTable(), 1, 7));
    QCOMPARE(cell(e, 0, 6), QStringLiteral("1"));
}

void CardTableTest::okIsOneUndoStepOfTheDeckText_data()
{
    QTest::addColumn<QString>("deck");
    QTest::addColumn<QString>("typed"); // into row 1, field 2 ("" none)
    QTest::addColumn<QString>("stored");
    const QString tidy = QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 0.001\nGE\nEN");
    QTest::newRow("a changed field") << tidy << "7" << "CE\nGW 1 7 0 0 0 1 0 0 0.001\nGE\nEN";
    QTest::newRow("a late comment set aside")
        << "CE\nGW 1 5 0 0 0 1 0 0 .001\nCM keep me\nGE\nEN" << "" << tidy;
    QTest::newRow("nothing changed") << tidy << "" << tidy;
}

// "OK" is one undo step of the deck text (late comments set aside come back with Ctrl+Z);
// a deck that comes back unchanged is not marked as changed.
void CardTableTest::okIsOneUndoStepOfTheDeckText()
{
    QFETCH(QString, deck);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TEditForm* e = open(deck);
    QVERIFY(e);
    QPlainTextEdit* memo = WindowControls(*window).GeometryNEC2;
    memo->document()->setModified(false);
    if (!typed.isEmpty())
        e->model().setData(e->model().index(0, 2), typed);
    e->EditFormOKButtonClick();
    QCOMPARE(memo->toPlainText(), stored);
    QCOMPARE(memo->document()->isModified(), stored != deck);
    if (stored == deck)
        return;
    memo->document()->undo();
    QCOMPARE(memo->toPlainText(), deck);
}

void CardTableTest::closingTheMainWindowAsksForTheTablesChanges_data()
{
    QTest::addColumn<bool>("withTools"); // the wire tools open over the table
    QTest::addColumn<int>("answer");     // to "Discard the changes?"
    QTest::addColumn<bool>("closes");    // the main window
    using A = UserDialogs::Answer;
    QTest::newRow("kept") << false << int(A::No) << false;
    QTest::newRow("discarded") << false << int(A::Yes) << true;
    QTest::newRow("kept under the wire tools") << true << int(A::No) << false;
}

// Closing the main window asks for the table's changes first; keeping them keeps both open.
void CardTableTest::closingTheMainWindowAsksForTheTablesChanges()
{
    QFETCH(bool, withTools);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    TEditForm* e = open();
    QVERIFY(e);
    QVERIFY(!window->isEnabled());
    e->model().setData(e->model().index(0, 2), QStringLiteral("7"));
    window->show();
    if (withTools) {
        e->openTool(0, 1);
        QVERIFY(wireTools());
    }
    support.dialogs.answers = {UserDialogs::Answer(answer)};
    QCOMPARE(window->close(), closes);
    QCOMPARE(support.dialogs.questions.size(), 1);
    QCOMPARE(support.dialogs.questions.front().text, QStringLiteral("The table has been changed. Discard the changes?"));
    QCOMPARE(window->isVisible(), !closes);
    QCOMPARE(e->isVisible(), !closes);
    if (!closes)
        QCOMPARE(cell(e, 0, 2), QStringLiteral("7"));
}

QTEST_MAIN(CardTableTest)
#include "tst_cardtable.moc"
