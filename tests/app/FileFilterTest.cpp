#include "app/FileFilter.h"

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

std::string joined(const QStringList& list)
{
    return list.join(QStringLiteral(" ;; ")).toStdString();
}

TEST(FileFilter, PairsBecomeNameFilters)
{
    EXPECT_EQ(joined(filefilter::nameFilters(QStringLiteral("VORNA files|*.vrn"))), "VORNA files (*.vrn)");
    EXPECT_EQ(joined(filefilter::nameFilters(
                  QStringLiteral("NEC-2 for VORNA engine input file|*.wcf|Code files NEC-2|*.nec|All files|*.*"))),
              "NEC-2 for VORNA engine input file (*.wcf) ;; Code files NEC-2 (*.nec) ;; All files (*.*)");
    EXPECT_EQ(joined(filefilter::nameFilters(QStringLiteral("NEC-2 Green function file|Ngf2d.nec"))),
              "NEC-2 Green function file (Ngf2d.nec)");
}

TEST(FileFilter, PatternsAlreadyInTheDescriptionAreNotRepeated)
{
    EXPECT_EQ(joined(filefilter::nameFilters(QStringLiteral("Diagram bitmap file (*.bmp)|*.bmp"))),
              "Diagram bitmap file (*.bmp)");
    EXPECT_EQ(joined(filefilter::nameFilters(QStringLiteral("Decks|*.wcf;*.nec"))), "Decks (*.wcf *.nec)");
}

TEST(FileFilter, DescriptionWithoutPatternIsDropped)
{
    EXPECT_EQ(joined(filefilter::nameFilters(QStringLiteral("VORNA files|*.vrn|Dangling"))), "VORNA files (*.vrn)");
    EXPECT_TRUE(filefilter::nameFilters(QString()).isEmpty());
}

TEST(FileFilter, DefaultSuffixLosesStarAndPoint)
{
    EXPECT_EQ(filefilter::plainSuffix(QStringLiteral("*.bmp")).toStdString(), "bmp");
    EXPECT_EQ(filefilter::plainSuffix(QStringLiteral(".txt")).toStdString(), "txt");
    EXPECT_EQ(filefilter::plainSuffix(QStringLiteral("csv")).toStdString(), "csv");
}

} // namespace
