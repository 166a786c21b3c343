// The main window as it starts and its own rules: the pages and what goes with the
// window, ground presets and ground choice, the parameter change group, the mirrors,
// the invalidation of "Frequency plots", the SWR reference fields and the size rule.
#include "AppTestSupport.h"

#include "app/CurrentsPage.h"
#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "WindowControls.h"
#include "app/RPPlotsPage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineSeries>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QValueAxis>

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void captionAndPages();
    void controlsOnTheirPages_data();
    void controlsOnTheirPages();
    void everythingGoesWithTheWindow();
    void controlsAsDesigned_data();
    void controlsAsDesigned();
    void menusAsDesigned();
    void resultsTableAndImages();
    void choosingAPresetWritesItsValues_data();
    void choosingAPresetWritesItsValues();
    void textNamingNoPresetChangesNothing();
    void groundChoiceEnablesTheValues();
    void parameterChangeGroupRestoresTheFileValues();
    void mirrorsAndScrollBars();
    void changesOutdateTheFrequencyPlots_data();
    void changesOutdateTheFrequencyPlots();
    void swrReferenceFields();

private:
    AppTestSupport support;
};

void MainWindowTest::captionAndPages()
{
    TForm1& w = support.createWindow();
    QCOMPARE(w.windowTitle(), QStringLiteral("NEC-2 for VORNA files with wires in dielectric coats. (Ver. 1.8.1)"));
    QTabWidget* pages = WindowControls(w).PageControl1;
    const QStringList names{"TabSheet1", "TabSheet3", "TabSheet2", "TabSheet4", "TabSheet5"};
    const QStringList captions{"Data sheet", "Table of results", "RP plots", "NEC-2 input", "Currents and fields"};
    QCOMPARE(pages->count(), 5);
    for (int i = 0; i < pages->count(); ++i) {
        QCOMPARE(pages->widget(i)->objectName(), names.at(i));
        QCOMPARE(pages->tabText(i), captions.at(i));
    }
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(w.groundDialog() != nullptr);
    QVERIFY(!w.groundDialog()->isVisible());
    QVERIFY(support.dialogs.messages.isEmpty());
}

void MainWindowTest::controlsOnTheirPages_data()
{
    QTest::addColumn<QString>("page");
    const auto row = [](const char* control, const char* page) { QTest::newRow(control) << QString::fromLatin1(page); };
    row("ButtonVRNfileFind", "TabSheet1");
    row("GroundListComboBox", "TabSheet1");
    row("Execute", "TabSheet1");
    row("ResultsTable", "TabSheet3");
    row("GNDParChangeButton", "TabSheet3");
    row("ImpedanceScreen1", "TabSheet3");
    row("DiagrElev", "TabSheet2");
    row("PhiThetaDCheck", "TabSheet2");
    row("OuterRingGainInfo", "TabSheet2");
    row("GeometryNEC2", "TabSheet4");
    row("Elevation1Field", "TabSheet4");
    row("CurrentChart", "TabSheet5");
    row("ZSwrImNEC2Field", "TabSheet5");
    row("PowerBudgetMemo", "TabSheet5");
}

void MainWindowTest::controlsOnTheirPages()
{
    QFETCH(QString, page);
    TForm1& w = support.createWindow();
    w.buildPages();
    QWidget* control = w.centralWidget()->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(control != nullptr);
    QWidget* pageWidget = WindowControls(w).PageControl1->findChild<QWidget*>(page);
    QVERIFY(pageWidget != nullptr);
    QVERIFY(pageWidget->isAncestorOf(control));
}

void MainWindowTest::everythingGoesWithTheWindow()
{
    const QWidgetList before = QApplication::allWidgets();
    TForm1& w = support.createWindow();
    WindowControls(w).EnableParamChangeCheck->setEnabled(true);
    WindowControls(w).EnableParamChangeCheck->setChecked(true);
    w.GNDParChangeButtonClick(); // replaces the ground dialog made at the start
    const QPointer<QChart> chart = w.currentsPage().chartModel();
    const QPointer<QValueAxis> axis = w.currentsPage().axisBottom();
    QVERIFY(chart && axis);

    support.destroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(chart.isNull());
    QVERIFY(axis.isNull());
    QStringList left;
    for (QWidget* widget : QApplication::allWidgets())
        if (!before.contains(widget))
            left << QString::fromLatin1(widget->metaObject()->className()) + " " + widget->objectName();
    QCOMPARE(left, QStringList());
}

