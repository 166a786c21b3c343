// The export VRN_to_NEC through the built shared library, with real buffers.
#include "ExportHarness.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <thread>

using exporttest::ExportCall;
using testfiles::cardsStartingWith;
using testfiles::readFile;
using testfiles::TempDir;
using testfiles::VrnText;

namespace {

const std::string kOldDeck = "old deck";

VrnText realGroundDipole()
{
    VrnText vrn;
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1"};
    vrn.ground = "2,\t10,\t1,\t50,\t0,\t0,\t0";
    return vrn;
}

} // namespace

TEST(Export, ConvertsAndWritesBackParameters)
{
    TempDir dir;
    VrnText vrn = realGroundDipole();
    vrn.frequency = "14.15";
    ExportCall call(dir.write("a.vrn", vrn.text()), dir.file("deck.nec"));
    call.frequencyMHz = 99;
    call.heightM = 99;
    call.azimuthDeg = -30;
    ASSERT_EQ(call.run(), "");
    EXPECT_EQ(call.errorText[0], 0);
    EXPECT_EQ(call.frequencyMHz, 14.15);
    EXPECT_EQ(call.heightM, 10);
    EXPECT_EQ(call.azimuthDeg, 330);
    EXPECT_TRUE(call.sommerfeldUsed);
    const std::string deck = readFile(dir.file("deck.nec"));
    EXPECT_EQ(deck,
              "CE\r\n"
              "GW 1 20 0 -5 0 0 5 0 0.001\r\n"
              "GM 0 0 0 0 0 0 0 10 0\r\n"
              "GS 0 0 1\r\n"
              "GE 1\r\n"
              "LD 5 1 0 0 58139534\r\n"
              "GN 2 0 0 0 13 0.005\r\n"
              "FR 0 1 0 0 14.15 0\r\n"
              "EX 0 1 10 0 1.0000 0.0000\r\n"
              "RP 0 1 360 1000 70 0 0 1\r\n"
              "RP 0 181 1 1000 90 330 -1 0\r\n"
              "EN");

    // Overrides are used and kept; perfect ground writes GN 1 and clears the flag.
    call.changeFrequency = true;
    call.frequencyMHz = 7.05;
    call.changeHeight = true;
    call.heightM = 20;
    call.perfectGround = true;
    call.azimuthDeg = 725;
    ASSERT_EQ(call.run(), "");
    EXPECT_EQ(call.frequencyMHz, 7.05);
    EXPECT_EQ(call.heightM, 20);
    EXPECT_EQ(call.azimuthDeg, 5);
    EXPECT_FALSE(call.sommerfeldUsed);
    const std::string second = readFile(dir.file("deck.nec"));
    EXPECT_EQ(cardsStartingWith(second, "FR")[0], "FR 0 1 0 0 7.05 0");
    EXPECT_EQ(cardsStartingWith(second, "GM")[0], "GM 0 0 0 0 0 0 0 20 0");
    EXPECT_EQ(cardsStartingWith(second, "GN")[0], "GN 1");

    // Free space: the height ends as 0 even when the caller set one.
    vrn.ground = "0,\t25,\t0,\t50,\t0,\t0,\t0";
    dir.write("a.vrn", vrn.text());
    call.sommerfeldUsed = true;
    ASSERT_EQ(call.run(), "");
    EXPECT_EQ(call.heightM, 0);
    EXPECT_FALSE(call.sommerfeldUsed);
    EXPECT_TRUE(cardsStartingWith(readFile(dir.file("deck.nec")), "GM").empty());
    call.changeHeight = false;
    call.heightM = 12;
    ASSERT_EQ(call.run(), "");
    EXPECT_EQ(call.heightM, 0);
}

