// Where the user works, in the settings file: window places, folders per kind of file
// and the recent files.
#include "app/UnitHints.h"
#include "app/WorkPlaces.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::workplaces;

namespace {

TEST(WorkPlaces, GeometryRoundTripAndBadEntries)
{
    IniFile ini;
    ini.parse("[Ground Settings]\nEPS=13\n");
    const Geometry saved{{-30, 40, 1200, 800}, true};
    writeGeometry(ini, "TEditForm", saved);
    EXPECT_EQ(readGeometry(ini, "TEditForm"), saved);
    EXPECT_EQ(ini.readString("Ground Settings", "EPS", ""), "13");
    EXPECT_FALSE(readGeometry(ini, "TForm1"));

    const struct {
        const char* text;
        bool readable;
    } cases[] = {
        {"[Window W]\nLeft=1\nTop=2\nWidth=300\nHeight=200\n", true},
        {"[Window W]\nLeft=1\nTop=2\nWidth=300\n", false},
        {"[Window W]\nLeft=1\nTop=2\nWidth=300\nHeight=2x\n", false},
        {"[Window W]\nLeft=1\nTop=2\nWidth=0\nHeight=200\n", false},
        {"[Window W]\nLeft=1\nTop=2\nWidth=300\nHeight=-5\n", false},
        {"[Window W]\nLeft=1\nTop=2\nWidth=99999999999\nHeight=200\n", false},
        {"[window w]\nleft=1\ntop=2\nwidth=300\nheight=200\nMaximized=yes\n", true},
    };
    for (const auto& c : cases) {
        IniFile read;
        read.parse(c.text);
        const auto geometry = readGeometry(read, "W");
        EXPECT_EQ(geometry.has_value(), c.readable) << c.text;
        if (geometry) {
            EXPECT_FALSE(geometry->maximized) << c.text;
        }
    }
}

TEST(WorkPlaces, PlacesAreClampedToTheScreen)
{
    const Rect screen{0, 0, 1920, 1040};
    const struct {
        Rect place;
        Rect expected;
    } cases[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},     // inside: unchanged
        {{1800, 900, 800, 600}, {1120, 440, 800, 600}},   // over the right and bottom edges
        {{-500, -50, 800, 600}, {0, 0, 800, 600}},        // over the left and top edges
        {{3000, 100, 800, 600}, {1120, 100, 800, 600}},   // on a screen that is gone
        {{100, 100, 2500, 1500}, {0, 0, 1920, 1040}},     // larger than the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(clampToArea(c.place, screen, 200, 100), c.expected) << c.place.left << "," << c.place.top;

    // A small screen does not shrink a window below its least size; the title bar
    // stays on the screen.
    EXPECT_EQ(clampToArea({50, 50, 800, 600}, {0, 0, 640, 480}, 700, 500), (Rect{0, 0, 700, 500}));
    // A second screen left of the first.
    EXPECT_EQ(clampToArea({-1500, 20, 800, 600}, {-1280, 0, 1280, 1024}, 0, 0), (Rect{-1280, 20, 800, 600}));
}

TEST(WorkPlaces, KindOfEveryDialog)
{
    const struct {
        const char* filter;
        const char* suffix;
        std::optional<FileKind> kind;
    } cases[] = {
        {"VORNA files|*.vrn", "", FileKind::Antenna},
        {"NEC-2 input files (*.wcf;*.nec)|*.wcf;*.nec|All files|*.*", "wcf", FileKind::Deck},
        {"Comma separated values|*.CSV", "", FileKind::Results},
        {"Text files|*.txt", "txt", FileKind::Results},
        {"Bitmap|*.bmp", "*.bmp", FileKind::Bitmap},
        {"Touchstone|*.s1p", "s1p", FileKind::Touchstone},
        {"Touchstone two-port|*.s2p", "", FileKind::Touchstone},
        {"NEC-2 Green function file|Ngf2d.nec|All NEC-2 files|*.nec", "", std::nullopt},
        {"All files|*.*", "", std::nullopt},
        {"All files|*.*", "csv", FileKind::Results},
        {"", "", std::nullopt},
        // A description that looks like a pattern does not count.
        {"results.vrn|*.csv", "", FileKind::Results},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kindOfDialog(c.filter, c.suffix), c.kind) << c.filter;
}

TEST(WorkPlaces, FoldersAreRememberedPerKind)
{
    FolderMemory memory;
    const std::string documents = "/home/op/Documents";
    for (FileKind kind : kFileKinds)
        EXPECT_EQ(memory.folderFor(kind, documents), documents);

    memory.rememberFile(FileKind::Antenna, "/home/op/ant/yagi.vrn");
    memory.rememberFile(FileKind::Bitmap, "/tmp/plots/az.bmp");
    memory.rememberFile(FileKind::Deck, "/root.wcf");
    memory.rememberFile(FileKind::Results, "no folder.csv"); // no folder: nothing learnt

    IniFile ini;
    memory.write(ini);
    FolderMemory read;
    read.read(ini);
    EXPECT_EQ(read.folderFor(FileKind::Antenna, documents), "/home/op/ant");
    EXPECT_EQ(read.folderFor(FileKind::Bitmap, documents), "/tmp/plots");
    EXPECT_EQ(read.folderFor(FileKind::Deck, documents), "/");
    EXPECT_EQ(read.folderFor(FileKind::Results, documents), documents);
    EXPECT_EQ(read.folderFor(FileKind::Touchstone, documents), documents);
    EXPECT_EQ(ini.readString("Folders", "Antenna", ""), "/home/op/ant");
}

TEST(WorkPlaces, RecentFilesKeepTheNewestEight)
{
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i)
        recent.add("/a/" + std::to_string(i) + ".vrn");
    recent.add("/a/5.vrn"); // again: moves to the front, not twice
    recent.add("");
    const std::vector<std::string> expected{"/a/5.vrn", "/a/10.vrn", "/a/9.vrn", "/a/8.vrn",
                                            "/a/7.vrn", "/a/6.vrn",  "/a/4.vrn", "/a/3.vrn"};
    EXPECT_EQ(recent.files(), expected);