void MainWindowTest::controlsAsDesigned_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("checked"); // -1: not checkable

    const auto row = [](const char* name, const char* text, bool enabled, int checked = -1) {
        QTest::newRow(name) << QString::fromUtf8(text) << enabled << checked;
    };
    row("ButtonVRNfileFind", "&Find VORNA file", true);
    row("RefreshButton", "&Refresh", false);
    row("Execute_Original", "Calculate at &original of VORNA file", false);
    row("EKSwitchCheck", "EThWK", true, 0);
    row("ShowNEC2InputCheck", "Convert only", true, 0);
    row("DM2AllSegmentationCheck", "DM2 Seg.", true, 1);
    row("CDSVSCheck", "CSDVS", true, 0);
    row("GroupBox1", "Ground model", true);
    row("PGround", "Perfect", false, 1);
    row("SNGround", "Sommrefeld/Norton", false, 0);
    row("EPSField", "13", false);
    row("SigmaField", "5", false);
    row("GroundListComboBox", "Average (Eps=13, Sigma=5)", false);
    row("GroupBox2", "Angles for radiation pattern calculations", true);
    row("AngleElevField", "20", true);
    row("AngleAzField", "0", true);
    row("GroupBox3", "Dielectric coated wires calculations", true);
    row("RwDField", "1", true);
    row("RDField", "2", true);
    row("EpsDielField", "3", true);
    row("FreqField", "14", true);
    row("UkorField", "0", false);
    row("X_Shrinking_CheckBox", "X", false, 1);
    row("Y_Shrinking_CheckBox", "Y", false, 1);
    row("Z_Shrinking_CheckBox", "Z", false, 1);
    row("Execute", "&Calculate", false);
    row("ButtonVRNfileFind1", "&Find VORNA file", true);
    row("RefreshButton1", "&Refresh", false);
    row("Execute_Original1", "Calculate at &original of VORNA file", false);
    row("Execute1", "Calculate &with dielectric coated wires", false);
    row("EnableParamChangeCheck", "Enable changing", false, 0);
    row("HAntField", "0", false);
    row("FreqVRNChangeField", "14", false);
    row("GNDParChangeButton", "Ground parameters", false);
    row("GroupBox5", "Polarization components", true);
    row("TotalDCheck", "Total", false, 1);
    row("PhiDCheck", "H (Phi)", false, 0);
    row("ThetaDCheck", "V (Theta)", false, 0);
    row("PhiThetaDCheck", "V+H", false, 0);
    row("EditNEC2InputCheck", "Enable text editing", true, 0);
    row("StartNEC2Button", "Start NEC-2", false);
    row("OpenNEC2Button", "Open WCF file", true);
    row("SaveNEC2Button", "Save WCF file", false);
    row("ReadIndataButton", "Read current NEC-2 input", true);
    row("ViewOutdataButton", "View NEC-2 output file", true);
    row("ReadADMCheck", "Read admittance", true, 0);
    row("AzimElevNEC2Check", "Angles for RP plots,   Azimuth:", true, 0);
    row("Azimuth1Field", "0", false);
    row("Elevation1Field", "20", false);
    row("ViewerCallButton1", "Viewer", false);
    row("NEC2CodeEditorButton", "Code editor", false);
    row("TagNumField", "", false);
    row("LLCheckBox", "Distance in wavelength", false, 1);
    row("PHIndCheckBox", "Phase indicator", false, 0);
    row("StaticText1", "Phase indicator shows current as with negative value if current phase <-90 or >90 deg.", true);
    row("GroupBox6", "Green function writing", true);
    row("GFwriteEditWindowCheck", "From edit window", true, 1);
    row("GFwriteCurrentInputCheck", "From current NEC-2 input", true, 0);
    row("GFwriteButton", "Write", false);
    row("GroupBox7", "Near fields calculations", true);
    row("X0Field", "0", true);
    row("StepYField", "1", true);
    row("PointsZField", "5", true);
    row("NFfromCurrentInputCheck", "From current NEC-2 input", true, 1);
    row("NFfromEditWindowCheck", "From edit window", true, 0);
    row("ElectricNFButton", "Electric", false);
    row("MagneticNFButton", "Magnetic", false);
    row("SaveCurrentButton", "Save currents in file", false);
    row("ViewerCallButton", "NEC-2 wire geometry view", false);
    row("ZSwrReNEC2Field", "50", true);
    row("ZSwrImNEC2Field", "0", true);
}