TEST(Export, GroundAndMaterialCodesThatAreNoKnownValue)
{
    // Kept as the file holds them: no ground card, GE 0, the height card all the same,
    // no material load, the caller's Sommerfeld flag and height as they were.
    TempDir dir;
    VrnText vrn = realGroundDipole();
    for (const std::string ground : {"3,\t10,\t7,\t50,\t0,\t0,\t0", "-1.5,\t10,\t-1,\t50,\t0,\t0,\t0"}) {
        SCOPED_TRACE(ground);
        vrn.ground = ground;
        ExportCall call(dir.write("a.vrn", vrn.text()), dir.file("deck.nec"));
        call.sommerfeldUsed = true;
        ASSERT_EQ(call.run(), "");
        EXPECT_TRUE(call.sommerfeldUsed);
        EXPECT_EQ(call.heightM, 10);
        const std::string deck = readFile(dir.file("deck.nec"));
        EXPECT_EQ(cardsStartingWith(deck, "GE"), std::vector<std::string>{"GE 0"});
        EXPECT_EQ(cardsStartingWith(deck, "GM"), std::vector<std::string>{"GM 0 0 0 0 0 0 0 10 0"});
        EXPECT_TRUE(cardsStartingWith(deck, "GN").empty());
        EXPECT_TRUE(cardsStartingWith(deck, "LD").empty());
    }
}

