// The settings file through the main window: loading at creation, saving at close.
#include "AppTestSupport.h"

#include "app/GroundControls.h"
#include "WindowControls.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { support.prepare(); }
    void cleanup() { support.reset(); }

    void missingFileGivesTheDesignedWindow();
    void handWrittenPlainFileLoads();
    void elevationBelowTheHorizonEndsAtTheBarsEnd();
    void commaLocaleReadsPointTexts();
    void flagThatIsNoIntegerStopsLoading();
    void angleThatIsNoNumberStopsThePositioning();
    void badReferenceImpedanceIsPutBack();
    void closingWritesAndTheNextStartReads();
    void unwritableFileIsReported();

private:
    QByteArray readSettings()
    {
        QFile file(support.settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    AppTestSupport support;
};

void SettingsTest::missingFileGivesTheDesignedWindow()
{
    TForm1& w = support.createWindow();
    WindowControls u(w);
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(support.folder()).canonicalFilePath());
    QCOMPARE(u.GroundListComboBox->currentText(), QStringLiteral("Average (Eps=13, Sigma=5)"));
    QCOMPARE(u.EPSField->text(), QStringLiteral("13"));
    QCOMPARE(u.AngleElevField->text(), QStringLiteral("20"));
    QCOMPARE(u.AngleElevSetBar->value(), 20);
    QCOMPARE(u.AngleAzSetBar->value(), 0);
    QVERIFY(u.DM2AllSegmentationCheck->isChecked());
    QVERIFY(u.X_Shrinking_CheckBox->isChecked());
    QVERIFY(!u.EKSwitchCheck->isChecked());
    QVERIFY(support.dialogs.messages.isEmpty());
    QVERIFY(!QFile::exists(support.settingsPath()));
}

void SettingsTest::handWrittenPlainFileLoads()
{
    QTemporaryDir workFolder;
    support.prepare("; written with a text editor\r\n"
                    "[Directories]\r\n"
                    "CurrentDir="
                    + workFolder.path().toUtf8()
                    + "\r\n"
                      "\r\n"
                      "[Ground Settings]\r\n"
                      "Standard=Sea salt water (Eps=80, Sigma=5000)\r\n"
                      "EPS=13,5\r\n"
                      "Sigma = 4\r\n"
                      "[NEC2SwrZ]\r\n"
                      "Re=75\r\n"
                      "Im=-10\r\n"
                      "[Angles]\r\n"
                      "Elevation=100\r\n"
                      "Azimuth=370\r\n"
                      "[Conversion Flags]\r\n"
                      "EThWK=1\r\n"
                      "DM2Seg=2\r\n"
                      "CSDVS=1\r\n"
                      "[Other Flags]\r\n"
                      "YShrink=0\r\n"
                      "EnableTextEdit=1\r\n"
                      "[Other Parameters]\r\n"
                      "RIsolation=2.5\r\n"
                      "EpsIsolation=4\r\n");
    TForm1& w = support.createWindow();
    WindowControls u(w);
    QVERIFY(support.dialogs.messages.isEmpty());
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(workFolder.path()).canonicalFilePath());
    // The standard ground's text only: Eps and Sigma come from their own keys.
    QCOMPARE(u.GroundListComboBox->currentText(), QStringLiteral("Sea salt water (Eps=80, Sigma=5000)"));
    QCOMPARE(u.EPSField->text(), QStringLiteral("13.5"));
    QCOMPARE(u.SigmaField->text(), QStringLiteral("4"));
    QCOMPARE(u.ZSwrReNEC2Field->text(), QStringLiteral("75"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 75.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, -10.0);
    QCOMPARE(u.AngleElevField->text(), QStringLiteral("100"));
    QCOMPARE(u.Elevation1Field->text(), QStringLiteral("100"));
    QCOMPARE(u.AngleElevSetBar->value(), 80);
    QCOMPARE(u.AngleAzField->text(), QStringLiteral("370"));
    QCOMPARE(u.AngleAzSetBar->value(), 10);
    QVERIFY(u.EKSwitchCheck->isChecked());
    QVERIFY(u.DM2AllSegmentationCheck->isChecked()); // 2 keeps the designed state
    QVERIFY(u.CDSVSCheck->isChecked());
    QVERIFY(u.X_Shrinking_CheckBox->isChecked());
    QVERIFY(!u.Y_Shrinking_CheckBox->isChecked());
    QVERIFY(u.EditNEC2InputCheck->isChecked());
    QVERIFY(!u.GeometryNEC2->isReadOnly());
    QCOMPARE(u.RDField->text(), QStringLiteral("2.5"));
    QCOMPARE(u.EpsDielField->text(), QStringLiteral("4"));
}