void MainWindowTest::controlsAsDesigned()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(int, checked);
    TForm1& w = support.createWindow();
    w.buildPages();
    QWidget* widget = w.centralWidget()->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(widget != nullptr, QTest::currentDataTag());

    QString shown;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        shown = button->text();
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        shown = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        shown = combo->currentText();
    else if (auto* box = qobject_cast<QGroupBox*>(widget))
        shown = box->title();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        shown = label->text();
    QCOMPARE(shown, text);
    QCOMPARE(widget->isEnabled(), enabled);
    if (checked >= 0) {
        auto* button = qobject_cast<QAbstractButton*>(widget);
        QVERIFY(button && button->isCheckable());
        QCOMPARE(button->isChecked(), checked == 1);
    }
}

void MainWindowTest::menusAsDesigned()
{
    TForm1& w = support.createWindow();
    const auto describe = [](QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions())
            items << action->objectName() + "|" + action->text() + (action->isEnabled() ? "|on" : "|off");
        return items.join(QStringLiteral("; "));
    };
    QCOMPARE(w.accessoriesPopupMenu()->objectName(), QStringLiteral("AccessoriesPopupMenu"));
    QCOMPARE(
        describe(w.accessoriesPopupMenu()),
        QStringLiteral("ViewerCall|Viewer call|off; SetAnglesforRPcalculations|Set Angles for RP calculations|off; "
                       "FreqPlotsShowMenuItem|Frequency plots|off; RecentFilesMenu|Recent files|off"));
    QCOMPARE(
        describe(w.rpPlotsPage().popupMenu()),
        QStringLiteral("ViewerCall1|Viewer Call|off; SetAnglesforRPcalculations1|Set Angles for RP calculations|off; "
                       "FreqPlotsShowMenuItem1|Frequency plots|off; SaveRP|Save Azimuth Plot|off; "
                       "SaveElevationPlot|Save Elevation Plot|off; SaveRes|Save Results|off; "
                       "RecentFilesMenu|Recent files|off"));
    QCOMPARE(describe(w.currentsPage().popupMenu()), QStringLiteral("CopyGF|Copy GF to working folder|on"));

    w.setFrequencyPlotsEnabled(true);
    QVERIFY(WindowControls(w).FreqPlotsShowMenuItem->isEnabled() && WindowControls(w).FreqPlotsShowMenuItem1->isEnabled());
    QVERIFY(w.frequencyPlotsEnabled());
    w.setFrequencyPlotsEnabled(false);
    QVERIFY(!WindowControls(w).FreqPlotsShowMenuItem->isEnabled() && !WindowControls(w).FreqPlotsShowMenuItem1->isEnabled());

    // The popup menus open on their areas.
    for (QWidget* area : {static_cast<QWidget*>(WindowControls(w).GroupBox2), static_cast<QWidget*>(WindowControls(w).GroupBox3),
                          static_cast<QWidget*>(WindowControls(w).ResultsTable), static_cast<QWidget*>(WindowControls(w).TabSheet2),
                          static_cast<QWidget*>(WindowControls(w).GroupBox6)})
        QCOMPARE(area->contextMenuPolicy(), Qt::CustomContextMenu);
    emit WindowControls(w).GroupBox6->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(w.currentsPage().popupMenu()->isVisible());
    w.currentsPage().popupMenu()->close();
}

