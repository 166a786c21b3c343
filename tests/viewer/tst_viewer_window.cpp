// The viewer window under a virtual X server: its controls, its pixels at the positions
// the view transform computes, the redraws of the controls, and its life beside the main
// window (opened by the viewer entries, reloaded by a new reading).
#include "AppTestSupport.h"

#include "app/MainWindowControls.h"
#include "engine/ViewerSectionsParse.h"
#include "viewer/ViewerPicture.h"
#include "viewer/ViewerWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
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

engine::ViewerSections sections(const char* name)
{
    return engine::ParseViewerSections(fixture(name).toStdString());
}

Vec3 midpoint(const ViewerModel& m, int segment)
{
    const Vec3& a = m.End1[segment - 1];
    const Vec3& b = m.End2[segment - 1];
    return {(a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2};
}

// True when a pixel within one of the position has the colour.
bool colourNear(const QImage& image, const std::array<double, 2>& at, QColor colour)
{
    const int cx = static_cast<int>(at[0]), cy = static_cast<int>(at[1]);
    for (int y = cy - 1; y <= cy + 1; ++y)
        for (int x = cx - 1; x <= cx + 1; ++x) {
            if (!image.rect().contains(x, y))
                continue;
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40
                && std::abs(c.blue() - colour.blue()) < 40)
                return true;
        }
    return false;
}

struct Shown {
    std::unique_ptr<TFormV> window;
    QStringList messages;
};

Shown show(const char* listing)
{
    Shown s;
    s.window = std::make_unique<TFormV>([&m = s.messages](const QString& text) { m << text; });
    if (s.window->load(sections(listing))) {
        s.window->show();
        if (!QTest::qWaitForWindowExposed(s.window.get()))
            s.messages << QStringLiteral("the window was never exposed");
    }
    return s;
}

std::array<double, 2> pixelOf(const TFormV& w, const Vec3& p)
{
    const int side = w.picture()->width();
    return ProjectToPixel(w.view().matrix(), Viewport{0, 0, side}, side, p[0], p[1], p[2]);
}

} // namespace

class ViewerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAsDesigned();
    void pixelsAtProjectedPositions();
    void rotationsChangeOnlyTheMatrix();
    void viewModeRefitsAndResetRestores();
    void openedAndReloadedByTheMainWindow();
    void pictureOfTheCommandLineTool();
};

void ViewerWindowTest::controlsAsDesigned()
{
    Shown s = show("patches.out");
    TFormV& w = *s.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("NEC-2 viewer"));
    QCOMPARE(w.toolTip(), QStringLiteral("Red  - Sources, Blue - NT or TL ports, Yellow - Loads."));
    QCOMPARE(w.size(), QSize(310, 528)); // the pattern row below the specified controls
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    struct Slider {
        QSlider* control;
        const char* name;
        const char* hint;
        int maximum, position;
        bool enabled;
    } sliders[] = {{w.TrackBar1, "TrackBar1", "Rotation along  Z axis", 36, 18, true},
                   {w.TrackBar2, "TrackBar2", "Rotation in X-Y plane", 36, 18, true},
                   {w.ZoomCurTrackBar, "ZoomCurTrackBar", "Zoom currents", 20, 10, false},
                   {w.PatchSizeTrackBar, "PatchSizeTrackBar", "Zoom patches", 20, 10, false}};
    for (const Slider& c : sliders) {
        QCOMPARE(c.control->objectName(), QString::fromLatin1(c.name));
        QCOMPARE(c.control->toolTip(), QString::fromLatin1(c.hint));
        QCOMPARE(c.control->minimum(), 0);
        QCOMPARE(c.control->maximum(), c.maximum);
        QCOMPARE(c.control->value(), c.position);
        QCOMPARE(c.control->isEnabled(), c.enabled);
    }
    struct UpDown {
        QSpinBox* control;
        const char* hint;
        int minimum, maximum, position;
    } upDowns[] = {{w.LSUpDown, "Zoom image", 0, 200, 10},
                   {w.UpDownX, "X translation", -10000, 10000, 0},
                   {w.UpDownY, "Y translation", -10000, 10000, 0},
                   {w.UpDownZ, "Z translation", -10000, 10000, 0}};
    for (const UpDown& c : upDowns) {
        QCOMPARE(c.control->toolTip(), QString::fromLatin1(c.hint));
        QCOMPARE(c.control->minimum(), c.minimum);
        QCOMPARE(c.control->maximum(), c.maximum);
        QCOMPARE(c.control->value(), c.position);
    }
    struct Check {
        QAbstractButton* control;
        const char* caption;
        const char* hint;
        bool checked, enabled;
    } checks[] = {{w.View1Check, "Center", "Center of antenna at X,Y,Z=0", true, true},
                  {w.View2Check, "Z adjusted", "Image begin at Z=0", false, true},
                  {w.View3Check, "Real view", "Real view of antenna including height", false, true},
                  {w.ShowCurCheckBox, "Currents", "Show currents", false, true},
                  {w.PhaseCurCheckBox, "Phase", "Show currents with phase", false, false},
                  // A model with patches enables "Show patches".
                  {w.ShowPatchesCheckBox, "Show patches", "", false, true},
                  {w.CloseViewerButton, "Close", "", false, true}};
    for (const Check& c : checks) {
        QCOMPARE(c.control->text(), QString::fromLatin1(c.caption));
        QCOMPARE(c.control->toolTip(), QString::fromLatin1(c.hint));
        QCOMPARE(c.control->isChecked(), c.checked);
        QCOMPARE(c.control->isEnabled(), c.enabled);
    }
    QCOMPARE(w.WireNViewerComboBox->toolTip(), QStringLiteral("Wire (tag)"));
    QCOMPARE(w.WireInfoStaticText->toolTip(), QStringLiteral("Wire parameters (in meters)"));
    QCOMPARE(w.WireNViewerComboBox->currentText(), QStringLiteral("1"));
    QCOMPARE(w.WireInfoStaticText->text(), QStringLiteral("Length=5.250; Segments=11; SegLength=0.477; Rad=0.0010"));
    QCOMPARE(w.RestoreItemMenu->text(), QStringLiteral("Reset"));

    w.ShowCurCheckBox->click();
    QVERIFY(w.ZoomCurTrackBar->isEnabled());
    QVERIFY(w.PhaseCurCheckBox->isEnabled());
    w.ShowPatchesCheckBox->click();
    QVERIFY(w.PatchSizeTrackBar->isEnabled());

    // The wire selection is made canonical.
    w.WireNViewerComboBox->setCurrentText(QStringLiteral(" 7 "));
    w.WireNViewerComboBoxChange();
    QCOMPARE(w.WireNViewerComboBox->currentText(), QStringLiteral("7"));
    QCOMPARE(w.WireInfoStaticText->text(), QString());
    QVERIFY(s.messages.isEmpty());
}