    IniFile ini;
    recent.write(ini);
    RecentFiles read;
    read.read(ini);
    EXPECT_EQ(read.files(), expected);

    // Gone files are dropped and named; a shorter list clears the older keys.
    const auto gone = read.dropGone([](const std::string& path) { return path != "/a/10.vrn" && path != "/a/3.vrn"; });
    EXPECT_EQ(gone, (std::vector<std::string>{"/a/10.vrn", "/a/3.vrn"}));
    EXPECT_EQ(read.files().size(), 6u);
    read.write(ini);
    RecentFiles again;
    again.read(ini);
    EXPECT_EQ(again.files(), read.files());
    EXPECT_EQ(ini.readString("Recent Files", "File8", "x"), "");
    EXPECT_EQ(goneFileMessage("/a/3.vrn"), "File /a/3.vrn is not found. It is removed from the recent files.");
}

TEST(WorkPlaces, OpenableFiles)
{
    const struct {
        const char* path;
        bool openable;
    } cases[] = {
        {"/a/yagi.vrn", true}, {"/a/DECK.WCF", true}, {"x.nec", true}, {"/a/b.csv", false},
        {"/a.vrn/readme", false}, {"/a/vrn", false}, {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isOpenableFile(c.path), c.openable) << c.path;
}

} // namespace

namespace {

TEST(UnitHints, HintsJoinTheToolTip)
{
    const struct {
        std::string tip;
        std::string_view hint;
        std::string expected;
    } cases[] = {
        {"", "m", "m"},
        {"Zoom image", "zoom factor = value / 10", "Zoom image (zoom factor = value / 10)"},
        {"Zoom image (zoom factor = value / 10)", "zoom factor = value / 10", "Zoom image (zoom factor = value / 10)"},
        {"X translation", "", "X translation"},
    };
    for (auto c : cases) {
        unithints::appendHint(c.tip, c.hint);
        EXPECT_EQ(c.tip, c.expected);
    }
    // Every wire tools coordinate and radius says metres.
    int metres = 0;
    for (const auto& hint : unithints::hints())
        if (hint.window == "TGWForm" && hint.text.ends_with(", m"))
            ++metres;
    EXPECT_EQ(metres, 9);
}

TEST(UnitHints, CardFieldUnits)
{
    const struct {
        const char *card, *caption, *unit;
    } cases[] = {
        {"FR", "Freq", "MHz"}, {"TL", "Len", "m"}, {"TL", "Z", "ohm"}, {"GN", "Sigma", "S/m"},
        {"SC", "X3", "m"}, {"SM", "Z1", "m"}, {"GA", "Ang End", "degrees"}, {"EX", "F2(V,Im)", "V"},
        // Counts, tags and flags have no unit; a caption of another card does not count.
        {"FR", "Step Num", ""}, {"GW", "X1", ""}, {"LD", "Wire", ""}, {"GA", "Freq", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(unithints::cardFieldUnit(c.card, c.caption), c.unit) << c.card << " " << c.caption;
}

} // namespace
