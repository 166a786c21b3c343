// The wire tools on a two-wire deck, offscreen: lengths, flip, the coat's LD card with
// and without an existing one, replace with mirroring, a row inserted above the open
// wire, and undo in the table editor.
#include "AppTestSupport.h"

#include "app/EditorCommands.h"
#include "app/GWForm.h"
#include "WindowControls.h"
#include "app/TableEditorForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {
const QString kDeck = QStringLiteral("CE\nGW 1 10 0 0 0 3 4 0 .001\nGW 2 5 1 -1 0 -1 1 0 .001\nGE\nFR 0 1 0 0 14\nEN");
const QStringList kWire1{"GW", "1", "10", "0", "0", "0", "3", "4", "0", "0.001", ""};
const QStringList kWire2{"GW", "2", "5", "1", "-1", "0", "-1", "1", "0", "0.001", ""};
} // namespace

class WireToolsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void lengthsFlipSaveAndUndo()
    {
        TEditForm* e = openEditor(kDeck);
        TGWForm* g = openTools(e, 0, 1);
        QVERIFY(g);
        QCOMPARE(g->windowTitle(), QStringLiteral("Wire (GW) editing tools"));
        QVERIFY(!e->isEnabled());
        QCOMPARE(label(g), QStringLiteral("Wire length:  5.00000;   Segment length: 0.50000;"));
        field(g, "SegsField")->setText(QString());
        QCOMPARE(label(g), QStringLiteral("Wire length:  5.00000;   Segment length: 0.50000;"));
        field(g, "SegsField")->setText(QStringLiteral("4"));
        QCOMPARE(label(g), QStringLiteral("Wire length:  5.00000;   Segment length: 1.25000;"));
        // Numbers still being typed wait; leaving the field refuses them.
        for (const char* typing : {"-", "-.", ".", "+", "-1E", "-1e-", "2E+"}) {
            field(g, "X1Field")->setText(QLatin1String(typing));
            QCOMPARE(support.dialogs.messages, QStringList());
            QCOMPARE(label(g), QStringLiteral("Wire length:  5.00000;   Segment length: 1.25000;"));
        }
        emit field(g, "X1Field")->editingFinished();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Incorrect numbers format in this GW string!\nRow 1 (GW): field 3 is not a number.")});
        field(g, "X1Field")->setText(QStringLiteral("-1x"));
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Incorrect numbers format in this GW string!\nRow 1 (GW): field 3 is not a number.")});
        field(g, "X1Field")->setText(QStringLiteral("0"));
        QCOMPARE(support.dialogs.messages, QStringList());

        press(g, "FlipWireDirectionButton");
        QCOMPARE(field(g, "X1Field")->text(), QStringLiteral("3"));
        QCOMPARE(field(g, "Y2Field")->text(), QStringLiteral("0"));
        QCOMPARE(row(e, 0), kWire1); // the table waits for "OK (save and close)"
        press(g, "EditGWSaveCloseButton");
        QVERIFY(e->isEnabled());
        QCOMPARE(row(e, 0), (QStringList{"GW", "1", "4", "3", "4", "0", "0", "0", "0", "0.001", ""}));
        e->model().undoStack().undo();
        QCOMPARE(row(e, 0), kWire1);
    }

    void coatWithoutALoadCard()
    {
        TEditForm* e = openEditor(kDeck);
        TGWForm* g = openTools(e, 1, 1);
        QCOMPARE(field(g, "RadNoIsolGWField")->text(), QStringLiteral("0.001"));
        QVERIFY(g->findChild<QLabel*>(QStringLiteral("IsolationNoteLabel"))->isHidden());
        // The read-only tag never takes the focus.
        QCOMPARE(field(g, "TagNField")->focusPolicy(), Qt::NoFocus);
        field(g, "RadIsolGWField")->setText(QStringLiteral("0.002"));
        press(g, "IsolateGWButton");
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(e->model().rowCount(), 5);
        QCOMPARE(row(e, 3), (QStringList{"LD", "2", "2", "1", "5", "0", "8.74274E-08", "0", "", "", ""}));
        QCOMPARE(e->codeTable()->currentIndex().row(), 3);
        QCOMPARE(cell(e, 1, 9), QStringLiteral("0.002"));
        e->EditFormOKButtonClick();
        QVERIFY(
            WindowControls(*window_).GeometryNEC2->toPlainText().contains(QStringLiteral("GE\nLD 2 2 1 5 0 8.74274E-8 0\nFR")));
    }

    void coatWithALoadCard_data()
    {
        QTest::addColumn<QList<UserDialogs::Answer>>("answers");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("inductance"); // of row 3, where the LD card stood
        QTest::addColumn<QString>("radius");
        using A = UserDialogs::Answer;
        QTest::newRow("yes ok") << QList<A>{A::Yes, A::Ok} << 4 << "8.74274E-08"
                                << "0.002";
        QTest::newRow("yes cancel") << QList<A>{A::Yes, A::Cancel} << 4 << "1E-6"
                                    << "0.001";
        QTest::newRow("no") << QList<A>{A::No} << 5 << "8.74274E-08"
                            << "0.002";
        QTest::newRow("cancel") << QList<A>{A::Cancel} << 4 << "1E-6"
                                << "0.001";
    }

    void coatWithALoadCard()
    {
        QFETCH(QList<UserDialogs::Answer>, answers);
        QFETCH(int, rows);
        QFETCH(QString, inductance);
        QFETCH(QString, radius);
        TEditForm* e = openEditor(QStringLiteral("CE\nGW 1 10 0 0 0 3 4 0 .001\nGW 2 5 1 -1 0 -1 1 0 "
                                                 ".001\nGE\nLD 2 1 1 10 0 1E-6 0\nEN"));
        TGWForm* g = openTools(e, 0, 1);
        // The wire has its load already: its GW radius is no bare radius, the user is
        // told and gives it.
        QCOMPARE(field(g, "RadNoIsolGWField")->text(), QString());
        QVERIFY(g->findChild<QLabel*>(QStringLiteral("IsolationNoteLabel"))->text().contains(QStringLiteral("row 4")));
        field(g, "RadIsolGWField")->setText(QStringLiteral("0.002"));
        press(g, "IsolateGWButton");
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{QStringLiteral("Incorrect numbers format in dielectic isolation data fields!\n"
                                            "\"without isolation, m:\" is not a number.")});
        QCOMPARE(cell(e, 3, 6), QStringLiteral("1E-6"));
        field(g, "RadNoIsolGWField")->setText(QStringLiteral("0.001"));
        support.dialogs.answers = answers;
        press(g, "IsolateGWButton");
        QCOMPARE(e->model().rowCount(), rows);
        QCOMPARE(cell(e, 3, 6), inductance);
        QCOMPARE(cell(e, rows - 1, 6), rows == 5 ? QStringLiteral("1E-6") : inductance);
        QCOMPARE(cell(e, 0, 9), radius);
        QCOMPARE(support.dialogs.questions.size(), answers.size());
    }

    void refusedCoatRadius()
    {
        TEditForm* e = openEditor(kDeck);
        TGWForm* g = openTools(e, 0, 1);
        field(g, "RadNoIsolGWField")->setText(QStringLiteral("0"));
        press(g, "IsolateGWButton");
        QCOMPARE(support.dialogs.messages,
                 QStringList{QStringLiteral("Incorrect numbers format in dielectic isolation data fields!\n"
                                            "\"without isolation, m:\" must be greater than 0.")});
        QCOMPARE(e->model().rowCount(), 4);
        QVERIFY(g->isVisible());
        // The refused field is selected for the correction.
        QCOMPARE(field(g, "RadNoIsolGWField")->selectedText(), QStringLiteral("0"));
    }

    void replaceWithMirroringIsOneUndoStep()
    {
        TEditForm* e = openEditor(kDeck);
        TGWForm* g = openTools(e, 1, 3); // the cursor on X1 = 1
        QCOMPARE(field(g, "FindValueField")->text(), QStringLiteral("1"));
        field(g, "ChangeToValueField")->setText(QStringLiteral("2"));
        press(g, "GWChangeCorrButton");
        QCOMPARE(row(e, 1), (QStringList{"GW", "2", "5", "2", "-2", "0", "-2", "2", "0", "0.001", ""}));
        QCOMPARE(row(e, 0), kWire1);
        QVERIFY(!g->isVisible());
        e->model().undoStack().undo();
        QCOMPARE(row(e, 1), kWire2);
    }

    void aRowInsertedAboveKeepsTheWritesOnTheWire()
    {
        TEditForm* e = openEditor(kDeck);
        TGWForm* g = openTools(e, 1, 1);
        e->model().insertEmptyRow(0);
        QCOMPARE(g->wireRow(), 2);
        field(g, "SegsField")->setText(QStringLiteral("7"));
        press(g, "EditGWSaveCloseButton");
        QCOMPARE(cell(e, 2, 2), QStringLiteral("7"));
        QCOMPARE(row(e, 1), kWire1);
    }

    // A cell that does not read opens in its field as it is and is refused, not saved as 0
    // (the texts of every kind of cell are the core's tests).
    void aCellThatDoesNotReadIsRefusedNotSavedAsZero()
    {
        TEditForm* e = openEditor(QStringLiteral("CE\nGW 1 10 0 0 abc 3 4 0 .001\nGE\nEN"));
        QVERIFY(e);
        const QStringList before = row(e, 0);
        TGWForm* g = openTools(e, 0, 1);
        QVERIFY(g);
        QCOMPARE(field(g, "Z1Field")->text(), QStringLiteral("abc"));
        support.dialogs.messages.clear();
        press(g, "EditGWSaveCloseButton");
        QCOMPARE(support.dialogs.messages,
                 QStringList{"Incorrect numbers format in this GW string!\nRow 1 (GW): field 5 is not a number."});
        QVERIFY(g->isVisible());
        QCOMPARE(row(e, 0), before);
    }