void SettingsTest::elevationBelowTheHorizonEndsAtTheBarsEnd()
{
    support.prepare("[Angles]\nElevation=-20\nAzimuth=-15\n[Conversion Flags]\nDM2Seg=0\n");
    TForm1& w = support.createWindow();
    QCOMPARE(WindowControls(w).AngleElevField->text(), QStringLiteral("-20"));
    QCOMPARE(WindowControls(w).AngleElevSetBar->value(), 90);
    QCOMPARE(WindowControls(w).AngleAzSetBar->value(), 0);
    QVERIFY(!WindowControls(w).DM2AllSegmentationCheck->isChecked());
}

void SettingsTest::commaLocaleReadsPointTexts()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    support.prepare("[Ground Settings]\nEPS=13.5\nSigma=7,5\n[Angles]\nElevation=44.5\nAzimuth=90,6\n"
                    "[NEC2SwrZ]\nRe=62.5\n");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TForm1& w = support.createWindow();
    QVERIFY(support.dialogs.messages.isEmpty());
    QCOMPARE(WindowControls(w).EPSField->text(), QStringLiteral("13,5"));
    QCOMPARE(WindowControls(w).SigmaField->text(), QStringLiteral("7,5"));
    QCOMPARE(WindowControls(w).AngleElevSetBar->value(), 44);
    QCOMPARE(WindowControls(w).AngleAzSetBar->value(), 91);
    QCOMPARE(w.session().EditWindowSwrReference.r, 62.5);
}

void SettingsTest::flagThatIsNoIntegerStopsLoading()
{
    support.prepare("[Angles]\nElevation=45\n[Conversion Flags]\nEThWK=1\nCSDVS=on\n[Other Flags]\nXShrink=0\n");
    TForm1& w = support.createWindow();
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("'on' is not a valid integer value")});
    QCOMPARE(WindowControls(w).AngleElevField->text(), QStringLiteral("45"));
    QCOMPARE(WindowControls(w).AngleElevSetBar->value(), 20);
    QVERIFY(!WindowControls(w).EKSwitchCheck->isChecked());
    QVERIFY(WindowControls(w).X_Shrinking_CheckBox->isChecked());
}

void SettingsTest::angleThatIsNoNumberStopsThePositioning()
{
    support.prepare("[Angles]\nElevation=30\nAzimuth=north\n[Other Flags]\nZShrink=0\n");
    TForm1& w = support.createWindow();
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("'north' is not a valid floating point value")});
    QCOMPARE(WindowControls(w).AngleElevSetBar->value(), 30);
    QCOMPARE(WindowControls(w).AngleAzSetBar->value(), 0);
    QCOMPARE(WindowControls(w).AngleAzField->text(), QStringLiteral("north"));
    QVERIFY(WindowControls(w).Z_Shrinking_CheckBox->isChecked());
}

void SettingsTest::badReferenceImpedanceIsPutBack()
{
    // R is loaded first and put back; X, loaded after it, stays.
    support.prepare("[NEC2SwrZ]\nRe=-50\nIm=3\n");
    TForm1& w = support.createWindow();
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("R<0 or R=0 is incorrect")});
    QCOMPARE(WindowControls(w).ZSwrReNEC2Field->text(), QStringLiteral("50"));
    QCOMPARE(WindowControls(w).ZSwrImNEC2Field->text(), QStringLiteral("3"));
    QCOMPARE(w.session().EditWindowSwrReference.r, 50.0);
    QCOMPARE(w.session().EditWindowSwrReference.x, 3.0);

    support.prepare("[NEC2SwrZ]\nRe=75\nIm=j3\n");
    TForm1& other = support.createWindow();
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Incorrect number value!")});
    QCOMPARE(WindowControls(other).ZSwrReNEC2Field->text(), QStringLiteral("50"));
    QCOMPARE(WindowControls(other).ZSwrImNEC2Field->text(), QStringLiteral("0"));
    QCOMPARE(other.session().EditWindowSwrReference.r, 50.0);
    QCOMPARE(other.session().EditWindowSwrReference.x, 0.0);
}