void MainWindowTest::resultsTableAndImages()
{
    TForm1& w = support.createWindow();
    WindowControls(w).PageControl1->setCurrentIndex(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTableWidget* table = WindowControls(w).ResultsTable;
    QCOMPARE(table->columnCount(), 15);
    QCOMPARE(table->rowCount(), 1);
    const QStringList titles{"N",       "Wire No",  "F, MHz", "R, Ohm",  "jX, Ohm",  "SWR",   "Gnd.", "H, m.",
                             "El, deg", "Gaz, dBi", "at Az",  "Az, deg", "Gel, dBi", "at El", "Diel"};
    for (int column = 0; column < 15; ++column)
        QCOMPARE(table->horizontalHeaderItem(column)->text(), titles.at(column));
    QVERIFY(table->width() > 300);
    QCOMPARE(table->horizontalHeader()->defaultSectionSize(), qRound(table->width() / 15.0) - 2);
    QCOMPARE(table->columnWidth(14), table->horizontalHeader()->defaultSectionSize());

    QCOMPARE(WindowControls(w).Diagr->size(), QSize(350, 350));
    QCOMPARE(WindowControls(w).DiagrElev->size(), QSize(350, 175));
    QCOMPARE(WindowControls(w).Diagr->pixmap().size(), QSize(350, 350));
    QCOMPARE(WindowControls(w).DiagrElev->pixmap().size(), QSize(350, 175));

    QCOMPARE(w.currentsPage().chartModel()->titleFont().pointSize(), 8);
    QCOMPARE(w.currentsPage().chartModel()->titleBrush().color(), QColor(Qt::black));
    QCOMPARE(w.currentsPage().axisLeft()->titleText(), QStringLiteral("Current value in ampers"));
    QCOMPARE(w.currentsPage().axisLeft()->min(), -1.0);
    QCOMPARE(w.currentsPage().axisLeft()->max(), 1.0);
    QVERIFY(!w.currentsPage().axisLeft()->isGridLineVisible());
    QCOMPARE(w.currentsPage().series()->pen().color(), QColor(Qt::blue));
    QCOMPARE(w.currentsPage().series()->count(), 0);
    QCOMPARE(WindowControls(w).CurrentChart->chart(), w.currentsPage().chartModel());

    // The bottom axis follows the distances charted, the left axis stays as set.
    w.currentsPage().series()->replace(QList<QPointF>{{0.05, 0.2}, {0.10, 0.4}, {0.15, 0.1}});
    QCOMPARE(w.currentsPage().axisBottom()->min(), 0.05);
    QCOMPARE(w.currentsPage().axisBottom()->max(), 0.15);
    w.currentsPage().series()->append(3.0, 0.5);
    QCOMPARE(w.currentsPage().axisBottom()->max(), 3.0);
    QCOMPARE(w.currentsPage().axisLeft()->max(), 1.0);

    QCOMPARE(w.session().EditWindowSwrReference.r, 50.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, 0.0);
    QCOMPARE(w.session().RunNumber, 0);
    QVERIFY(w.session().PatternLines.empty() && w.session().CurrentLines.empty());
}

void MainWindowTest::choosingAPresetWritesItsValues_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("sigma");
    QTest::newRow("point") << QLocale::c() << QStringLiteral("7.5");
    QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral("7,5");
}

void MainWindowTest::choosingAPresetWritesItsValues()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, sigma);
    QLocale::setDefault(locale);
    TForm1& w = support.createWindow();
    QComboBox* list = WindowControls(w).GroundListComboBox;
    QCOMPARE(list->count(), 12);
    QCOMPARE(list->itemText(11), QStringLiteral("Sea salt water (Eps=80, Sigma=5000)"));
    list->setEnabled(true);
    list->setCurrentIndex(6);
    WindowControls(w).EPSField->setText(QStringLiteral("1"));
    WindowControls(w).SigmaField->setText(QStringLiteral("1"));

    // The next item by keyboard, as a user chooses it.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("Marshy land (Eps=12, Sigma=7.5)"));
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("12"));
    QCOMPARE(WindowControls(w).SigmaField->text(), sigma);

    for (int i = 0; i < 4; ++i)
        QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 11);
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("80"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("5000"));

    // Typing an item's text in full applies it as well.
    list->lineEdit()->clear();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("Very good (Eps=20, Sigma=30)"));
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("20"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("30"));
}

