#include "ListingFixture.h"

#include "results/CurrentsCsv.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vrnnec;

using namespace results;
using fixture::currentRow;

namespace {

using testsupport::fileText;

std::vector<std::string> splitCrLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

std::size_t entriesIn(const std::string& folder)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()));
}

const std::string kExampleRow = currentRow(3, 1, 0.0, 0.0, 0.2398, 0.04627, 1.4e-2, -7.4883e-3, 1.5877e-2, -28.142);

} // namespace

TEST(CurrentsCsv, ExampleRow)
{
    std::string line;
    ASSERT_TRUE(currentsCsvLine(engine::ReadCurrentRow(kExampleRow), 21.112, line));
    EXPECT_EQ(line, "1,3,0,0,5.0626576,1.400000E-02,-7.488300E-03,1.587700E-02,-28.142");
}

TEST(CurrentsCsv, SampleDipoleWrites22Lines)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto rows = fixture::currents("classic/dipole_free.out");
    ASSERT_EQ(rows.size(), 21u);
    const std::string path = dir.filePath("dipole.csv").toStdString();
    EXPECT_EQ(exportCurrents(rows, 20.0, path), "");
    const auto lines = splitCrLf(fileText(path));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "WIRE,PULSE,X(m),Y(m),Z(m),REAL(A),IMAGINARY(A),MAGNITUDE(A),PHASE(DEG)");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 8) << lines[i];
        EXPECT_EQ(lines[i].rfind("1," + std::to_string(i) + ",", 0), 0u) << lines[i];
    }
    EXPECT_EQ(entriesIn(dir.path().toStdString()), 1u); // no temporary file left
}

TEST(CurrentsCsv, FailedExportKeepsTheEarlierFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("currents.csv").toStdString();
    {
        std::ofstream earlier(path, std::ios::binary);
        earlier << "earlier export\r\n";
    }
    std::vector<std::string> rows{kExampleRow, kExampleRow};
    rows[1].replace(84, 9, "   ******");
    EXPECT_EQ(exportCurrents(fixture::currentRows(rows), 21.112, path),
              "Invalid CURRENT data in NEC-2 output. See Nec-2 output file for details.");
    EXPECT_EQ(fileText(path), "earlier export\r\n");
    EXPECT_EQ(entriesIn(dir.path().toStdString()), 1u);

    // Without an earlier file nothing is left at all.
    const std::string fresh = dir.filePath("fresh.csv").toStdString();
    EXPECT_NE(exportCurrents(fixture::currentRows(rows), 21.112, fresh), "");
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(entriesIn(dir.path().toStdString()), 1u);

    // A good export replaces the earlier file.
    EXPECT_EQ(exportCurrents(fixture::currentRows({kExampleRow}), 21.112, path), "");
    EXPECT_EQ(fileText(path),
              "WIRE,PULSE,X(m),Y(m),Z(m),REAL(A),IMAGINARY(A),MAGNITUDE(A),PHASE(DEG)\r\n"
              "1,3,0,0,5.0626576,1.400000E-02,-7.488300E-03,1.587700E-02,-28.142\r\n");
}

TEST(CurrentsCsv, OtherMessages)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("c.csv").toStdString();
    EXPECT_EQ(exportCurrents({}, 20.0, path), "CURRENTS data not found.");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(exportCurrents(fixture::currentRows({kExampleRow}), 20.0, dir.filePath("none/c.csv").toStdString()),
              "Error opening file to save currents.");

    // Every field is checked: tag, segment, coordinates, current parts and phase.
    for (const auto& [from, width] : std::vector<std::pair<int, int>>{
             {1, 5}, {6, 5}, {11, 9}, {20, 9}, {29, 9}, {48, 12}, {61, 11}, {72, 12}, {84, 9}}) {
        std::string row = kExampleRow;
        row.replace(static_cast<std::size_t>(from), static_cast<std::size_t>(width),
                    std::string(static_cast<std::size_t>(width), ' '));
        std::string line;
        EXPECT_FALSE(currentsCsvLine(engine::ReadCurrentRow(row), 20.0, line)) << "blank field at " << from + 1;
    }
}
