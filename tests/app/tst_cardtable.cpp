// The card table editor window as a whole: the undo keys from wherever the focus is in
// it, and the messages that name a bad cell's card and row with the cell selected.
#include "AppTestSupport.h"
#include "CardEditorSupport.h"

#include "app/TableEditorForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

class CardTableTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void undoKeysWorkWhereverTheFocusIs_data();
    void undoKeysWorkWhereverTheFocusIs();
    void cellEditorKeepsItsOwnTextUndo();

private:
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

QTEST_MAIN(CardTableTest)
#include "tst_cardtable.moc"
