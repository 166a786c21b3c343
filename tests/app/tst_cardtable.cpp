// The card table editor window as a whole: the undo keys from wherever the focus is in
// it, and the messages that name a bad cell's card and row with the cell selected.
#include "AppTestSupport.h"
#include "CardEditorSupport.h"

#include "app/CardForm.h"
#include "app/EditorCommands.h"
#include "app/GWForm.h"
#include "app/TableEditorForm.h"

#include <QLineEdit>
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
    void cardDialogNamesItsRow_data();
    void cardDialogNamesItsRow();
    void wireFieldsNameTheirRowAndField_data();
    void wireFieldsNameTheirRowAndField();
    void replaceSelectsTheTableCellThatDoesNotRead();

private:
    TEditForm* open(TForm1& w)
    {
        TEditForm* e = OpenCardEditor(w, kDeck);
        if (e)
            e->model().setData(e->model().index(3, 3), QStringLiteral("1")); // the loaded "abc"
        return e;
    }
    TGWForm* wireTools(TForm1& w)
    {
        return w.findChild<EditorCommands*>(QStringLiteral("EditorCommands"))->wireTools();
    }
    QString cell(TEditForm* e, int row, int column)
    {
        return e->model().data(e->model().index(row, column)).toString();
    }
    AppTestSupport support;
};

void CardTableTest::undoKeysWorkWhereverTheFocusIs_data()
{
    QTest::addColumn<QString>("focus"); // object name of the child that has the focus
    QTest::newRow("table") << QStringLiteral("CodeTable");
    QTest::newRow("OK button") << QStringLiteral("EditFormOKButton");
    QTest::newRow("Cancel button") << QStringLiteral("EditFormCancelButton");
    QTest::newRow("window itself") << QStringLiteral("TEditForm");
}

void CardTableTest::undoKeysWorkWhereverTheFocusIs()
{
    QFETCH(QString, focus);
    TForm1& w = support.createWindow();
    TEditForm* e = OpenCardEditor(w, QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 .001\nGE\nEN"));
    QVERIFY(e);
    QVERIFY(QTest::qWaitForWindowActive(e));
    e->model().removeRowAt(0);
    e->model().setData(e->model().index(0, 1), QStringLiteral("1"));
    QCOMPARE(e->model().rowCount(), 1);

    QWidget* target = e->objectName() == focus ? e : e->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);

    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->model().rowCount(), 1);
    QCOMPARE(cell(e, 0, 1), QString());
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(e->model().rowCount(), 2);
    QCOMPARE(cell(e, 0, 0), QStringLiteral("GW"));
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(e->model().rowCount(), 1);
    QCOMPARE(cell(e, 0, 0), QStringLiteral("GE"));
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(cell(e, 0, 1), QStringLiteral("1"));
    QVERIFY(e->isVisible());
}

// A cell being typed in undoes and redoes its own typing; the card table stays as it is
// until the cell has nothing of its own left to undo.
void CardTableTest::cellEditorKeepsItsOwnTextUndo()
{
    TForm1& w = support.createWindow();
    TEditForm* e = OpenCardEditor(w, QStringLiteral("CE\nGW 1 5 0 0 0 1 0 0 .001\nGE\nEN"));
    QVERIFY(e);
    QVERIFY(QTest::qWaitForWindowActive(e));
    e->model().removeRowAt(1);
    QCOMPARE(e->model().rowCount(), 1);
    const QModelIndex index = e->model().index(0, 2);
    e->codeTable()->setCurrentIndex(index);
    e->codeTable()->edit(index);
    auto* editor = e->codeTable()->findChild<QLineEdit*>(QStringLiteral("CellEditor"));
    QVERIFY(editor);
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("7"));
    QCOMPARE(editor->text(), QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("5"));
    QCOMPARE(e->model().rowCount(), 1);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(editor->text(), QStringLiteral("7"));
    QCOMPARE(e->model().rowCount(), 1);
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(editor->text(), QStringLiteral("5"));

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
    QTest::addColumn<int>("row");    // the cell changed, 0-based
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("GW radius") << 1 << 9 << "1mm" << kNotANumber.arg(2).arg("GW").arg(9);
    QTest::newRow("first GW tag") << 0 << 1 << "-" << kNotANumber.arg(1).arg("GW").arg(1);
    QTest::newRow("FR frequency") << 4 << 5 << "14 MHz" << kNotANumber.arg(5).arg("FR").arg(5);
    QTest::newRow("LD last field") << 3 << 10 << "x" << kNotANumber.arg(4).arg("LD").arg(10);
    QTest::newRow("Card ID missing") << 1 << 0 << "" << "Row 2: the Card ID is missing.";
    QTest::newRow("Card ID too long") << 4 << 0 << "FRQ" << "Row 5 (FRQ): the Card ID is not two letters or digits.";
}

