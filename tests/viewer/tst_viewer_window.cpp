// The viewer window under a virtual X server: its controls, its pixels at the positions
// the view transform computes, the redraws of the controls, and its life beside the main
// window (opened by the viewer entries, reloaded by a new reading).
#include "AppTestSupport.h"

#include "WindowControls.h"
#include "engine/ViewerSectionsParse.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerPicture.h"
#include "viewer/ViewerWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QMenu>
#include <QScreen>
#include <QToolTip>
#include <QWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace vrnnec;
using namespace vrnnec::viewer;

namespace {

QString fixture(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/listings/classic/") + QLatin1String(name);
}

Vec3 midpoint(const ViewerModel& m, int segment)
{
    const Vec3& a = m.End1[segment - 1];
    const Vec3& b = m.End2[segment - 1];
    return {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
}

// The pixels of about this colour within `radius` of the position.
int colourCount(const QImage& image, const std::array<double, 2>& at, int radius, QColor colour)
{
    int count = 0;
    for (int y = static_cast<int>(at[1]) - radius; y <= static_cast<int>(at[1]) + radius; ++y)
        for (int x = static_cast<int>(at[0]) - radius; x <= static_cast<int>(at[0]) + radius; ++x)
            if (image.rect().contains(x, y)) {
                const QColor c = image.pixelColor(x, y);
                count += std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
                    && std::abs(c.blue() - colour.blue()) < 40;
            }
    return count;
}

// In the picture's device pixels.
std::array<double, 2> pixelOf(const TFormV& w, const Vec3& p)
{
    const double ratio = w.picture()->devicePixelRatioF();
    const auto at = ProjectToPicture(w.view().matrix(), w.picture()->width(), w.picture()->height(), p[0], p[1], p[2]);
    return {at[0] * ratio, at[1] * ratio};
}

// True when the window's picture has the colour within one pixel of the segment's middle.
bool segmentHasColour(const TFormV& w, int segment, QColor colour)
{
    return colourCount(w.picture()->grabFramebuffer(), pixelOf(w, midpoint(*w.model(), segment)), 1, colour) > 0;
}

struct Shown {
    std::unique_ptr<TFormV> window;
    QStringList messages;
};

Shown show(const char* listing)
{
    Shown s;
    s.window = std::make_unique<TFormV>([&m = s.messages](const QString& text) { m << text; });
    if (s.window->load(engine::ParseViewerSections(fixture(listing).toStdString()))) {
        s.window->show();
        if (!QTest::qWaitForWindowExposed(s.window.get()))
            s.messages << QStringLiteral("the window was never exposed");
    }
    return s;
}

// The main window of a program folder with the listing, and its viewer opened.
TFormV* openViewer(AppTestSupport& support, const char* listing)
{
    TForm1& main = support.createWindow();
    main.show();
    const QString target = QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"));
    QFile::remove(target);
    if (!QFile::copy(fixture(listing), target))
        return nullptr;
    main.ReadEngineOutput();
    WindowControls(main).ViewerCallButton->click();
    TFormV* viewer = main.viewerWindow();
    if (viewer == nullptr || !QTest::qWaitForWindowExposed(viewer))
        return nullptr;
    return viewer;
}

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsFollowTheModel();
    void rotationsChangeOnlyTheMatrix();
    void viewModeRefitsAndResetRestores();
    void openedAndReloadedByTheMainWindow();
    void pictureOfTheCommandLineTool();
    void pictureGrowsWithTheWindow();
    void placeKeptInTheSettingsFile();
    void realViewOutsideOffersTheCentreView();
    void pictureFollowsThePixelRatio();
};

void ViewerWindowTest::controlsFollowTheModel()
{
    Shown s = show("patches.out");
    TFormV& w = *s.window;
    // The currents' controls wait for "Currents"; a model with patches offers its own.
    QVERIFY(!w.ZoomCurTrackBar->isEnabled() && !w.PhaseCurCheckBox->isEnabled());
    QVERIFY(w.ShowPatchesCheckBox->isEnabled() && !w.PatchSizeTrackBar->isEnabled());
    w.ShowCurCheckBox->click();
    QVERIFY(w.ZoomCurTrackBar->isEnabled() && w.PhaseCurCheckBox->isEnabled());
    w.ShowPatchesCheckBox->click();
    QVERIFY(w.PatchSizeTrackBar->isEnabled());

    QCOMPARE(w.WireNViewerComboBox->currentText(), QStringLiteral("1"));
    QCOMPARE(w.WireInfoStaticText->text(), QStringLiteral("Length=5.250; Segments=11; SegLength=0.477; Rad=0.0010"));
    // The wire selection is made canonical.
    w.WireNViewerComboBox->setCurrentText(QStringLiteral(" 7 "));
    w.WireNViewerComboBoxChange();
    QCOMPARE(w.WireNViewerComboBox->currentText(), QStringLiteral("7"));
    QCOMPARE(w.WireInfoStaticText->text(), QString());
    QVERIFY(s.messages.isEmpty());
}

void ViewerWindowTest::rotationsChangeOnlyTheMatrix()
{
    Shown s = show("yagi3_loads.out");
    TFormV& w = *s.window;
    const int builds = w.sceneBuilds();
    const QImage before = w.picture()->grabFramebuffer();
    w.TrackBar1->setValue(20);
    w.UpDownX->setValue(3);
    QCOMPARE(w.sceneBuilds(), builds);
    QVERIFY(w.picture()->grabFramebuffer() != before);
    // The segment under the new transform is where the projection says.
    QVERIFY(segmentHasColour(w, 3, Qt::green));
    w.UpDownX->setValue(0);
    w.TrackBar1->setValue(18);
    QCOMPARE(w.picture()->grabFramebuffer(), before);

    // The user's input reaches the picture's own window: a drag rotates and the wheel
    // zooms through the controls; only the zoom builds the scene anew.
    QWindow* surface = w.picture()->surface();
    QVERIFY(surface != nullptr && surface->isExposed());
    const QPoint to(50 - 3 * ViewerPicture::kDragStep, 50 + ViewerPicture::kDragStep);
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(surface, to);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, to);
    QCOMPARE(w.TrackBar1->value(), 15);
    QCOMPARE(w.TrackBar2->value(), 19);
    QCOMPARE(w.view().rotationZ(), 15);
    QCOMPARE(w.sceneBuilds(), builds);
    for (const auto& [delta, zoom] : {std::pair{240, 12}, std::pair{-120, 11}}) {
        QWheelEvent wheel(QPointF(50, 50), QPointF(), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(surface, &wheel);
        QCOMPARE(w.LSUpDown->value(), zoom);
    }
    QCOMPARE(w.sceneBuilds(), builds + 2);
    QVERIFY(!w.ViewerMenu->isVisible());
    QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(60, 60));
    QTRY_VERIFY(w.ViewerMenu->isVisible());
    w.ViewerMenu->hide();
    // A redraw on the screen at once.
    QVERIFY(w.picture()->redrawNow());
    // Resting over the picture shows the viewer's hint.
    QToolTip::hideText();
    QTest::mouseMove(surface, QPoint(70, 70));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("Red  - Sources, Blue - NT or TL ports, Yellow - Loads."));
    QToolTip::hideText();
}