void MainWindowTest::textNamingNoPresetChangesNothing()
{
    TForm1& w = support.createWindow();
    QComboBox* list = WindowControls(w).GroundListComboBox;
    list->setEnabled(true);
    WindowControls(w).EPSField->setText(QStringLiteral("17"));
    WindowControls(w).SigmaField->setText(QStringLiteral("4.4"));
    list->lineEdit()->selectAll();
    QTest::keyClicks(list->lineEdit(), QStringLiteral("Clay (Eps=13, Sigma=5)"));
    QCOMPARE(list->currentText(), QStringLiteral("Clay (Eps=13, Sigma=5)"));
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("17"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("4.4"));
    // Pressing Enter does not add the text to the list of standard grounds.
    QTest::keyClick(list->lineEdit(), Qt::Key_Return);
    QCOMPARE(list->count(), 12);
    // Setting the text by program applies no preset either.
    w.groundControls().setStandardText(QStringLiteral("Poor (Eps=13, Sigma=2)"));
    QCOMPARE(list->currentText(), QStringLiteral("Poor (Eps=13, Sigma=2)"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("4.4"));
}

void MainWindowTest::groundChoiceEnablesTheValues()
{
    TForm1& w = support.createWindow();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    WindowControls u(w);
    // As after reading a file over real ground.
    u.PGround->setEnabled(true);
    u.SNGround->setEnabled(true);
    u.EPSField->setText(QStringLiteral("21"));
    w.setFrequencyPlotsEnabled(true);

    u.SNGround->click();
    QVERIFY(u.SNGround->isChecked());
    QVERIFY(u.EPSField->isEnabled() && u.SigmaField->isEnabled() && u.GroundListComboBox->isEnabled());
    QVERIFY(!w.frequencyPlotsEnabled());

    w.setFrequencyPlotsEnabled(true);
    u.PGround->click();
    QVERIFY(u.PGround->isChecked());
    QVERIFY(!u.EPSField->isEnabled() && !u.SigmaField->isEnabled() && !u.GroundListComboBox->isEnabled());
    QVERIFY(!w.frequencyPlotsEnabled());

    u.SNGround->click();
    QVERIFY(u.EPSField->isEnabled());
    QCOMPARE(u.EPSField->text(), QStringLiteral("21"));
    QCOMPARE(u.SigmaField->text(), QStringLiteral("5"));
}

void MainWindowTest::parameterChangeGroupRestoresTheFileValues()
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        support.prepare();
        QLocale::setDefault(locale);
        TForm1& w = support.createWindow();
        WindowControls u(w);
        const bool comma = locale.decimalPoint() == QStringLiteral(",");
        w.session().FileHeight = 12.5;
        w.session().FileFrequency = 7.05;
        u.EnableParamChangeCheck->setEnabled(true);

        u.EnableParamChangeCheck->setChecked(true);
        QVERIFY(u.HAntField->isEnabled() && u.FreqVRNChangeField->isEnabled() && u.GNDParChangeButton->isEnabled());
        u.HAntField->setText(QStringLiteral("99"));
        u.FreqVRNChangeField->setText(QStringLiteral("21"));
        QCOMPARE(u.FreqField->text(), QStringLiteral("21"));

        u.EnableParamChangeCheck->setChecked(false);
        QVERIFY(!u.HAntField->isEnabled() && !u.FreqVRNChangeField->isEnabled() && !u.GNDParChangeButton->isEnabled());
        QCOMPARE(u.HAntField->text(), comma ? QStringLiteral("12,5") : QStringLiteral("12.5"));
        QCOMPARE(u.FreqVRNChangeField->text(), comma ? QStringLiteral("7,05") : QStringLiteral("7.05"));
        QCOMPARE(u.FreqField->text(), u.FreqVRNChangeField->text());

        // A checked box that is itself disabled does not open the group.
        u.EnableParamChangeCheck->setEnabled(false);
        u.EnableParamChangeCheck->setChecked(true);
        QVERIFY(!u.HAntField->isEnabled() && !u.GNDParChangeButton->isEnabled());
    }
}

void MainWindowTest::mirrorsAndScrollBars()
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        support.prepare();
        QLocale::setDefault(locale);
        TForm1& w = support.createWindow();
        WindowControls u(w);

        u.AngleElevSetBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(u.AngleElevField->text(), QStringLiteral("21"));
        QCOMPARE(u.Elevation1Field->text(), QStringLiteral("21"));
        u.AngleAzSetBar->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(u.AngleAzField->text(), QStringLiteral("360"));
        QCOMPARE(u.Azimuth1Field->text(), QStringLiteral("360"));
        // A position set by the program leaves the field alone.
        u.AngleElevSetBar->setValue(5);
        QCOMPARE(u.AngleElevField->text(), QStringLiteral("21"));

        u.AngleElevField->setText(QStringLiteral("33,5"));
        QCOMPARE(u.Elevation1Field->text(), QStringLiteral("33,5"));

        u.FreqField->setText(QStringLiteral("28"));
        QCOMPARE(u.FreqVRNChangeField->text(), QStringLiteral("28"));
        u.FreqVRNChangeField->setText(QStringLiteral("3.6"));
        QCOMPARE(u.FreqField->text(), QStringLiteral("3.6"));

        u.UkorBar->setEnabled(true);
        u.UkorBar->setValue(24);
        u.UkorBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        const bool comma = locale.decimalPoint() == QStringLiteral(",");
        QCOMPARE(u.UkorField->text(), comma ? QStringLiteral("2,5") : QStringLiteral("2.5"));
        u.UkorBar->triggerAction(QAbstractSlider::SliderToMinimum);
        QCOMPARE(u.UkorField->text(), comma ? QStringLiteral("0,0") : QStringLiteral("0.0"));

        QVERIFY(u.GeometryNEC2->isReadOnly());
        u.EditNEC2InputCheck->setChecked(true);
        QVERIFY(!u.GeometryNEC2->isReadOnly());
        u.EditNEC2InputCheck->setChecked(false);
        QVERIFY(u.GeometryNEC2->isReadOnly());
    }
}