void SettingsTest::closingWritesAndTheNextStartReads()
{
    QTemporaryDir workFolder;
    {
        TForm1& w = support.createWindow();
        WindowControls u(w);
        w.groundControls().setStandardText(QStringLiteral("Pastoral (Eps=13, Sigma=6)"));
        u.EPSField->setText(QStringLiteral("14.5"));
        u.SigmaField->setText(QStringLiteral("not a number"));
        u.ZSwrReNEC2Field->setText(QStringLiteral("75"));
        u.AngleElevField->setText(QStringLiteral("35"));
        u.AngleAzField->setText(QStringLiteral("270"));
        u.EKSwitchCheck->setChecked(true);
        u.DM2AllSegmentationCheck->setChecked(false);
        u.ShowNEC2InputCheck->setChecked(true);
        u.Z_Shrinking_CheckBox->setChecked(false);
        u.ReadADMCheck->setChecked(true);
        u.RDField->setText(QStringLiteral("3"));
        u.EpsDielField->setText(QStringLiteral("2.2"));
        w.session().PatternLines.azimuth.resize(3);
        QVERIFY(QDir::setCurrent(workFolder.path()));
        w.close();
        QVERIFY(w.session().PatternLines.empty());
    }
    QVERIFY(support.dialogs.messages.isEmpty());
    const QString expected =
        QStringLiteral("[Directories]\nCurrentDir=%1\n"
                       "[Ground Settings]\nStandard=Pastoral (Eps=13, Sigma=6)\nEPS=14.5\nSigma=not a number\n"
                       "[NEC2SwrZ]\nRe=75\nIm=0\n"
                       "[Angles]\nElevation=35\nAzimuth=270\n"
                       "[Conversion Flags]\nEThWK=1\nCSDVS=0\nDM2Seg=0\nConvOnly=1\n"
                       "[Other Flags]\nXShrink=1\nYShrink=1\nZShrink=0\nEnableTextEdit=0\nReadAdmittance=1\n"
                       "[Other Parameters]\nRIsolation=3\nEpsIsolation=2.2\n")
            .arg(QDir::currentPath());
    // The window places and remembered folders follow in sections of their own.
    const QString written = QString::fromUtf8(readSettings());
    QCOMPARE(written.left(expected.size()), expected);
    QVERIFY(written.mid(expected.size()).startsWith(QStringLiteral("[Window TForm1]\n")));

    support.destroyWindow();
    QVERIFY(QDir::setCurrent(support.folder()));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TForm1& again = support.createWindow();
    WindowControls u(again);
    QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(), QFileInfo(workFolder.path()).canonicalFilePath());
    QCOMPARE(u.GroundListComboBox->currentText(), QStringLiteral("Pastoral (Eps=13, Sigma=6)"));
    QCOMPARE(u.EPSField->text(), QStringLiteral("14,5"));
    QCOMPARE(u.SigmaField->text(), QStringLiteral("not a number"));
    QCOMPARE(u.AngleElevSetBar->value(), 35);
    QCOMPARE(u.AngleAzSetBar->value(), 270);
    QVERIFY(u.EKSwitchCheck->isChecked());
    QVERIFY(!u.DM2AllSegmentationCheck->isChecked());
    QVERIFY(u.ShowNEC2InputCheck->isChecked());
    QVERIFY(!u.Z_Shrinking_CheckBox->isChecked());
    QVERIFY(u.ReadADMCheck->isChecked());
    QCOMPARE(u.EpsDielField->text(), QStringLiteral("2,2"));
    QCOMPARE(again.session().EditWindowSwrReference.r, 75.0);
    QVERIFY(support.dialogs.messages.isEmpty());
}

void SettingsTest::unwritableFileIsReported()
{
    // The settings path is taken by a folder: the file cannot be replaced.
    QVERIFY(QDir().mkpath(support.settingsPath()));
    QVERIFY(QFile::exists(QDir(support.settingsPath()).filePath(".")));
    TForm1& w = support.createWindow();
    QVERIFY(support.dialogs.messages.isEmpty());
    w.close();
    QCOMPARE(support.dialogs.messages, QStringList{QStringLiteral("Unable to write to ") + support.settingsPath()});
    QVERIFY(QFileInfo(support.settingsPath()).isDir());
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"

using namespace vrnnec;
