// Near fields with the real engine: the "Electric" and "Magnetic" buttons on the deck of
// the last calculation and on the edit window's deck, against the classic engine's
// listing of the same dipole, and necdeck near.
#include "AppTestSupport.h"
#include "ProgramFolder.h"
#include "WindowControls.h"
#include "engine/NearFieldListing.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTextCursor>
#include <QtTest>

namespace {

// The magnitudes of the CSV's lines, three per point.
QList<double> csvMagnitudes(const QString& path, QString& header)
{
    QList<double> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return values;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    header = lines.value(0);
    for (int i = 1; i < lines.size(); ++i)
        values << lines[i].split(',').value(6).toDouble();
    return values;
}

// The classic engine's magnitudes of the same grid.
QList<double> classicMagnitudes(const char* listing, engine::NearField field)
{
    QList<double> values;
    const auto read = engine::ReadNearFieldListing(std::string(TEST_DATA_DIR "/listings/classic/") + listing, field);
    for (const auto& row : read.rows)
        for (int k = 0; k < 3; ++k)
            values << row.magnitude[k].value_or(-1);
    return values;
}

void compareMagnitudes(const QList<double>& actual, const QList<double>& expected)
{
    QCOMPARE(actual.size(), 375);
    QCOMPARE(expected.size(), 375);
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(std::abs(actual[i] - expected[i]) <= 2e-4 * expected[i] + 1e-30, qPrintable(QString::number(i)));
}

} // namespace

class NearFieldsTest : public QObject {
    Q_OBJECT
private:
    AppTestSupport support;

    TForm1& window(const char* deck)
    {
        support.prepare();
        [&] { QVERIFY(e2e::installEngine(support.folder())); }();
        QFile::copy(QStringLiteral(TEST_DATA_DIR "/decks/") + QLatin1String(deck),
                    QDir(support.folder()).filePath(QStringLiteral("Indata.txo")));
        TForm1& w = support.createWindow();
        WindowControls(w).ElectricNFButton->setEnabled(true);
        WindowControls(w).MagneticNFButton->setEnabled(true);
        return w;
    }

private slots:
    void electricFieldOfTheLastCalculationsDeck()
    {
        TForm1& w = window("near_magnetic.nec"); // its NH card gives way to the NE card
        const QString csv = QDir(support.folder()).filePath(QStringLiteral("field.csv"));
        support.dialogs.fileAnswers << csv;
        WindowControls(w).ElectricNFButton->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QCOMPARE(support.dialogs.fileRequests.size(), 1);
        QCOMPARE(support.dialogs.fileRequests[0].title, QStringLiteral("Save Electric Near Field in file"));
        QCOMPARE(support.dialogs.fileRequests[0].defaultSuffix, QStringLiteral("csv"));
        QVERIFY(WindowControls(w).PowerBudgetMemo->toPlainText().startsWith(QStringLiteral("INPUT POWER   =")));
        QString header;
        const QList<double> magnitudes = csvMagnitudes(csv, header);
        QCOMPARE(header, QStringLiteral("X(m),Y(m),Z(m),VECTOR,REAL(V/m),IMAGINARY(V/m),MAGNITUDE(V/m),PHASE(DEG)"));
        compareMagnitudes(magnitudes, classicMagnitudes("near_electric.out", engine::NearField::Electric));
    }

    void magneticFieldOfTheEditWindowsDeck()
    {
        TForm1& w = window("near_electric.nec");
        QFile deck(QStringLiteral(TEST_DATA_DIR "/decks/near_magnetic.nec"));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        WindowControls(w).NFfromEditWindowCheck->setChecked(true);
        WindowControls(w).GeometryNEC2->setPlainText(QString::fromLatin1(deck.readAll()));
        const QString csv = QDir(support.folder()).filePath(QStringLiteral("magnetic.csv"));
        support.dialogs.fileAnswers << csv;
        WindowControls(w).MagneticNFButton->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QString header;
        const QList<double> magnitudes = csvMagnitudes(csv, header);
        QVERIFY(header.contains(QStringLiteral("REAL(AT/m)")));
        compareMagnitudes(magnitudes, classicMagnitudes("near_magnetic.out", engine::NearField::Magnetic));
    }

    void refusalsBeforeTheRun()
    {
        struct Case {
            const char* deck;
            const char* pointsY;
            const char* pointsZ;
            const char* message;
        };
        const Case cases[] = {
            {"sweep_perfect.nec", "5", "5",
             "Near fields can be calculated at one frequency only. Set one frequency in the FR card."},
            {"near_electric.nec", "0", "5",
             "Enter at least one point for Near Field Calculations. All points fields must be > 1."},
            {"near_electric.nec", "x", "5", "'x' is not a valid integer value"},
            {"near_electric.nec", "1000", "1000",
             "Too many points for Near Field Calculations: at most 1000000 points (Points X * Points Y * Points Z)."},
        };
        for (const Case& c : cases) {
            TForm1& w = window(c.deck);
            WindowControls(w).PointsYField->setText(QLatin1String(c.pointsY));
            WindowControls(w).PointsZField->setText(QLatin1String(c.pointsZ));
            WindowControls(w).ElectricNFButton->click();
            QCOMPARE(support.dialogs.messages, QStringList{QLatin1String(c.message)});
            QVERIFY(!QFile::exists(QDir(support.folder()).filePath(QStringLiteral("IndataGN.txo"))));
        }
    }

