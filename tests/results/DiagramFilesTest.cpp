#include "results/DiagramFiles.h"
#include "results/PatternDiagram.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

using namespace vrnnec;

using namespace results;

namespace {

using testsupport::fileText;

} // namespace

TEST(DiagramFiles, ProposedNamesBesideTheAntennaFile)
{
    const ProposedFile az = proposedFile("/home/op/ant/yagi.vrn", kAzimuthPlotSuffix);
    EXPECT_EQ(az.folder, "/home/op/ant");
    EXPECT_EQ(az.fileName, "yagi_NEC-2 RP_AZ");
    EXPECT_EQ(proposedPath(az), "/home/op/ant/yagi_NEC-2 RP_AZ");
    EXPECT_EQ(proposedFile("/home/op/ant/yagi.vrn", kElevationPlotSuffix).fileName, "yagi_NEC-2 RP_EL");
    EXPECT_EQ(proposedFile("/home/op/ant/yagi.vrn", kResultsTextSuffix).fileName, "yagi_NEC-2 Results");
    // Only the last 4 characters go, whatever they are; dots inside the name stay.
    EXPECT_EQ(proposedFile("/d/my.quad.VRN", kAzimuthPlotSuffix).fileName, "my.quad_NEC-2 RP_AZ");

    // Runs from the deck page have no antenna file.
    const ProposedFile none = proposedFile("", kElevationPlotSuffix);
    EXPECT_EQ(none.folder, "");
    EXPECT_EQ(none.fileName, "_NEC-2 RP_EL");
    EXPECT_EQ(proposedPath(none), "_NEC-2 RP_EL");
    EXPECT_EQ(proposedFile("", kResultsTextSuffix).fileName, "_NEC-2 Results");
}

TEST(DiagramFiles, BitmapsAreWindowsBmpWithTheSamePixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    PatternImages images;
    const std::string az = dir.filePath("yagi_NEC-2 RP_AZ.bmp").toStdString();
    const std::string el = dir.filePath("yagi_NEC-2 RP_EL.bmp").toStdString();
    ASSERT_TRUE(saveDiagramBitmap(images.azimuth, az));
    ASSERT_TRUE(saveDiagramBitmap(images.elevation, el));

    EXPECT_EQ(fileText(az).substr(0, 2), "BM");
    QImage back(QString::fromStdString(el), "BMP");
    ASSERT_EQ(back.size(), QSize(350, 175));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), images.elevation);

    EXPECT_FALSE(saveDiagramBitmap(images.azimuth, dir.filePath("no/such/folder/x.bmp").toStdString()));
}

TEST(DiagramFiles, ResultsTextWithCrLfLines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("r.txt").toStdString();
    {
        std::ofstream old(path);
        old << "an older and much longer text that must disappear\n";
    }
    ASSERT_TRUE(saveResultsText({"Frequency:   14.2  MHz", "---Antenna environment---", "***"}, path));
    EXPECT_EQ(fileText(path), "Frequency:   14.2  MHz\r\n---Antenna environment---\r\n***\r\n");

    const std::string bad = dir.filePath("missing/r.txt").toStdString();
    EXPECT_FALSE(saveResultsText({"x"}, bad));
    EXPECT_FALSE(std::filesystem::exists(bad));
}

// A save that fails (an image that cannot be encoded, a write that breaks off at the
// file size limit as on a full disk) returns false, keeps the earlier file and leaves no
// temporary file behind.
TEST(DiagramFiles, FailedSavesKeepTheEarlierFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("earlier").toStdString();
    const std::string earlier("earlier\0file\r\n", 14);
    PatternImages images;
    const struct {
        const char* what;
        std::function<bool()> save;
        bool savesWithoutTheLimit;
    } cases[] = {
        {"bitmap", [&] { return saveDiagramBitmap(images.azimuth, path); }, true},
        {"results text",
         [&] {
             return saveResultsText({std::string(200, 'x'), "y"}, path);
         },
         true},
        {"null image", [&] { return saveDiagramBitmap(QImage(), path); }, false},
    };
    for (const auto& c : cases) {
        std::ofstream(path, std::ios::binary) << earlier;
        bool saved = true;
        {
            FileSizeLimit limit(64);
            ASSERT_TRUE(limit.active());
            saved = c.save();
        }
        EXPECT_FALSE(saved) << c.what;
        EXPECT_EQ(fileText(path), earlier) << c.what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()), {}), 1) << c.what;

        EXPECT_EQ(c.save(), c.savesWithoutTheLimit) << c.what;
        EXPECT_EQ(fileText(path) != earlier, c.savesWithoutTheLimit) << c.what;
    }
}