// "OK" names the first bad cell by its card and row, as the table numbers them, and
// selects that cell alone.
void CardTableTest::okNamesAndSelectsTheBadCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TForm1& w = support.createWindow();
    TEditForm* e = open(w);
    QVERIFY(e);
    e->codeTable()->setCurrentIndex(e->model().index(0, 0));
    e->model().setData(e->model().index(row, column), text);
    e->EditFormOKButtonClick();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{message});
    QVERIFY(e->isVisible());
    const QModelIndex bad = e->model().index(row, column);
    QCOMPARE(e->codeTable()->currentIndex(), bad);
    QCOMPARE(e->codeTable()->selectionModel()->selectedIndexes(), QModelIndexList{bad});
}

void CardTableTest::cardDialogNamesItsRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("message");
    QTest::newRow("LD in row 4, field 6") << 3 << 6 << kNotANumber.arg(4).arg("LD").arg(6);
    QTest::newRow("FR in row 5, field 1") << 4 << 1 << kNotANumber.arg(5).arg("FR").arg(1);
    QTest::newRow("GE in row 3, field 1") << 2 << 1 << kNotANumber.arg(3).arg("GE").arg(1);
}

void CardTableTest::cardDialogNamesItsRow()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, message);
    TForm1& w = support.createWindow();
    TEditForm* e = open(w);
    QVERIFY(e);
    e->openTool(row, 0);
    TCardForm* card = e->cardForm();
    QVERIFY(card);
    card->cardGrid()->item(0, column)->setText(QStringLiteral("1E"));
    card->EditCardOKButtonClick();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{message});
    QVERIFY(e->cardForm());
    QCOMPARE(card->cardGrid()->currentRow(), 0);
    QCOMPARE(card->cardGrid()->currentColumn(), column);
    QVERIFY(card->cardGrid()->item(0, column)->isSelected());
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
    TForm1& w = support.createWindow();
    TEditForm* e = open(w);
    QVERIFY(e);
    e->openTool(row, 1);
    TGWForm* g = wireTools(w);
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
    TForm1& w = support.createWindow();
    TEditForm* e = open(w);
    QVERIFY(e);
    e->model().setData(e->model().index(1, 7), QStringLiteral("one"));
    e->openTool(0, 3);
    TGWForm* g = wireTools(w);
    QVERIFY(g);
    g->findChild<QLineEdit*>(QStringLiteral("FindValueField"))->setText(QStringLiteral("1"));
    g->findChild<QLineEdit*>(QStringLiteral("ChangeToValueField"))->setText(QStringLiteral("2"));
    g->GWChangeCorrButtonClick();
    QCOMPARE(support.dialogs.takeMessages(),
             QStringList{"Incorrect numbers for coordinates in edit table!\nRow 2 (GW): field 7 is not a number."});
    QVERIFY(g->isVisible());
    const QModelIndex bad = e->model().index(1, 7);
    QCOMPARE(e->codeTable()->currentIndex(), bad);
    QCOMPARE(e->codeTable()->selectionModel()->selectedIndexes(), QModelIndexList{bad});
    QCOMPARE(cell(e, 0, 6), QStringLiteral("1"));
}

QTEST_MAIN(CardTableTest)
#include "tst_cardtable.moc"
