// The pattern of the viewer: "Pattern" runs the last calculation's deck with the full
// pattern card and draws the surface with the wires; a wrong step, a failed or stopped
// run say why and leave the wires view. With a stand-in run and with the real engine
// through the main window, under a virtual X server.
#include "AppTestSupport.h"
#include "ProgramFolder.h"

#include "WindowControls.h"
#include "engine/PatternDeck.h"
#include "engine/ViewerSectionsParse.h"
#include "viewer/ViewerPicture.h"
#include "viewer/ViewerWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrnnec;
using namespace vrnnec::viewer;

namespace {

QString data(const QString& relative)
{
    return QStringLiteral(TEST_DATA_DIR "/") + relative;
}

std::vector<std::string> deckLines(const QString& path)
{
    QFile file(path);
    std::vector<std::string> lines;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                lines.push_back(line.trimmed().toStdString());
    return lines;
}

// A stand-in for the program's run: records the requests and answers with the parse of
// a pattern listing, or with the outcome given.
struct FakeRuns {
    std::vector<engine::CalculationRequest> requests;
    engine::CalculationOutcome outcome = engine::CalculationOutcome::Finished;
    std::string message;
    QString listing = data(QStringLiteral("pattern/dipole_free_15.out"));

    PatternRunHook hook()
    {
        PatternRunHook h;
        h.lastDeck = [] { return std::optional(deckLines(data(QStringLiteral("decks/dipole_free.nec")))); };
        h.run = [this](engine::CalculationRequest request) {
            requests.push_back(request);
            engine::CalculationResult result;
            result.outcome = outcome;
            result.message = message;
            if (outcome == engine::CalculationOutcome::Finished)
                result.listing = engine::ParseListing(listing.toStdString(), request.parse);
            return result;
        };
        return h;
    }
};

struct Shown {
    std::unique_ptr<TFormV> window;
    QStringList messages;
};

std::unique_ptr<Shown> show(FakeRuns& runs)
{
    auto s = std::make_unique<Shown>();
    s->window = std::make_unique<TFormV>([m = &s->messages](const QString& text) { *m << text; });
    s->window->setPatternRunHook(runs.hook());
    const std::string listing = data(QStringLiteral("listings/classic/dipole_free.out")).toStdString();
    if (s->window->load(engine::ParseViewerSections(listing))) {
        s->window->show();
        if (!QTest::qWaitForWindowExposed(s->window.get()))
            s->messages << QStringLiteral("the window was never exposed");
    }
    return s;
}

std::array<double, 2> pixelOf(const TFormV& w, const Vec3& p)
{
    const int side = w.picture()->width();
    return ProjectToPixel(w.view().matrix(), Viewport{0, 0, side}, side, p[0], p[1], p[2]);
}

// The colour of the pixel nearest to `at` that is not white.
bool reddishNear(const QImage& image, const std::array<double, 2>& at)
{
    for (int y = static_cast<int>(at[1]) - 2; y <= static_cast<int>(at[1]) + 2; ++y)
        for (int x = static_cast<int>(at[0]) - 2; x <= static_cast<int>(at[0]) + 2; ++x) {
            if (!image.rect().contains(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 90 && c.blue() < 90)
                return true;
        }
    return false;
}

} // namespace

class ViewerPatternTest : public QObject {
    Q_OBJECT
private slots:
    void controlsBesideTheSpecifiedOnes()
    {
        FakeRuns runs;
        auto s = show(runs);
        TFormV& w = *s->window;
        QCOMPARE(w.size(), QSize(310, 528));
        QCOMPARE(w.PatternCheckBox->text(), QStringLiteral("Pattern"));
        QVERIFY(!w.PatternCheckBox->isChecked());
        QCOMPARE(w.PatternStepField->text(), QStringLiteral("5"));
        QCOMPARE(w.PatternInfoStaticText->text(), QString());
        // The specified controls keep their places.
        QCOMPARE(w.CloseViewerButton->geometry(), QRect(230, 446, 75, 26));
        QCOMPARE(w.picture()->geometry(), QRect(5, 5, 300, 300));
        QVERIFY(runs.requests.empty());
    }