private:
    TEditForm* openEditor(const QString& deck)
    {
        TForm1& w = support.createWindow();
        window_ = &w;
        WindowControls(w).GeometryNEC2->setPlainText(deck);
        WindowControls(w).NEC2CodeEditorButton->setEnabled(true);
        WindowControls(w).NEC2CodeEditorButton->click();
        auto* commands = w.findChild<EditorCommands*>(QStringLiteral("EditorCommands"));
        return commands ? commands->tableEditor() : nullptr;
    }
    TGWForm* openTools(TEditForm* e, int r, int column)
    {
        e->openTool(r, column);
        auto* commands = window_->findChild<EditorCommands*>(QStringLiteral("EditorCommands"));
        return commands->wireTools();
    }
    static QLineEdit* field(TGWForm* g, const char* name)
    {
        return g->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    static QString label(TGWForm* g) { return g->findChild<QLabel*>(QStringLiteral("GWCharField"))->text(); }
    static void press(TGWForm* g, const char* name) { g->findChild<QPushButton*>(QString::fromLatin1(name))->click(); }
    static QString cell(TEditForm* e, int r, int c) { return e->model().data(e->model().index(r, c)).toString(); }
    static QStringList row(TEditForm* e, int r)
    {
        QStringList cells;
        for (int c = 0; c < 11; ++c)
            cells << cell(e, r, c);
        return cells;
    }
    AppTestSupport support;
    TForm1* window_ = nullptr;
};

QTEST_MAIN(WireToolsTest)
#include "tst_wiretools.moc"
