// The diagrams on a screen of more device pixels per pixel: run as it is and with
// QT_SCALE_FACTOR=2. The page shows pictures drawn at the screen's density, at the size
// of the bitmaps; the bitmaps the program saves keep their pixels.
#include "AppTestSupport.h"

#include "app/RPPlotsPage.h"

#include <QLabel>
#include <QtTest>

namespace {

int pixelsLike(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb();
    return count;
}

} // namespace

class HighDpiTest : public QObject {
    Q_OBJECT
private slots:
    void diagramsFollowThePixelRatio()
    {
        AppTestSupport support;
        support.prepare();
        TForm1& window = support.createWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(QFile::copy(QStringLiteral(TEST_DATA_DIR "/listings/classic/dipole_free.out"),
                            QDir(support.folder()).filePath(QStringLiteral("Outdata.txo"))));
        window.ReadEngineOutput();
        QVERIFY(support.dialogs.messages.isEmpty());

        const double ratio = window.devicePixelRatioF();
        QVERIFY(ratio == 1 || qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2"));
        if (qEnvironmentVariable("QT_SCALE_FACTOR") == QStringLiteral("2"))
            QCOMPARE(ratio, 2.0);
        struct {
            const char* label;
            QSize size;
        } diagrams[] = {{"Diagr", {350, 350}}, {"DiagrElev", {350, 175}}};
        const results::PatternImages& bitmaps = window.findChild<RPPlotsPage*>()->diagrams();
        QCOMPARE(bitmaps.azimuth.size(), QSize(350, 350));
        QCOMPARE(bitmaps.elevation.size(), QSize(350, 175));
        const QImage* saved[] = {&bitmaps.azimuth, &bitmaps.elevation};
        for (int k = 0; k < 2; ++k) {
            auto* label = window.findChild<QLabel*>(QString::fromLatin1(diagrams[k].label));
            QVERIFY(label != nullptr);
            const QPixmap shown = label->pixmap();
            QCOMPARE(shown.devicePixelRatio(), ratio);
            QCOMPARE(shown.size(), diagrams[k].size * ratio);
            QCOMPARE(shown.deviceIndependentSize().toSize(), diagrams[k].size);
            // The blue curve of the total gain, about as long at the density as in the
            // bitmap (and wider).
            const int shownBlue = pixelsLike(shown.toImage(), results::totalCurveColour());
            const int savedBlue = pixelsLike(*saved[k], results::totalCurveColour());
            QVERIFY(savedBlue > 100);
            QVERIFY2(shownBlue >= savedBlue * ratio * 0.5, qPrintable(QStringLiteral("%1 %2").arg(shownBlue).arg(savedBlue)));
        }
    }
};

QTEST_MAIN(HighDpiTest)
#include "tst_highdpi.moc"
