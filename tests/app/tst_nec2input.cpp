// The typed calls of the "NEC-2 input" page: the deck as lines of bytes in and out, the
// changed mark a rewrite by the program keeps, the states its setters leave on the page's
// controls, and the angle fields that follow the data sheet's.
#include "AppTestSupport.h"
#include "app/NEC2InputPage.h"

#include "WindowControls.h"

#include <QCheckBox>
#include <QTest>
#include <QTextDocument>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

QStringList asList(const Lines& lines)
{
    QStringList out;
    for (const std::string& line : lines)
        out << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    return out;
}

} // namespace

class NEC2InputPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void deckLinesComeBackAsBytes_data();
    void deckLinesComeBackAsBytes();
    void rewriteKeepsTheChangedMark_data();
    void rewriteKeepsTheChangedMark();
    void deckFromFileIsUnchangedAndUsable();
    void editIsOneUndoableStep();
    void settersLeaveTheirStates_data();
    void settersLeaveTheirStates();
    void angleFieldsFollowTheDataSheet();
    void savedFlagsByTheirControlName_data();
    void savedFlagsByTheirControlName();

private:
    AppTestSupport support;
};

void NEC2InputPageTest::deckLinesComeBackAsBytes_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("runLines");
    const auto row = [](const char* name, const Lines& given, const Lines& lines, const Lines& run) {
        QTest::newRow(name) << asList(given).join(QLatin1Char('\n')) << asList(lines) << asList(run);
    };
    row("empty deck", {}, {}, {});
    row("plain cards", {"CE", "GW 1 5 0 0 0 1 0 0 .001", "EN"}, {"CE", "GW 1 5 0 0 0 1 0 0 .001", "EN"},
        {"CE", "GW 1 5 0 0 0 1 0 0 .001", "EN"});
    row("final empty line only for files", {"CE", "EN", ""}, {"CE", "EN", ""}, {"CE", "EN"});
    const std::string odd = std::string("CM a\xA0") + "b\xE9"; // no-break space, a byte that is not UTF-8
    row("no-break space and a byte that is not UTF-8", {odd, "EN"}, {odd, "EN"}, {odd, "EN"});
    row("long line cut at 255", {std::string(300, 'C'), "EN"}, {std::string(255, 'C'), "EN"},
        {std::string(255, 'C'), "EN"});
}

void NEC2InputPageTest::deckLinesComeBackAsBytes()
{
    QFETCH(QString, given);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, runLines);
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    WindowControls(w).GeometryNEC2->setPlainText(given);
    QCOMPARE(asList(page.deckLines()), lines);
    QCOMPARE(asList(page.deckRunLines()), runLines);
}

void NEC2InputPageTest::rewriteKeepsTheChangedMark_data()
{
    QTest::addColumn<bool>("markedBefore");
    QTest::addColumn<bool>("sameLines");
    QTest::addColumn<bool>("markedAfter");
    QTest::newRow("unchanged deck rewritten") << false << false << true;
    QTest::newRow("changed deck rewritten") << true << false << true;
    QTest::newRow("same lines leave an unchanged deck") << false << true << false;
    QTest::newRow("same lines leave a changed deck") << true << true << true;
}

void NEC2InputPageTest::rewriteKeepsTheChangedMark()
{
    QFETCH(bool, markedBefore);
    QFETCH(bool, sameLines);
    QFETCH(bool, markedAfter);
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    const Lines deck{"CE", "GW 1 5 0 0 0 1 0 0 .001", "FR 0 1 0 0 14", "EN"};
    page.showDeckFromFile(deck);
    page.setDeckModified(markedBefore);
    Lines next = deck;
    if (!sameLines)
        next[2] = "FR 0 1 0 0 21";
    page.setDeckLines(next);
    QCOMPARE(page.isDeckModified(), markedAfter);
    QVERIFY(page.deckLines() == next);
    QCOMPARE(WindowControls(w).GeometryNEC2->document()->isModified(), markedAfter);
}

void NEC2InputPageTest::deckFromFileIsUnchangedAndUsable()
{
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    WindowControls u(w);
    u.GeometryNEC2->insertPlainText(QStringLiteral("typed"));
    QVERIFY(page.isDeckModified());
    for (QWidget* b : {static_cast<QWidget*>(u.StartNEC2Button), static_cast<QWidget*>(u.SaveNEC2Button),
                       static_cast<QWidget*>(u.NEC2CodeEditorButton)})
        QVERIFY(!b->isEnabled());
    page.showDeckFromFile({"CE", "EN"});
    QVERIFY(!page.isDeckModified());
    QCOMPARE(u.GeometryNEC2->toPlainText(), QStringLiteral("CE\nEN"));
    for (QWidget* b : {static_cast<QWidget*>(u.StartNEC2Button), static_cast<QWidget*>(u.SaveNEC2Button),
                       static_cast<QWidget*>(u.NEC2CodeEditorButton),
                       static_cast<QWidget*>(w.findChild<QWidget*>(QStringLiteral("OptimizeButton")))})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
}