void ViewerWindowTest::viewModeRefitsAndResetRestores()
{
    Shown s = show("yagi3_loads.out");
    TFormV& w = *s.window;
    const double centreZ = w.model()->End1[0][2];
    w.View3Check->click();
    QVERIFY(w.model()->End1[0][2] > centreZ + 0.1); // the antenna stands 12 m high
    w.TrackBar2->setValue(5);
    w.LSUpDown->setValue(30);
    w.RestoreItemMenu->trigger();
    QCOMPARE(w.TrackBar2->value(), 18);
    QCOMPARE(w.LSUpDown->value(), 10);
    QVERIFY(w.View3Check->isChecked());
    QVERIFY(s.messages.isEmpty());
}

void ViewerWindowTest::openedAndReloadedByTheMainWindow()
{
    AppTestSupport support;
    support.prepare();
    TFormV* viewer = openViewer(support, "dipole_free.out");
    QVERIFY(viewer != nullptr && viewer->isVisible());
    auto* parent = qobject_cast<TForm1*>(viewer->parentWidget());
    QVERIFY(parent != nullptr && parent->isEnabled());
    TForm1& main = *parent;
    QVERIFY(viewer->model()->SegmentCount != 33);

    // A new calculation: the open viewer shows the new antenna.
    const QString listing = QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"));
    QFile::remove(listing);
    QVERIFY(QFile::copy(fixture("yagi3_loads.out"), listing));
    main.ReadEngineOutput();
    QCOMPARE(main.viewerWindow(), viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->model()->SegmentCount, 33);
    QVERIFY(segmentHasColour(*viewer, 17, Qt::red));
    QVERIFY(support.dialogs.messages.isEmpty());

    // The viewer shows the listing of the last reading, read once with it: the file
    // changed since (by another run, or damaged) does not change what it shows.
    QFile file(listing);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("no listing\n");
    file.close();
    main.ReloadViewer();
    QVERIFY(support.dialogs.messages.isEmpty());
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->model()->SegmentCount, 33);

    // Without a reading kept the viewer reads the listing; a reload that fails closes the
    // viewer and drops its model.
    main.session().ViewerLines.reset();
    main.ReloadViewer();
    QCOMPARE(support.dialogs.takeMessages(), QStringList{QStringLiteral("Error reading NEC-2 output!")});
    QVERIFY(!viewer->isVisible());
    QVERIFY(!viewer->hasModel());
}

