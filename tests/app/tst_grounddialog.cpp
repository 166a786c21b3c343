// The ground parameters dialog: created anew by every opening, copies the main
// window's ground controls in when it shows and back on "OK" / "OK and close".
#include "AppTestSupport.h"

#include "app/GroundControls.h"
#include "app/GroundDialog.h"
#include "WindowControls.h"
#include "ui_TFormGND.h"

#include <QPointer>
#include <QTest>

class GroundDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void dialogAsDesigned();
    void openingCreatesTheDialogAnewAndCopiesIn();
    void okCopiesBackAndOutdatesTheSweep();
    void okAndCloseCopiesBackAndCloses();
    void closeCopiesNothing();
    void dialogRulesDoNotTouchTheMainWindow();
    void closingTheMainWindowClosesTheDialog();

private:
    // The main window as after reading a file over real ground, with the group open.
    TForm1& openWindow()
    {
        TForm1& w = support.createWindow();
        w.show();
        WindowControls u(w);
        u.PGround->setEnabled(true);
        u.SNGround->setEnabled(true);
        u.SNGround->setChecked(true);
        u.EPSField->setEnabled(true);
        u.SigmaField->setEnabled(true);
        u.GroundListComboBox->setEnabled(true);
        u.EPSField->setText(QStringLiteral("15"));
        u.SigmaField->setText(QStringLiteral("3.3"));
        w.groundControls().setStandardText(QStringLiteral("Poor (Eps=13, Sigma=2)"));
        u.EnableParamChangeCheck->setEnabled(true);
        u.EnableParamChangeCheck->setChecked(true);
        w.setFrequencyPlotsEnabled(true);
        return w;
    }

    AppTestSupport support;
};

void GroundDialogTest::dialogAsDesigned()
{
    TForm1& w = support.createWindow();
    TFormGND* dialog = w.groundDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Ground parameters"));
    Ui::TFormGND& d = dialog->ui();
    QCOMPARE(d.PGround->text(), QStringLiteral("Perfect"));
    QCOMPARE(d.SNGround->text(), QStringLiteral("Sommrefeld/Norton"));
    QCOMPARE(d.GNDChangeParSetButton->text(), QStringLiteral("OK"));
    QCOMPARE(d.GNDChangeParOKButton->text(), QStringLiteral("OK and close"));
    QCOMPARE(d.GNDChangeParCancelButton->text(), QStringLiteral("Close"));
    QCOMPARE(d.GroundListComboBox->count(), WindowControls(w).GroundListComboBox->count());
    for (int i = 0; i < d.GroundListComboBox->count(); ++i)
        QCOMPARE(d.GroundListComboBox->itemText(i), WindowControls(w).GroundListComboBox->itemText(i));
}