    // A deck of the edit window the calculation core refuses (its cases are the core's
    // tests): its message, naming the edit window's line, and both buttons work again.
    void aDeckTheCoreRefuses()
    {
        TForm1& w = window("near_electric.nec");
        WindowControls(w).GeometryNEC2->setPlainText("CE\nGW 1 -21 0 -5 0 0 5 0 0.001\nGE 0\nFR 0 1 0 0 14 0\nEX 0 1 11 0 1 0\nEN");
        WindowControls(w).NFfromEditWindowCheck->setChecked(true);
        WindowControls(w).ElectricNFButton->click();
        QCOMPARE(support.dialogs.takeMessages(),
                 QStringList{"The wire with tag 1 (line 2 of the NEC-2 input) has -21 segments. A wire needs one "
                             "segment or more; please correct it."});
        QVERIFY(WindowControls(w).ElectricNFButton->isEnabled());
        QVERIFY(WindowControls(w).MagneticNFButton->isEnabled());
    }

    // A card of the edit window's deck that the run does not take is named by its line,
    // which is selected there; a deck of the last calculation names it without selecting.
    void refusedCardOfTheEditWindowIsSelected()
    {
        const struct {
            bool editWindow;
            const char* text;
            int line; // 0-based
            const char* place;
        } cases[] = {
            {true, "CM a\nCE\nGW 1 21 0 -5 0 0 5 0 0.001\nGE 0\nZZ 1\nFR 0 1 0 0 14\nEX 0 1 11 0 1 0\nEN", 4,
             "Line 5 (ZZ): this card cannot be used here."},
            {true, "CE\nGW 1 21 0 -5 0 0 5 0 0.001\n\nGE 0\nEN", 2, "Line 3: the line is empty."},
            {false, "CE\nGW 1 21 0 -5 0 0 5 0 0.001\nGE 0\nxx\nEN", -1, nullptr},
        };
        for (const auto& c : cases) {
            TForm1& w = window("near_electric.nec");
            WindowControls(w).GeometryNEC2->setPlainText(QString::fromLatin1(c.text));
            (c.editWindow ? WindowControls(w).NFfromEditWindowCheck : WindowControls(w).NFfromCurrentInputCheck)->setChecked(true);
            WindowControls(w).ElectricNFButton->click();
            const QTextCursor cursor = WindowControls(w).GeometryNEC2->textCursor();
            if (!c.editWindow) {
                QCOMPARE(support.dialogs.takeMessages(), QStringList()); // the last calculation's deck runs
                QVERIFY(!cursor.hasSelection());
                continue;
            }
            QCOMPARE(support.dialogs.takeMessages(),
                     QStringList{QStringLiteral("Incorrect card are present.\n") + QLatin1String(c.place)});
            QCOMPARE(cursor.blockNumber(), c.line);
            QCOMPARE(cursor.selectedText(), QString::fromLatin1(c.text).split('\n').at(c.line));
            QCOMPARE(WindowControls(w).PageControl1->currentWidget(), static_cast<QWidget*>(WindowControls(w).TabSheet4));
        }
    }

    void theToolWritesTheFileAndPrintsThePowerBudget()
    {
        QTemporaryDir folder;
        const QString csv = QDir(folder.path()).filePath(QStringLiteral("tool.csv"));
        QProcess tool;
        tool.start(QStringLiteral(PROGRAM_DIR "/necdeck"),
                   {"near", "--electric", "--csv", csv, QStringLiteral(TEST_DATA_DIR "/decks/near_electric.nec")});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(tool.readAllStandardOutput().startsWith("INPUT POWER   ="));
        QString header;
        compareMagnitudes(csvMagnitudes(csv, header),
                          classicMagnitudes("near_electric.out", engine::NearField::Electric));

        tool.start(QStringLiteral(PROGRAM_DIR "/necdeck"),
                   {"near", "--magnetic", "--points", "2,0,2", "--csv", csv,
                    QStringLiteral(TEST_DATA_DIR "/decks/near_electric.nec")});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 1);
        QCOMPARE(tool.readAllStandardError().trimmed(),
                 QByteArray("Enter at least one point for Near Field Calculations. All points fields must be > 1."));
    }
};

QTEST_MAIN(NearFieldsTest)
#include "tst_nearfields.moc"