void ViewerWindowTest::pictureOfTheCommandLineTool()
{
    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("yagi.png"));
    QProcess tool;
    tool.start(QStringLiteral(NECDECK_TOOL),
               {QStringLiteral("view"), QStringLiteral("--png"), png, fixture("yagi3_loads.out")});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(300, 300));
    // The same picture as the window's default view, with the currents.
    Shown s = show("yagi3_loads.out");
    s.window->ShowCurCheckBox->click();
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
             s.window->picture()->grabFramebuffer().convertToFormat(QImage::Format_RGB32));
}

void ViewerWindowTest::pictureGrowsWithTheWindow()
{
    Shown s = show("yagi3_loads.out");
    TFormV& w = *s.window;
    const QWidget* controls[] = {w.TrackBar1, w.View3Check, w.LSUpDown, w.UpDownZ, w.WireNViewerComboBox,
                                 w.ShowCurCheckBox, w.CloseViewerButton, w.PatternCheckBox};
    std::vector<QRect> before;
    for (const QWidget* c : controls)
        before.push_back(c->geometry());
    QCOMPARE(w.picture()->geometry(), QRect(5, 5, 300, 300));

    struct {
        QSize window, picture;
    } sizes[] = {{{700, 800}, {690, 572}}, {{900, 528}, {890, 300}}, {{310, 900}, {300, 672}}, {{310, 528}, {300, 300}}};
    for (const auto& size : sizes) {
        w.resize(size.window);
        QTRY_COMPARE(w.size(), size.window);
        QCOMPARE(w.picture()->size(), size.picture);
        // The controls keep their places under the picture.
        for (std::size_t k = 0; k < before.size(); ++k)
            QCOMPARE(controls[k]->geometry(), before[k].translated(0, size.window.height() - 528));
        QVERIFY(controls[0]->geometry().top() > w.picture()->geometry().bottom());
        // The picture fills the new size, the model where the projection says.
        const QImage image = w.picture()->grabFramebuffer();
        QCOMPARE(image.size(), size.picture * w.picture()->devicePixelRatioF());
        QVERIFY(segmentHasColour(w, 3, Qt::green));
        QVERIFY(segmentHasColour(w, 17, Qt::red));
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 2), QColor(Qt::white));
    }
    // Never smaller than designed.
    w.resize(200, 300);
    QTRY_COMPARE(w.size(), QSize(310, 528));
    QVERIFY(s.messages.isEmpty());
}

void ViewerWindowTest::placeKeptInTheSettingsFile()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect place(screen.topLeft() + QPoint(30, 40), QSize(640, 700).boundedTo(screen.size() - QSize(40, 50)));
    AppTestSupport support;
    support.prepare();
    TFormV* viewer = openViewer(support, "yagi3_loads.out");
    QVERIFY(viewer != nullptr);
    QCOMPARE(viewer->size(), QSize(310, 528));
    viewer->setGeometry(place);
    QTRY_COMPARE(viewer->geometry(), place);
    viewer->parentWidget()->close(); // closing the program writes the settings
    support.destroyWindow();
    QFile settings(support.settingsPath());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QVERIFY(settings.readAll().contains(QStringLiteral("[Window TFormV]\nLeft=%1\nTop=%2\nWidth=%3\nHeight=%4\nMaximized=0\n")
                                            .arg(place.left())
                                            .arg(place.top())
                                            .arg(place.width())
                                            .arg(place.height())
                                            .toUtf8()));
    viewer = openViewer(support, "yagi3_loads.out");
    QVERIFY(viewer != nullptr);
    QTRY_COMPARE(viewer->geometry(), place);
    QCOMPARE(viewer->picture()->size(), QSize(place.width() - 10, place.height() - TFormV::kControlsHeight));
    support.destroyWindow();

    // Saved larger than the screen and beyond it: back whole on the screen; a
    // maximised viewer comes back maximised.
    struct {
        const char* settings;
        bool maximized;
    } saved[] = {{"[Window TFormV]\nLeft=9000\nTop=-300\nWidth=6000\nHeight=5000\nMaximized=0\n", false},
                 {"[Window TFormV]\nLeft=10\nTop=10\nWidth=400\nHeight=600\nMaximized=1\n", true}};
    for (const auto& c : saved) {
        support.prepare(c.settings);
        viewer = openViewer(support, "yagi3_loads.out");
        QVERIFY(viewer != nullptr);
        QVERIFY(screen.contains(viewer->geometry()));
        QCOMPARE(viewer->isMaximized(), c.maximized);
        QVERIFY(viewer->picture()->width() >= 300);
        support.destroyWindow();
    }
}