void MainWindowTest::changesOutdateTheFrequencyPlots_data()
{
    QTest::addColumn<bool>("outdates");
    for (const char* name : {"EPSField", "SigmaField", "RwDField", "RDField", "EpsDielField", "UkorField", "HAntField",
                             "EKSwitchCheck", "CDSVSCheck", "DM2AllSegmentationCheck", "ReadADMCheck", "GeometryNEC2",
                             "ZSwrReNEC2Field", "ZSwrImNEC2Field"})
        QTest::newRow(name) << true;
    for (const char* name : {"X_Shrinking_CheckBox", "Y_Shrinking_CheckBox", "Z_Shrinking_CheckBox", "FreqField",
                             "AngleElevField", "ShowNEC2InputCheck", "EditNEC2InputCheck", "TagNumField"})
        QTest::newRow(name) << false;
}

void MainWindowTest::changesOutdateTheFrequencyPlots()
{
    QFETCH(bool, outdates);
    TForm1& w = support.createWindow();
    // The rules of the first page hold before the other pages are built.
    QWidget* widget = w.centralWidget()->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    if (widget == nullptr) {
        w.buildPages();
        widget = w.centralWidget()->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
    }
    QVERIFY(widget != nullptr);
    w.setFrequencyPlotsEnabled(true);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(edit->text() + "1");
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        combo->setEditText(combo->currentText() + "1");
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        box->setChecked(!box->isChecked());
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget))
        memo->appendPlainText(QStringLiteral("GW 1 11 0 0 0 0 0 1 0.001"));
    else
        QFAIL("unexpected control kind");
    QCOMPARE(w.frequencyPlotsEnabled(), !outdates);
    QCOMPARE(WindowControls(w).FreqPlotsShowMenuItem->isEnabled(), WindowControls(w).FreqPlotsShowMenuItem1->isEnabled());
}

void MainWindowTest::swrReferenceFields()
{
    TForm1& w = support.createWindow();
    WindowControls u(w);

    u.ZSwrReNEC2Field->setText(QStringLiteral("75"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 75.0);
    u.ZSwrImNEC2Field->clear();
    QTest::keyClicks(u.ZSwrImNEC2Field, QStringLiteral("-"));
    QCOMPARE(u.ZSwrImNEC2Field->text(), QStringLiteral("-"));
    QCOMPARE(w.session().EditWindowSwrReference.x, 0.0);
    QTest::keyClicks(u.ZSwrImNEC2Field, QStringLiteral("12.5"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 75.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, -12.5);
    QVERIFY(support.dialogs.messages.isEmpty());

    // Clearing R: refused once, both fields back to the standard reference.
    u.ZSwrReNEC2Field->clear();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("R<0 or R=0 is incorrect")});
    QCOMPARE(u.ZSwrReNEC2Field->text(), QStringLiteral("50"));
    QCOMPARE(u.ZSwrImNEC2Field->text(), QStringLiteral("0"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 50.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, 0.0);

    u.ZSwrReNEC2Field->setText(QStringLiteral("60"));
    u.ZSwrImNEC2Field->setText(QStringLiteral("4x"));
    QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("Incorrect number value!")});
    QCOMPARE(u.ZSwrReNEC2Field->text(), QStringLiteral("50"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 50.0);

    // The user's separator: a comma locale takes "37,5" and refuses "37.5".
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    u.ZSwrReNEC2Field->setText(QStringLiteral("37,5"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 37.5);
    QVERIFY(support.dialogs.messages.isEmpty());
    u.ZSwrReNEC2Field->setText(QStringLiteral("37.5"));
    QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("Incorrect number value!")});
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"

using namespace vrnnec;
