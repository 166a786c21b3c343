// The optimizer window with the real engine: "Optimize…" on the "NEC-2 input" page, the
// deck's current values, a run whose best deck "Apply" puts into the deck text or the
// open card table as one undoable step, Stop keeping the best, refusals as one message,
// and failed evaluations counted without a message each.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "app/DeckFileCommands.h"
#include "app/EditorCommands.h"
#include "WindowControls.h"
#include "app/OptimizeCommands.h"
#include "app/OptimizeForm.h"
#include "app/TableEditorForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

class OptimizeWindowTest : public QObject {
    Q_OBJECT

private:
    AppTestSupport support;

    TForm1& windowWithDipole()
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        TForm1& window = support.createWindow();
        const std::vector<std::string> deck = {"CM dipole of 11 m", "CE", "GW 1 21 0 -5.5 0 0 5.5 0 0.001",
                                               "GE 0", "FR 0 1 0 0 14.2 0", "EX 0 1 11 0 1 0",
                                               "RP 0 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0", "EN"};
        deckmemo::setLines(*WindowControls(window).GeometryNEC2, deck);
        WindowControls(window).NEC2CodeEditorButton->setEnabled(true);
        return window;
    }

    static OptimizeCommands& commands(TForm1& window)
    {
        return *window.findChild<OptimizeCommands*>(QStringLiteral("OptimizeCommands"));
    }

    TOptimizeForm& openForm(TForm1& window)
    {
        auto* button = window.findChild<QPushButton*>(QStringLiteral("OptimizeButton"));
        [&] {
            QVERIFY(button);
            QVERIFY(button->isEnabled());
        }();
        button->click();
        return *commands(window).optimizeForm();
    }

    static QTableWidget* table(TOptimizeForm& form, const char* name)
    {
        return form.findChild<QTableWidget*>(QLatin1String(name));
    }
    static QString label(TOptimizeForm& form, const char* name)
    {
        return form.findChild<QLabel*>(QLatin1String(name))->text();
    }
    static void setGoal(TOptimizeForm& form, const QString& kind)
    {
        table(form, "GoalsTable")->item(0, 0)->setText(kind);
    }
    static void setEvaluations(TOptimizeForm& form, int n)
    {
        form.findChild<QSpinBox*>(QStringLiteral("EvaluationsField"))->setValue(n);
    }

    // A run towards jX = 0 of `evaluations` evaluations, to its end.
    static bool tuneReactance(TOptimizeForm& form, int evaluations)
    {
        setGoal(form, QStringLiteral("x"));
        setEvaluations(form, evaluations);
        QSignalSpy finished(&form, &TOptimizeForm::finished);
        form.StartButtonClick();
        return finished.wait(120000);
    }