void NEC2InputPageTest::editIsOneUndoableStep()
{
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    page.showDeckFromFile({"CE", "GW 1 5 0 0 0 1 0 0 .001", "EN"});
    page.editDeckLines({"CE", "GW 1 7 0 0 0 2 0 0 .001", "EN"});
    QVERIFY(page.isDeckModified());
    QVERIFY(page.deckLines() == Lines({"CE", "GW 1 7 0 0 0 2 0 0 .001", "EN"}));
    WindowControls(w).GeometryNEC2->undo();
    QVERIFY(page.deckLines() == Lines({"CE", "GW 1 5 0 0 0 1 0 0 .001", "EN"}));
}

void NEC2InputPageTest::settersLeaveTheirStates_data()
{
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
}

void NEC2InputPageTest::settersLeaveTheirStates()
{
    QFETCH(bool, on);
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    WindowControls u(w);

    page.setReadAdmittance(on);
    QCOMPARE(u.ReadADMCheck->isChecked(), on);
    u.ReadADMCheck->setChecked(!on);
    QCOMPARE(page.readAdmittance(), !on);

    page.setAnglesForPatterns(on);
    QCOMPARE(u.AzimElevNEC2Check->isChecked(), on);
    QCOMPARE(u.Elevation1Field->isEnabled(), on);
    QCOMPARE(u.Azimuth1Field->isEnabled(), on);
    // The user's click on the check box takes the fields along.
    u.AzimElevNEC2Check->click();
    QCOMPARE(page.anglesForPatterns(), !on);
    QCOMPARE(u.Elevation1Field->isEnabled(), !on);
    QCOMPARE(u.Azimuth1Field->isEnabled(), !on);

    page.setStartEnabled(true);
    page.setRunning(on);
    QCOMPARE(u.StartNEC2Button->isEnabled(), !on);
    QCOMPARE(page.testAttribute(Qt::WA_SetCursor), on);
    page.setRunning(false);
    QVERIFY(u.StartNEC2Button->isEnabled());
    QVERIFY(!page.testAttribute(Qt::WA_SetCursor));

    u.NEC2ResultSheetScreen->clear();
    page.appendResults(QStringList{QStringLiteral("first"), QStringLiteral("second")});
    QCOMPARE(u.NEC2ResultSheetScreen->toPlainText(), QStringLiteral("first\nsecond"));
}

void NEC2InputPageTest::angleFieldsFollowTheDataSheet()
{
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    WindowControls u(w);
    const struct {
        const char* elevation;
        const char* azimuth;
    } cases[] = {{"12", "0"}, {"35", "180"}, {"5", "7"}};
    for (const auto& c : cases) {
        u.AngleElevField->setText(QString::fromLatin1(c.elevation));
        u.AngleAzField->setText(QString::fromLatin1(c.azimuth));
        QCOMPARE(page.elevationText(), QString::fromLatin1(c.elevation));
        QCOMPARE(page.azimuthText(), QString::fromLatin1(c.azimuth));
    }
}

void NEC2InputPageTest::savedFlagsByTheirControlName_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("pageFlag");
    QTest::newRow("text editing on") << QStringLiteral("EditNEC2InputCheck") << true << true;
    QTest::newRow("text editing off") << QStringLiteral("EditNEC2InputCheck") << false << true;
    QTest::newRow("admittance on") << QStringLiteral("ReadADMCheck") << true << true;
    QTest::newRow("admittance off") << QStringLiteral("ReadADMCheck") << false << true;
    QTest::newRow("a flag of another page") << QStringLiteral("EKSwitchCheck") << true << false;
    QTest::newRow("not a control") << QStringLiteral("ReadADM") << true << false;
}

void NEC2InputPageTest::savedFlagsByTheirControlName()
{
    QFETCH(QString, control);
    QFETCH(bool, checked);
    QFETCH(bool, pageFlag);
    TForm1& w = support.createWindow();
    NEC2InputPage& page = w.nec2InputPage();
    QCOMPARE(page.applySavedFlag(control, checked), pageFlag);
    QCOMPARE(page.savedFlag(control).has_value(), pageFlag);
    if (!pageFlag)
        return;
    QCOMPARE(*page.savedFlag(control), checked);
    QCOMPARE(w.findChild<QCheckBox*>(control)->isChecked(), checked);
    if (control == QLatin1String("EditNEC2InputCheck"))
        QCOMPARE(WindowControls(w).GeometryNEC2->isReadOnly(), !checked);
}

QTEST_MAIN(NEC2InputPageTest)
#include "tst_nec2input.moc"