void ViewerWindowTest::pixelsAtProjectedPositions()
{
    Shown s = show("yagi3_loads.out");
    QVERIFY(s.messages.isEmpty());
    const TFormV& w = *s.window;
    const ViewerModel& m = *w.model();
    const QImage image = w.picture()->grabFramebuffer();
    QCOMPARE(image.size(), QSize(300, 300));
    // Wire 1 is selected (green); the source and a load on the 6th segments of wires 2
    // and 3 (segments 17 and 28).
    QVERIFY(colourNear(image, pixelOf(w, midpoint(m, 3)), Qt::green));
    QVERIFY(colourNear(image, pixelOf(w, midpoint(m, 25)), Qt::black));
    QVERIFY(colourNear(image, pixelOf(w, midpoint(m, 14)), Qt::black));
    QVERIFY(colourNear(image, pixelOf(w, midpoint(m, 17)), Qt::red));
    QVERIFY(colourNear(image, pixelOf(w, midpoint(m, 28)), Qt::yellow));
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(297, 297), QColor(Qt::white));

    Shown ports = show("network_tl.out");
    const QImage portImage = ports.window->picture()->grabFramebuffer();
    QVERIFY(colourNear(portImage, pixelOf(*ports.window, midpoint(*ports.window->model(), 32)), Qt::blue));
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
    QVERIFY(colourNear(w.picture()->grabFramebuffer(), pixelOf(w, midpoint(*w.model(), 3)), Qt::green));
    w.UpDownX->setValue(0);
    w.TrackBar1->setValue(18);
    QCOMPARE(w.picture()->grabFramebuffer(), before);

    // A drag rotates and the wheel zooms through the controls.
    QTest::mousePress(w.picture(), Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(100 + 2 * ViewerPicture::kDragStep, 100), QPointF(), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.picture(), &move);
    QCOMPARE(w.TrackBar1->value(), 20);
    QCOMPARE(w.view().rotationZ(), 20);
    QWheelEvent wheel(QPointF(100, 100), QPointF(), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(w.picture(), &wheel);
    QCOMPARE(w.LSUpDown->value(), 12);
    QCOMPARE(w.sceneBuilds(), builds + 1);
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
    TForm1& main = support.createWindow();
    main.show();
    const QString listing = QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"));
    QVERIFY(QFile::copy(fixture("dipole_free.out"), listing));
    main.ReadEngineOutput();
    QVERIFY(main.ui().ViewerCallButton->isEnabled());
    main.ui().ViewerCallButton->click();
    TFormV* viewer = main.viewerWindow();
    QVERIFY(viewer != nullptr && viewer->isVisible());
    QVERIFY(main.isEnabled());
    const int dipoleSegments = viewer->model()->SegmentCount;

    // A new calculation: the open viewer shows the new antenna.
    QFile::remove(listing);
    QVERIFY(QFile::copy(fixture("yagi3_loads.out"), listing));
    main.ReadEngineOutput();
    QCOMPARE(main.viewerWindow(), viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->model()->SegmentCount, 33);
    QVERIFY(dipoleSegments != 33);
    QVERIFY(
        colourNear(viewer->picture()->grabFramebuffer(), pixelOf(*viewer, midpoint(*viewer->model(), 17)), Qt::red));
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

QTEST_MAIN(ViewerWindowTest)
#include "tst_viewer_window.moc"