TEST(Export, EveryMessageLeavesTheDeckUntouched)
{
    TempDir dir;
    const std::string file = dir.file("a.vrn");
    const std::string deck = dir.file("deck.nec");
    struct Case {
        std::string what;
        std::function<void(VrnText&, ExportCall&)> change;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"format", [](VrnText& v, ExportCall&) { v.titleLines.push_back("second title"); },
         "Error in file format:  " + file + "!"},
        {"frequency", [](VrnText& v, ExportCall&) { v.frequency = "-3"; },
         "Frequency parameter invalid (<=0). Calculations impossible. File:  " + file + "!"},
        {"frequency override",
         [](VrnText&, ExportCall& c) {
             c.changeFrequency = true;
             c.frequencyMHz = 0;
         },
         "Frequency parameter invalid (<=0). Calculations impossible. File:  " + file + "!"},
        {"stack", [](VrnText& v, ExportCall&) { v.wireCount = "1,\t1,\t1,\t0,\t0,\t0"; },
         "Incorrect stack data. File:  " + file + "!"},
        {"tapered", [](VrnText& v, ExportCall&) { v.wires = {"0,\t-5,\t1,\t0,\t5,\t1,\t1e-25,\t-1"}; },
         "VORNA file contains tapered wires (combined radii wires) or wires with very small radius. File:  " + file
             + "!"},
        {"source token", [](VrnText& v, ExportCall&) { v.sources = {"s1c,\t0,\t1"}; },
         "Error in file format:  " + file + " in source lines! "},
        {"load type",
         [](VrnText& v, ExportCall&) {
             v.loadCount = "1,\t1";
             v.loads = {"w1c,\t3,\t1,\t1,\t1"};
         },
         "Loads error or S-parameters load present. File: " + file + " !"},
        {"load token",
         [](VrnText& v, ExportCall&) {
             v.loadCount = "1,\t1";
             v.loads = {"w4c,\t1,\t1,\t1"};
         },
         "Error in file format:  " + file + " in loads lines! "},
        {"segmentation code", [](VrnText& v, ExportCall&) { v.wires = {"0,\t-5,\t1,\t0,\t5,\t1,\t0.001,\t-4"}; },
         "Error in VORNA segmentation. File:  " + file + "!"},
        {"too dense", [](VrnText& v, ExportCall&) { v.wires = {"0,\t-5,\t1,\t0,\t5,\t1,\t0.001,\t1300"}; },
         "Segmentation is too dense for accurate calculations. File:  " + file + "!"},
        {"too many",
         [](VrnText& v, ExportCall&) {
             v.wires = {"0,\t-50,\t1,\t0,\t50,\t1,\t0.001,\t2000", "0,\t-50,\t2,\t0,\t50,\t2,\t0.001,\t1001"};
         },
         "Number of segments too much (>3000, =3001). File:  " + file + "!"},
        {"too many with the stack copies",
         [](VrnText& v, ExportCall&) {
             v.wireCount = "1,\t46340,\t46340,\t1,\t1,\t0";
             v.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t10"};
         },
         "Number of segments too much (>3000, =21473956000). File:  " + file + "!"},
        {"under ground",
         [](VrnText& v, ExportCall&) {
             v.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1"};
             v.ground = "1,\t0,\t0,\t50,\t0,\t0,\t0";
         },
         "One or more wires are under ground  (or gorizontal wire lie on ground). This is impossible for "
         "modelling over ground plane. File:  "
             + file + "!"},
        {"touching",
         [](VrnText& v, ExportCall&) {
             v.wires = {"0,\t0,\t0,\t0,\t0,\t5,\t0.001,\t-1"};
             v.ground = "2,\t0,\t0,\t50,\t0,\t0,\t0";
         },
         "One or more wires are touching ground. This is impossible on Sommerfeld-Norton plane. File:  " + file + "!"},
        {"under perfect ground of a real-ground file",
         [](VrnText& v, ExportCall& c) {
             v.ground = "2,\t-1,\t0,\t50,\t0,\t0,\t0";
             c.perfectGround = true;
         },
         "One or more wires are under ground (or gorizontal wire lie on ground). This is impossible for "
         "modelling over ground plane. File:  "
             + file + "!"},
        {"float", [](VrnText& v, ExportCall&) { v.segmentation = "400,\t4O,\t2,\t1"; },
         "'4O' is not a valid floating point value"},
        {"integer", [](VrnText& v, ExportCall&) { v.sources = {"wlc,\t0,\t1"}; }, "'l' is not a valid integer value"},
        {"azimuth", [](VrnText&, ExportCall& c) { c.azimuthDeg = std::nan(""); },
         "Azimuth angle is not a finite number."},
        {"height",
         [](VrnText&, ExportCall& c) {
             c.changeHeight = true;
             c.heightM = INFINITY;
         },
         "Antenna height is not a finite number."},
        {"frequency infinite",
         [](VrnText&, ExportCall& c) {
             c.changeFrequency = true;
             c.frequencyMHz = INFINITY;
         },
         "Frequency parameter invalid (not a finite number). Calculations impossible. File:  " + file + "!"},
        {"deck path", [](VrnText&, ExportCall& c) { exporttest::setBuffer(c.deckPath, "/nonexistent/dir/x"); },
         "Error opening NEC-2 input file. May be it is still used by NEC-2 in calculation. Please wait a little."},
        {"deck path of a folder",
         [&](VrnText&, ExportCall& c) { exporttest::setBuffer(c.deckPath, dir.file("folder")); },
         "Error opening NEC-2 input file. May be it is still used by NEC-2 in calculation. Please wait a little."},
    };
    std::filesystem::create_directory(dir.file("folder"));
    for (const Case& c : cases) {
        VrnText vrn = realGroundDipole();
        vrn.ground = "2,\t10,\t0,\t50,\t0,\t0,\t0";
        ExportCall call(file, deck);
        call.sommerfeldUsed = true;
        call.azimuthDeg = -30;
        c.change(vrn, call);
        dir.write("a.vrn", vrn.text());
        dir.write("deck.nec", kOldDeck);
        EXPECT_EQ(call.run(), c.message) << c.what;
        EXPECT_EQ(readFile(deck), kOldDeck) << c.what;
        EXPECT_TRUE(call.sommerfeldUsed) << c.what;
        if (!std::isnan(call.azimuthDeg)) {
            EXPECT_EQ(call.azimuthDeg, -30) << c.what;
        }
    }
    ExportCall missing(dir.file("missing.vrn"), deck);
    EXPECT_EQ(missing.run(), "Error opening VORNA file  " + dir.file("missing.vrn") + "!");
    EXPECT_EQ(readFile(deck), kOldDeck);
}