private slots:
    void cleanup() { support.reset(); }

    void theButtonFollowsTheCodeEditorButton()
    {
        TForm1& window = windowWithDipole();
        auto* button = window.findChild<QPushButton*>(QStringLiteral("OptimizeButton"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Optimize…"));
        WindowControls(window).NEC2CodeEditorButton->setEnabled(false);
        QVERIFY(!button->isEnabled());
        WindowControls(window).NEC2CodeEditorButton->setEnabled(true);
        QVERIFY(button->isEnabled());
    }

    void aRunTunesTheDipoleAndApplyIsOneUndoStep()
    {
        TForm1& window = windowWithDipole();
        TOptimizeForm& form = openForm(window);
        QTableWidget* variables = table(form, "VariablesTable");
        QCOMPARE(variables->rowCount(), 1);
        QCOMPARE(variables->item(0, 0)->text(), QStringLiteral("length"));
        QCOMPARE(variables->item(0, 5)->text(), QStringLiteral("11"));
        variables->item(0, 3)->setText(QStringLiteral("9"));
        variables->item(0, 4)->setText(QStringLiteral("11"));
        setGoal(form, QStringLiteral("x"));
        setEvaluations(form, 40);
        QSignalSpy finished(&form, &TOptimizeForm::finished);
        form.findChild<QPushButton*>(QStringLiteral("StartButton"))->click();
        QVERIFY(form.isRunning());
        QVERIFY(!form.findChild<QPushButton*>(QStringLiteral("ApplyButton"))->isEnabled());
        QVERIFY(finished.wait(120000));
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(label(form, "EvaluationsLabel"), QStringLiteral("Evaluations: 40"));
        QCOMPARE(label(form, "FailedLabel"), QStringLiteral("Failed: 0"));
        auto* series = form.findChild<QChartView*>(QStringLiteral("GoalChart"))->chart()->series().at(0);
        const QList<QPointF> points = static_cast<QLineSeries*>(series)->points();
        QVERIFY(points.size() >= 2);
        for (int i = 1; i < points.size(); ++i)
            QVERIFY(points[i].y() < points[i - 1].y() && points[i].x() > points[i - 1].x());
        QVERIFY(points.back().y() < 0.05); // |jX| below 2.5 ohm
        const QString best = form.findChild<QPlainTextEdit*>(QStringLiteral("BestValuesMemo"))->toPlainText();
        QVERIFY2(best.startsWith(QStringLiteral("length 1 = ")), qPrintable(best));

        QPlainTextEdit* memo = WindowControls(window).GeometryNEC2;
        const QString before = memo->toPlainText();
        QPushButton* apply = form.findChild<QPushButton*>(QStringLiteral("ApplyButton"));
        QVERIFY(apply->isEnabled());
        apply->click();
        const QStringList after = memo->toPlainText().split('\n');
        QCOMPARE(after.size(), 9);
        QVERIFY(after[2].startsWith(QStringLiteral("GW 1 21 0 -5.")));
        QVERIFY(after[2] != before.split('\n')[2]);
        QCOMPARE(after.mid(3), before.split('\n').mid(3));
        QVERIFY(memo->document()->isModified());
        memo->document()->undo();
        QCOMPARE(memo->toPlainText(), before);
    }

    // Apply merges the optimized wire into the page's deck as it is now (the rule's cases
    // are in the core's tests); a wire changed meanwhile is left alone with a message; a
    // refused Start after the run disables Apply.
    void applyKeepsWhatChangedMeanwhile()
    {
        TForm1& window = windowWithDipole();
        QPlainTextEdit* memo = WindowControls(window).GeometryNEC2;
        std::vector<std::string> deck = deckmemo::lines(*memo);
        TOptimizeForm& form = openForm(window);
        QVERIFY(tuneReactance(form, 20)); // enough for the best to leave the starting length
        deck.insert(deck.begin() + 4, "LD 5 1 11 11 1000");
        deckmemo::setLines(*memo, deck);
        form.ApplyButtonClick();
        QCOMPARE(support.dialogs.messages, QStringList());
        std::vector<std::string> after = deckmemo::lines(*memo);
        QVERIFY(after[2].starts_with("GW 1 21 0 -5.") && after[2] != deck[2]);
        after[2] = deck[2];
        QVERIFY(after == deck);

        deck[2] = "GW 1 31 0 -5.5 0 0 5.5 0 0.001";
        deckmemo::setLines(*memo, deck);
        form.ApplyButtonClick();
        QVERIFY(deckmemo::lines(*memo) == deck);
        QCOMPARE(support.dialogs.messages.size(), 1);
        QVERIFY(support.dialogs.messages.front().startsWith(QStringLiteral("The wire with tag 1 ")));

        // A Start refused after the run leaves nothing that Apply would put into the deck.
        QPushButton* apply = form.findChild<QPushButton*>(QStringLiteral("ApplyButton"));
        QVERIFY(apply->isEnabled());
        table(form, "VariablesTable")->item(0, 4)->setText(QStringLiteral("8"));
        form.StartButtonClick();
        QCOMPARE(support.dialogs.messages.size(), 2);
        QVERIFY(!apply->isEnabled());
    }

    void applyGoesIntoAnOpenCardTableAsOneStep()
    {
        TForm1& window = windowWithDipole();
        TOptimizeForm& form = openForm(window);
        QVERIFY(tuneReactance(form, 20)); // enough for the best to leave the starting length
        auto* editorCommands = window.findChild<EditorCommands*>(QStringLiteral("EditorCommands"));
        editorCommands->NEC2CodeEditorButtonClick();
        TEditForm* editor = editorCommands->tableEditor();
        QVERIFY(editor);
        const editor::CardRow original = editor->model().row(0);
        const int steps = editor->model().undoStack().count();
        form.ApplyButtonClick();
        QCOMPARE(editor->model().undoStack().count(), steps + 1);
        QVERIFY(editor->model().row(0) != original);
        QCOMPARE(editor->model().row(0)[0], std::string("GW"));
        editor->model().undoStack().undo();
        QVERIFY(editor->model().row(0) == original);
    }

    void stopKeepsTheBest()
    {
        TForm1& window = windowWithDipole();
        TOptimizeForm& form = openForm(window);
        form.findChild<QComboBox*>(QStringLiteral("MethodCombo"))->setCurrentIndex(1);
        setEvaluations(form, 100000);
        QSignalSpy finished(&form, &TOptimizeForm::finished);
        form.StartButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(form.run().result().evaluations >= 3, 60000);
        form.findChild<QPushButton*>(QStringLiteral("StopButton"))->click();
        QVERIFY(finished.wait(30000));
        QCOMPARE(form.run().result().outcome, analyses::OptimizeOutcome::Stopped);
        QVERIFY(form.run().result().bestGoal.has_value());
        QVERIFY(form.findChild<QPushButton*>(QStringLiteral("ApplyButton"))->isEnabled());
        QVERIFY(form.findChild<QPushButton*>(QStringLiteral("StartButton"))->isEnabled());
    }

    // "Optimize…" during a run brings its window forward, run and best values kept; closing
    // the window stops the engines, and it goes once they ended, with the evaluations' folders.
    void optimizeAgainOrCloseDuringARun()
    {
        TForm1& window = windowWithDipole();
        QPointer<TOptimizeForm> form = &openForm(window);
        form->findChild<QComboBox*>(QStringLiteral("MethodCombo"))->setCurrentIndex(1); // a global search
        setEvaluations(*form, 100000);
        form->StartButtonClick();
        QTRY_VERIFY_WITH_TIMEOUT(form->run().result().evaluations >= 1, 60000);
        QCOMPARE(&openForm(window), form.data());
        QVERIFY(form->isRunning());
        const auto folders = [&] { return QDir(window.workingFolder()).entryList({"optimize-*"}, QDir::Dirs); };
        QCOMPARE(folders().size(), 1);
        form->close();
        QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), 30000);
        QVERIFY(folders().isEmpty());
        QCOMPARE(support.dialogs.messages, QStringList());
    }

    void refusalsAreOneMessage_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("tag") << "1" << "9" << "length 9: no GW card has the tag 9.";
        QTest::newRow("range") << "4" << "8" << "length 1: the minimum 9.9 m must be below the maximum 8 m.";
        QTest::newRow("start") << "4" << "10" << "length 1: its value in the deck, 11 m, is outside 9.9 to 10 m.";
        QTest::newRow("kind") << "0" << "size" << "Variable row 1: the kind must be length, move or radius.";
        QTest::newRow("goal") << "goal" << "power" << "Goal row 1: the goal must be swr, x, r, gain or fb.";
    }

    void refusalsAreOneMessage()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TForm1& window = windowWithDipole();
        TOptimizeForm& form = openForm(window);
        if (column == QLatin1String("goal"))
            setGoal(form, text);
        else
            table(form, "VariablesTable")->item(0, column.toInt())->setText(text);
        form.StartButtonClick();
        QVERIFY(!form.isRunning());
        QCOMPARE(support.dialogs.messages, QStringList{message});
    }

    // A deck the calculation core refuses whatever the variables are is refused at Start
    // with the core's message, with and without a band.
    void aDeckTheCoreRefusesIsRefusedAtStart()
    {
        for (const char* band : {"0", "500"}) {
            TForm1& window = windowWithDipole();
            std::vector<std::string> deck = deckmemo::lines(*WindowControls(window).GeometryNEC2);
            deck.insert(deck.begin() + 3, "GW 2 -5 0 0 1 0 0 2 0.001");
            deckmemo::setLines(*WindowControls(window).GeometryNEC2, deck);
            TOptimizeForm& form = openForm(window);
            form.findChild<QLineEdit*>(QStringLiteral("BandWidthField"))->setText(QLatin1String(band));
            setEvaluations(form, 3);
            form.StartButtonClick();
            QVERIFY(!form.isRunning());
            QCOMPARE(support.dialogs.takeMessages(),
                     QStringList{"The wire with tag 2 (line 4 of the NEC-2 input) has -5 segments. A wire needs one "
                                 "segment or more; please correct it."});
            QCOMPARE(label(form, "EvaluationsLabel"), QStringLiteral("Evaluations: 0"));
        }
    }

    void numbersFollowTheUsersDecimalComma()
    {
        TForm1& window = windowWithDipole();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        std::vector<std::string> deck = deckmemo::lines(*WindowControls(window).GeometryNEC2);
        deck[2] = "GW 1 21 0 -5.25 0 0 5.25 0 0.001";
        deckmemo::setLines(*WindowControls(window).GeometryNEC2, deck);
        TOptimizeForm& form = openForm(window);
        QTableWidget* variables = table(form, "VariablesTable");
        QCOMPARE(variables->item(0, 5)->text(), QStringLiteral("10,5"));
        QCOMPARE(variables->item(0, 3)->text(), QStringLiteral("9,45"));
        QCOMPARE(variables->item(0, 4)->text(), QStringLiteral("11,55"));
        variables->item(0, 3)->setText(QStringLiteral("9,5"));
        setGoal(form, QStringLiteral("x"));
        setEvaluations(form, 4);
        QSignalSpy finished(&form, &TOptimizeForm::finished);
        form.StartButtonClick();
        QLocale::setDefault(QLocale::c());
        QVERIFY(finished.wait(60000));
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(form.run().result().evaluations, 4);
    }

    void failedEvaluationsAreCountedNotShown()
    {
        TForm1& window = windowWithDipole();
        QFile conf(QDir(window.workingFolder()).filePath(QStringLiteral("engine.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("command=false\n");
        conf.close();
        TOptimizeForm& form = openForm(window);
        setEvaluations(form, 5);
        QSignalSpy finished(&form, &TOptimizeForm::finished);
        form.StartButtonClick();
        QVERIFY(finished.wait(60000));
        QCOMPARE(label(form, "FailedLabel"), QStringLiteral("Failed: 5"));
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(!form.findChild<QPushButton*>(QStringLiteral("ApplyButton"))->isEnabled());
    }
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    OptimizeWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_optimize.moc"