void GroundDialogTest::openingCreatesTheDialogAnewAndCopiesIn()
{
    TForm1& w = openWindow();
    QPointer<TFormGND> first = w.groundDialog();
    QTest::mouseClick(WindowControls(w).GNDParChangeButton, Qt::LeftButton);
    QVERIFY(first.isNull()); // the dialog made at start is discarded
    QPointer<TFormGND> opened = w.groundDialog();
    QVERIFY(opened && opened->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(opened->groundControls().state(), w.groundControls().state());
    QCOMPARE(opened->ui().EPSField->text(), QStringLiteral("15"));
    QCOMPARE(opened->ui().GroundListComboBox->currentText(), QStringLiteral("Poor (Eps=13, Sigma=2)"));
    QVERIFY(opened->ui().SNGround->isChecked());
    QVERIFY(opened->ui().EPSField->isEnabled());

    // While it is visible, the button does nothing.
    QTest::mouseClick(WindowControls(w).GNDParChangeButton, Qt::LeftButton);
    QCOMPARE(w.groundDialog(), opened.data());

    // Perfect ground with disabled values is copied as it is.
    opened->close();
    WindowControls(w).PGround->setChecked(true);
    w.groundControls().PGroundClick();
    WindowControls(w).SNGround->setEnabled(false);
    QTest::mouseClick(WindowControls(w).GNDParChangeButton, Qt::LeftButton);
    QVERIFY(opened.isNull());
    Ui::TFormGND& d = w.groundDialog()->ui();
    QVERIFY(d.PGround->isChecked() && !d.SNGround->isChecked());
    QVERIFY(d.PGround->isEnabled() && !d.SNGround->isEnabled());
    QVERIFY(!d.EPSField->isEnabled() && !d.SigmaField->isEnabled() && !d.GroundListComboBox->isEnabled());
}

void GroundDialogTest::okCopiesBackAndOutdatesTheSweep()
{
    TForm1& w = openWindow();
    w.GNDParChangeButtonClick();
    TFormGND* dialog = w.groundDialog();
    Ui::TFormGND& d = dialog->ui();
    d.GroundListComboBox->setCurrentIndex(10);
    QTest::keyClick(d.GroundListComboBox, Qt::Key_Down); // "Sea salt water (Eps=80, Sigma=5000)"
    QCOMPARE(d.SigmaField->text(), QStringLiteral("5000"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("3.3"));
    w.setFrequencyPlotsEnabled(true);
    QVERIFY(w.frequencyPlotsEnabled());

    QTest::mouseClick(d.GNDChangeParSetButton, Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("80"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("5000"));
    QCOMPARE(WindowControls(w).GroundListComboBox->currentText(), QStringLiteral("Sea salt water (Eps=80, Sigma=5000)"));
    QVERIFY(!w.frequencyPlotsEnabled());

    // Checked and enabled states go back as well.
    d.PGround->click();
    QVERIFY(!d.EPSField->isEnabled());
    QVERIFY(WindowControls(w).EPSField->isEnabled());
    QTest::mouseClick(d.GNDChangeParSetButton, Qt::LeftButton);
    QVERIFY(WindowControls(w).PGround->isChecked() && !WindowControls(w).SNGround->isChecked());
    QVERIFY(!WindowControls(w).EPSField->isEnabled() && !WindowControls(w).SigmaField->isEnabled()
            && !WindowControls(w).GroundListComboBox->isEnabled());
    QCOMPARE(w.groundControls().state(), dialog->groundControls().state());
}

void GroundDialogTest::okAndCloseCopiesBackAndCloses()
{
    TForm1& w = openWindow();
    w.GNDParChangeButtonClick();
    TFormGND* dialog = w.groundDialog();
    dialog->ui().EPSField->setText(QStringLiteral("9"));
    QTest::mouseClick(dialog->ui().GNDChangeParOKButton, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("9"));
    QVERIFY(!w.frequencyPlotsEnabled());
}

void GroundDialogTest::closeCopiesNothing()
{
    TForm1& w = openWindow();
    w.GNDParChangeButtonClick();
    TFormGND* dialog = w.groundDialog();
    dialog->ui().EPSField->setText(QStringLiteral("9"));
    dialog->ui().PGround->click();
    QTest::mouseClick(dialog->ui().GNDChangeParCancelButton, Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("15"));
    QVERIFY(WindowControls(w).SNGround->isChecked());
    QVERIFY(WindowControls(w).EPSField->isEnabled());
    QVERIFY(w.frequencyPlotsEnabled());
}

void GroundDialogTest::dialogRulesDoNotTouchTheMainWindow()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TForm1& w = openWindow();
    w.GNDParChangeButtonClick();
    Ui::TFormGND& d = w.groundDialog()->ui();
    d.GroundListComboBox->setCurrentIndex(6);
    QTest::keyClick(d.GroundListComboBox, Qt::Key_Down);
    QCOMPARE(d.EPSField->text(), QStringLiteral("12"));
    QCOMPARE(d.SigmaField->text(), QStringLiteral("7,5"));
    d.PGround->click();
    QVERIFY(!d.GroundListComboBox->isEnabled());
    d.SNGround->click();
    QVERIFY(d.GroundListComboBox->isEnabled());
    QCOMPARE(d.SigmaField->text(), QStringLiteral("7,5"));
    // Nothing reached the main window, and its sweep is still valid.
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("3.3"));
    QVERIFY(w.frequencyPlotsEnabled());
}

void GroundDialogTest::closingTheMainWindowClosesTheDialog()
{
    TForm1& w = openWindow();
    w.GNDParChangeButtonClick();
    QPointer<TFormGND> dialog = w.groundDialog();
    QVERIFY(dialog->isVisible());
    w.close();
    QVERIFY(!dialog || !dialog->isVisible());
}

QTEST_MAIN(GroundDialogTest)
#include "tst_grounddialog.moc"

using namespace vrnnec;