TEST(Export, ElevationErrorLeavesAPartialDeck)
{
    TempDir dir;
    ExportCall call(dir.write("a.vrn", realGroundDipole().text()), dir.file("deck.nec"));
    dir.write("deck.nec", kOldDeck);
    call.thetaDeg = 181;
    call.azimuthDeg = -30;
    EXPECT_EQ(call.run(), "Error in elevation angle value.");
    const std::string deck = readFile(dir.file("deck.nec"));
    EXPECT_TRUE(deck.starts_with("CE\r\nGW 1 20 "));
    EXPECT_TRUE(deck.ends_with("GN 2 0 0 0 13 0.005\r\nFR 0 1 0 0 14 0\r\nEX 0 1 10 0 1.0000 0.0000\r\n")) << deck;
    EXPECT_EQ(call.azimuthDeg, -30);
    EXPECT_TRUE(call.sommerfeldUsed);
    EXPECT_EQ(call.heightM, 10);
}

TEST(Export, BadBuffersAreRefused)
{
    TempDir dir;
    const std::string file = dir.write("a.vrn", realGroundDipole().text());
    const std::string deck = dir.file("deck.nec");
    {
        ExportCall call(file, deck);
        call.fileNameHigh = 10; // the length byte says more than the buffer holds
        EXPECT_EQ(call.run(),
                  "The file name buffer's length byte " + std::to_string(file.size())
                      + " exceeds its highest index 10.");
    }
    {
        ExportCall call(file, deck);
        call.deckPathHigh = -1;
        EXPECT_EQ(call.run(), "The deck path buffer's highest index -1 is outside 0 to 255.");
        call.deckPathHigh = 70000;
        EXPECT_EQ(call.run(), "The deck path buffer's highest index 70000 is outside 0 to 255.");
    }
    {
        ExportCall call(file, deck);
        auto f = exporttest::loadExport();
        f(nullptr, 255, call.deckPath, 255, &call.useDM2, &call.useCSDVS, &call.azimuthDeg, &call.thetaDeg,
          &call.changeFrequency, &call.frequencyMHz, &call.changeHeight, &call.heightM, &call.groundEps,
          &call.groundSigma, &call.perfectGround, &call.sommerfeldUsed, &call.coatWireRadius, &call.coatRadius,
          &call.coatInductance, &call.shrinkFactor, &call.shrinkX, &call.shrinkY, &call.shrinkZ, &call.useEK,
          call.errorText, 255);
        EXPECT_EQ(call.error(), "The file name buffer is missing.");
        f(call.fileName, 255, call.deckPath, 255, &call.useDM2, &call.useCSDVS, &call.azimuthDeg, &call.thetaDeg,
          &call.changeFrequency, &call.frequencyMHz, &call.changeHeight, nullptr, &call.groundEps, &call.groundSigma,
          &call.perfectGround, &call.sommerfeldUsed, &call.coatWireRadius, &call.coatRadius, &call.coatInductance,
          &call.shrinkFactor, &call.shrinkX, &call.shrinkY, &call.shrinkZ, &call.useEK, call.errorText, 255);
        EXPECT_EQ(call.error(), "A parameter of the conversion was passed without an address.");
        EXPECT_FALSE(std::filesystem::exists(deck));
        // Without an error buffer the call returns at once.
        f(call.fileName, 255, call.deckPath, 255, &call.useDM2, &call.useCSDVS, &call.azimuthDeg, &call.thetaDeg,
          &call.changeFrequency, &call.frequencyMHz, &call.changeHeight, &call.heightM, &call.groundEps,
          &call.groundSigma, &call.perfectGround, &call.sommerfeldUsed, &call.coatWireRadius, &call.coatRadius,
          &call.coatInductance, &call.shrinkFactor, &call.shrinkX, &call.shrinkY, &call.shrinkZ, &call.useEK, nullptr,
          255);
        EXPECT_FALSE(std::filesystem::exists(deck));
    }
    {
        // A small error buffer receives as much of the message as it holds.
        ExportCall call(dir.file("none.vrn"), deck);
        call.errorTextHigh = 10;
        call.errorText[11] = 0xAB;
        EXPECT_EQ(call.run(), "Error open");
        EXPECT_EQ(call.errorText[11], 0xAB);
        call.errorTextHigh = 300;
        EXPECT_EQ(call.run().substr(0, 40), "The error text buffer's highest index 30");
    }
    {
        // Exactly fitting buffers are fine.
        ExportCall call(file, deck);
        call.fileNameHigh = static_cast<int32_t>(file.size());
        call.deckPathHigh = static_cast<int32_t>(deck.size());
        EXPECT_EQ(call.run(), "");
        EXPECT_TRUE(readFile(deck).ends_with("EN"));
    }
}