void ViewerWindowTest::realViewOutsideOffersTheCentreView()
{
    AppTestSupport support;
    support.prepare();
    const QString question = QStringLiteral("The antenna lies outside the picture in the real view. Show the centre view?");
    const auto asked = [&] {
        QStringList texts;
        for (const auto& q : support.dialogs.questions)
            texts << q.text;
        return texts;
    };
    // A dipole in free space stands at the origin: no question.
    TFormV* viewer = openViewer(support, "dipole_free.out");
    QVERIFY(viewer != nullptr);
    viewer->View3Check->click();
    QCOMPARE(viewer->viewMode(), ViewMode::RealView);
    QCOMPARE(asked(), QStringList());
    // Moved out of sight by the Z shift, the real view picked again: "No" keeps it.
    viewer->UpDownZ->setValue(60);
    viewer->View3Check->click();
    QCOMPARE(asked(), QStringList{question});
    QVERIFY(viewer->View3Check->isChecked());

    // The Yagi stands 12 m high, far above the picture in the real view.
    support.dialogs = ScriptedDialogs();
    viewer = openViewer(support, "yagi3_loads.out");
    QVERIFY(viewer != nullptr);
    viewer->View3Check->click();
    QCOMPARE(asked(), QStringList{question});
    QVERIFY(support.dialogs.questions.last().buttons == UserDialogs::Buttons::YesNo);
    QCOMPARE(viewer->viewMode(), ViewMode::RealView);
    QVERIFY(BoxOf(*viewer->model()).low[2] > 0.5);
    // "Yes" shows the centre view.
    support.dialogs.answers = {UserDialogs::Answer::Yes};
    viewer->View3Check->click();
    QCOMPARE(asked().size(), 2);
    QVERIFY(viewer->View1Check->isChecked());
    QCOMPARE(viewer->viewMode(), ViewMode::Center);
    const StructureBox box = BoxOf(*viewer->model());
    for (int a = 0; a < 3; ++a)
        QVERIFY(std::abs(box.low[a] + box.high[a]) < 1e-6); // centred on the origin
    // The centre view itself never asks.
    viewer->View1Check->click();
    QCOMPARE(asked().size(), 2);
    QVERIFY(support.dialogs.messages.isEmpty());
}

// Run with QT_SCALE_FACTOR=2 as well: the framebuffer has the device pixels, and lines
// and points keep their size on the screen.
void ViewerWindowTest::pictureFollowsThePixelRatio()
{
    Shown s = show("yagi3_loads.out");
    Shown ports = show("network_tl.out");
    struct {
        const TFormV& window;
        int segment;
        QColor colour;
    } marks[] = {{*s.window, 25, Qt::black}, // wires not selected
                 {*s.window, 14, Qt::black},
                 {*s.window, 28, Qt::yellow}, // a load on the 6th segment of wire 3
                 {*ports.window, 32, Qt::blue}}; // a port of a network or transmission line
    for (const auto& mark : marks)
        QVERIFY2(segmentHasColour(mark.window, mark.segment, mark.colour), qPrintable(QString::number(mark.segment)));
    TFormV& w = *s.window;
    const double ratio = w.picture()->devicePixelRatioF();
    const QImage image = w.picture()->grabFramebuffer();
    QCOMPARE(image.size(), QSize(300, 300) * ratio);
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    // The 5-pixel source point: about 20 device pixels at ratio 1, 80 at ratio 2.
    const int red = colourCount(image, pixelOf(w, midpoint(*w.model(), 17)), static_cast<int>(5 * ratio), Qt::red);
    QVERIFY2(red >= 12 * ratio * ratio && red <= 36 * ratio * ratio, qPrintable(QString::number(red)));
    QVERIFY(s.messages.isEmpty());
}

QTEST_MAIN(ViewerWindowTest)
#include "tst_viewer_window.moc"