    void tickingRunsTheFullPatternAndDrawsTheSurface()
    {
        FakeRuns runs;
        auto s = show(runs);
        TFormV& w = *s->window;
        const QImage wires = w.picture()->grabFramebuffer();
        w.PatternStepField->setText(QStringLiteral(" 15 "));
        w.PatternCheckBox->click();
        QCOMPARE(s->messages, QStringList());
        QCOMPARE(runs.requests.size(), 1u);
        const engine::CalculationRequest& request = runs.requests.front();
        QVERIFY(request.auxiliary);
        QVERIFY(request.parse.fullPattern);
        QVERIFY(request.deckText->find("\r\nRP 0 13 24 1000 0 0 15 15\r\nEN\r\n") != std::string::npos);
        QVERIFY(request.deckText->find("RP 0 181") == std::string::npos);
        QVERIFY(w.PatternCheckBox->isChecked());
        QVERIFY(w.pattern() != nullptr);
        QCOMPARE(w.PatternInfoStaticText->text(), QString::fromStdString(PatternMaxText(*w.pattern())));
        QVERIFY(w.PatternInfoStaticText->text().startsWith(QStringLiteral("Max Gain: 2.15 dBi at theta ")));

        // The zenith of the surface (the maximum: red) stands above the structure's centre
        // and moves with a rotation, which builds no new scene.
        const Vec3 centre = StructureCentre(*w.model());
        const Vec3 zenith{centre[0], centre[1], centre[2] + kPatternViewRadius};
        QImage image = w.picture()->grabFramebuffer();
        QVERIFY(image != wires);
        QVERIFY(reddishNear(image, pixelOf(w, zenith)));
        // The translucent faces leave the picture opaque (the window composes it).
        int translucent = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                translucent += image.pixelColor(x, y).alpha() != 255;
        QCOMPARE(translucent, 0);
        const int builds = w.sceneBuilds();
        w.TrackBar2->setValue(22);
        QCOMPARE(w.sceneBuilds(), builds);
        image = w.picture()->grabFramebuffer();
        QVERIFY(reddishNear(image, pixelOf(w, zenith)));
        // The zoom scales wires and surface together.
        w.LSUpDown->setValue(5);
        const Vec3 halfZenith{zenith[0] / 2, zenith[1] / 2, zenith[2] / 2};
        QVERIFY(reddishNear(w.picture()->grabFramebuffer(), pixelOf(w, halfZenith)));
        w.LSUpDown->setValue(10);
        w.TrackBar2->setValue(18);

        // Unticking drops the surface: the wires view as before.
        w.PatternCheckBox->click();
        QVERIFY(w.pattern() == nullptr);
        QCOMPARE(w.PatternInfoStaticText->text(), QString());
        QCOMPARE(w.picture()->grabFramebuffer(), wires);
    }

    void refusalsAndFailuresLeaveTheWiresView()
    {
        struct Case {
            const char* name;
            QString step;
            engine::CalculationOutcome outcome;
            std::string message;
            QString expected;
            std::size_t runs;
        };
        const Case cases[] = {
            {"a step not dividing 90", QStringLiteral("7"), engine::CalculationOutcome::Finished, "",
             QString::fromLatin1(engine::kPatternStepMessage), 0},
            {"a step above 30", QStringLiteral("45"), engine::CalculationOutcome::Finished, "",
             QString::fromLatin1(engine::kPatternStepMessage), 0},
            {"no number", QStringLiteral("five"), engine::CalculationOutcome::Finished, "",
             QString::fromLatin1(engine::kPatternStepMessage), 0},
            {"a stopped run", QStringLiteral("5"), engine::CalculationOutcome::Stopped, engine::kStoppedMessage,
             QString::fromLatin1(engine::kStoppedMessage), 1},
            {"a failed engine", QStringLiteral("5"), engine::CalculationOutcome::EngineFailed,
             engine::kUnableToStartMessage, QString::fromLatin1(engine::kUnableToStartMessage), 1},
        };
        for (const Case& c : cases) {
            FakeRuns runs;
            runs.outcome = c.outcome;
            runs.message = c.message;
            auto s = show(runs);
            TFormV& w = *s->window;
            const QImage wires = w.picture()->grabFramebuffer();
            w.PatternStepField->setText(c.step);
            w.PatternCheckBox->click();
            QVERIFY2(s->messages == QStringList{c.expected}, c.name);
            QVERIFY2(runs.requests.size() == c.runs, c.name);
            QVERIFY2(!w.PatternCheckBox->isChecked(), c.name);
            QVERIFY2(w.pattern() == nullptr, c.name);
            QVERIFY2(w.picture()->grabFramebuffer() == wires, c.name);
        }
        // A listing whose pattern table does not read.
        FakeRuns runs;
        runs.listing = data(QStringLiteral("listings/classic/dipole_free.out"));
        auto s = show(runs);
        s->window->PatternCheckBox->click();
        QCOMPARE(s->messages.size(), 1);
        QVERIFY(s->window->pattern() == nullptr);
    }