TEST(Export, LongNamesAreCutInMessages)
{
    TempDir dir;
    const std::string name = dir.file(std::string(250 - dir.path().string().size(), 'x'));
    ASSERT_EQ(name.size(), 251u);
    ExportCall call(name, dir.file("deck.nec"));
    const std::string error = call.run();
    EXPECT_EQ(error.size(), 255u);
    EXPECT_EQ(error, "Error opening VORNA file  " + name.substr(0, 228) + "!");
}

TEST(Export, TwoThreadsConvertLikeOne)
{
    TempDir dir;
    VrnText a = realGroundDipole();
    a.frequency = "14.2";
    a.loadCount = "1,\t1";
    a.loads = {"w1e,\t0,\t2.5,\t33,\t150"};
    VrnText b;
    b.frequency = "28.3";
    b.wireCount = "2,\t2,\t1,\t4.25,\t0,\t0";
    b.wires = {"0,\t-2.5,\t0,\t0,\t2.5,\t0,\t0.0008,\t-1", "1.2,\t-2.7,\t0,\t1.2,\t2.7,\t0,\t0.0008,\t-3"};
    b.sources = {"w1c,\t30,\t1.5"};
    const std::string fileA = dir.write("a.vrn", a.text());
    const std::string fileB = dir.write("b.vrn", b.text());

    auto convert = [&](const std::string& file, const std::string& deck, bool coat) {
        ExportCall call(file, deck);
        call.azimuthDeg = -45;
        if (coat) {
            call.coatWireRadius = 0.0008;
            call.coatRadius = 0.002;
            call.coatInductance = 1.1e-7;
            call.shrinkFactor = 0.97;
            call.shrinkX = call.shrinkY = call.shrinkZ = true;
        }
        const std::string error = call.run();
        return error + "|" + std::to_string(call.azimuthDeg) + "|" + readFile(deck);
    };
    const std::string serialA = convert(fileA, dir.file("sa.nec"), false);
    const std::string serialB = convert(fileB, dir.file("sb.nec"), true);
    ASSERT_TRUE(serialA.starts_with("|315"));
    ASSERT_TRUE(serialB.starts_with("|315"));
    ASSERT_NE(serialB.find("LD 2 3 1 "), std::string::npos);

    constexpr int kRounds = 200;
    int mismatchA = 0, mismatchB = 0;
    std::thread first([&] {
        for (int i = 0; i < kRounds; ++i)
            mismatchA += convert(fileA, dir.file("ta.nec"), false) != serialA;
    });
    std::thread second([&] {
        for (int i = 0; i < kRounds; ++i)
            mismatchB += convert(fileB, dir.file("tb.nec"), true) != serialB;
    });
    first.join();
    second.join();
    EXPECT_EQ(mismatchA, 0);
    EXPECT_EQ(mismatchB, 0);
}