    void pictureOfTheCommandLineTool()
    {
        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("pattern.png"));
        QProcess tool;
        tool.start(QStringLiteral(PROGRAM_DIR "/necdeck"),
                   {QStringLiteral("pattern"), QStringLiteral("--step"), QStringLiteral("15"), QStringLiteral("--png"),
                    png, data(QStringLiteral("decks/dipole_free.nec"))});
        QVERIFY(tool.waitForFinished(120000));
        QCOMPARE(tool.exitCode(), 0);
        const QImage image(png);
        QCOMPARE(image.size(), QSize(300, 300));
        // The window's picture of the same deck's pattern: centre view, currents off.
        FakeRuns runs;
        auto s = show(runs);
        s->window->PatternStepField->setText(QStringLiteral("15"));
        s->window->PatternCheckBox->click();
        QVERIFY(s->window->pattern() != nullptr);
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                 s->window->picture()->grabFramebuffer().convertToFormat(QImage::Format_RGB32));
    }

    void theMainWindowRunsTheLastCalculationsDeck()
    {
        AppTestSupport support;
        support.prepare();
        QVERIFY(e2e::installEngine(support.folder()));
        const QDir folder(support.folder());
        QVERIFY(QFile::copy(data(QStringLiteral("decks/dipole_perfect.nec")),
                            folder.filePath(QStringLiteral("Indata.txo"))));
        QVERIFY(QFile::copy(data(QStringLiteral("listings/classic/dipole_perfect.out")),
                            folder.filePath(QStringLiteral("Outdata.txo"))));
        TForm1& main = support.createWindow();
        main.show();
        main.ReadEngineOutput();
        WindowControls(main).ViewerCallButton->click();
        TFormV* viewer = main.viewerWindow();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        viewer->PatternStepField->setText(QStringLiteral("15"));
        viewer->PatternCheckBox->click();
        QCOMPARE(support.dialogs.messages, QStringList());
        QVERIFY(viewer->pattern() != nullptr);
        // Over ground: the upper half, 7 rings of 24 directions.
        QVERIFY(viewer->pattern()->upperHalfOnly);
        QCOMPARE(viewer->PatternInfoStaticText->text(),
                 QStringLiteral("Max Gain: 7.92 dBi at theta 60 deg, phi 0 deg"));
        // In a comma locale the number the user reads takes the comma.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        viewer->PatternCheckBox->click();
        viewer->PatternCheckBox->click();
        QCOMPARE(viewer->PatternInfoStaticText->text(),
                 QStringLiteral("Max Gain: 7,92 dBi at theta 60 deg, phi 0 deg"));
        // The deck of the last calculation stays; the pattern deck is the auxiliary one.
        QFile aux(folder.filePath(QStringLiteral("IndataGN.txo")));
        QVERIFY(aux.open(QIODevice::ReadOnly));
        QVERIFY(aux.readAll().contains("RP 0 7 24 1000 0 0 15 15\r\nEN"));
        QFile deck(folder.filePath(QStringLiteral("Indata.txo")));
        QVERIFY(deck.open(QIODevice::ReadOnly));
        QVERIFY(deck.readAll().contains("RP 0 181 1 1000"));
    }
};

QTEST_MAIN(ViewerPatternTest)
#include "tst_viewerpattern.moc"
