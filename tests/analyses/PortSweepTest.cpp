// The sweep deck that also solves its ports, the gain sweep's deck, and the admittance
// matrix gathered from the port solutions of a listing.
#include "analyses/PortSweep.h"
#include "analyses/SweepGain.h"
#include "analyses/SweepRun.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vrnnec;
using namespace vrnnec::analyses;

TEST(PortSweep, SourceCardsGetTheirRunVoltage)
{
    struct Case {
        const char* card;
        const char* driven;
    };
    const Case cases[] = {
        {"EX 0 1 11 0 1.0000 0.0000", "EX 0 1 11 0 1 0"},
        {"EX,0,1,11,0,0.5,0.866", "EX 0 1 11 0 1 0"},
        {"ex 5 2 3 0", "ex 5 2 3 0 1 0"},
        {"EX 0 0 7 1 2 3 4 5", "EX 0 0 7 1 1 0 4 5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithSourceVoltage(c.card, "1", "0"), c.driven) << c.card;
}

TEST(PortSweep, DeckSolvesEachPortAfterTheSweepPerFrequency)
{
    const std::vector<std::string> deck = {"GW 1 21 0 0 0 0 0 1 0.001", "EX 0 1 11 0 1 0", "LD 0 1 1 1 5",
                                           "EX 0 2 11 0 0.5 0.5", "FR 0 3 0 0 14 0.1", "EN"};
    const std::vector<std::string> one = {"EX 0 1 11 0 1 0", "EX 0 2 11 0 1E-20 0", "XQ"};
    const std::vector<std::string> two = {"EX 0 1 11 0 1E-20 0", "EX 0 2 11 0 1 0", "XQ"};
    const auto join = [](std::vector<std::vector<std::string>> pieces) {
        std::vector<std::string> all;
        for (const auto& piece : pieces)
            all.insert(all.end(), piece.begin(), piece.end());
        return all;
    };
    struct Case {
        std::vector<std::string> patterns;
        int first, count;
        std::vector<std::string> tail;
    };
    const std::vector<std::string> rp = {"RP 0 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0"};
    const Case cases[] = {
        // Without patterns: the deck's own sources and "XQ", then one solution per port.
        {{}, 0, 2,
         join({{"PT -1", "FR 0 1 0 0 13.95 0", deck[1], deck[3], "XQ"}, one, two,
               {"FR 0 1 0 0 14.05 0", deck[1], deck[3], "XQ"}, one, two, {"EN"}})},
        // A part of the points.
        {{}, 1, 1, join({{"PT -1", "FR 0 1 0 0 14.05 0", deck[1], deck[3], "XQ"}, one, two, {"EN"}})},
        // With patterns: the pattern cards solve the sweep, the ports follow.
        {rp, 0, 1, join({{"PT 0 0 1 1", "FR 0 1 0 0 13.95 0", deck[1], deck[3]}, rp, one, two, {"EN"}})},
    };
    for (const Case& c : cases) {
        SweepSettings settings{14, 0.1, 2, c.patterns};
        settings.portSources = SourceCards(deck);
        ASSERT_EQ(settings.portSources, (std::vector<std::string>{deck[1], deck[3]}));
        EXPECT_EQ(SweepCards(settings, c.first, c.count), c.tail) << c.patterns.size() << " " << c.first;
        // The prepared deck holds no EX card before the sweep's own.
        std::vector<std::string> prepared = deck;
        ASSERT_EQ(PrepareSweepDeck(prepared, settings), "");
        EXPECT_EQ(std::vector<std::string>(prepared.begin(), prepared.begin() + 2),
                  (std::vector<std::string>{deck[0], deck[2]}));
        EXPECT_EQ(PartDeck(prepared, settings, c.first, c.count),
                  join({{deck[0], deck[2]}, SweepCards(settings, c.first, c.count)}));
    }
}

namespace {

engine::SourceRow row(long long tag, double volts, Complex current)
{
    engine::SourceRow r;
    r.tag = tag;
    r.voltageReal = volts;
    r.voltageImaginary = 0;
    r.currentReal = current.real();
    r.currentImaginary = current.imag();
    return r;
}

} // namespace

TEST(PortSweep, AdmittanceColumnsComeFromTheRowAtOneVolt)
{
    // The engine lists the sources of port 2 (tag 7) first: the row at 1 V tells.
    const SweepSettings settings{14, 0.2, 2, {}};
    engine::SweepListing listing;
    const Complex y11(0.01, -0.002), y12(0.003, 0.001), y21(0.0031, 0.0011), y22(0.02, 0.004);
    for (int p = 0; p < 2; ++p) {
        const double scale = 1 + p;
        engine::SweepBlock block;
        block.sources = {row(7, 1, Complex(1, 1)), row(3, 1, Complex(2, 2))};
        block.portSources = {{row(7, 1e-20, scale * y21), row(3, 1, scale * y11)},
                             {row(7, 1, scale * y22), row(3, 1e-20, scale * y12)}};
        listing.blocks.push_back(block);
    }
    const PortSweepData data = PortAdmittances(listing, settings);
    ASSERT_TRUE(data.ok()) << data.message;
    EXPECT_EQ(data.portTags, (std::vector<long long>{3, 7}));
    ASSERT_EQ(data.admittance.size(), 2u);
    EXPECT_EQ(data.frequency, (std::vector<double>{13.9, 14.1}));
    EXPECT_EQ(data.admittance[1].at(0, 0), 2.0 * y11);
    EXPECT_EQ(data.admittance[0].at(0, 1), y12);
    EXPECT_EQ(data.admittance[0].at(1, 0), y21);
    EXPECT_EQ(data.admittance[0].at(1, 1), y22);
    const auto points = PortScattering(data, 50);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].s.size, 2);

    // A solution without a driven row, with a missing row, a block without its port
    // solutions or a listing not read gives a message and no data.
    struct Broken {
        const char* what;
        std::function<void(engine::SweepListing&)> spoil;
    };
    const Broken broken[] = {
        {"undriven", [](engine::SweepListing& l) { l.blocks[0].portSources[1][0].voltageReal = 1e-20; }},
        {"row missing", [](engine::SweepListing& l) { l.blocks[1].portSources[0].pop_back(); }},
        {"no current", [](engine::SweepListing& l) { l.blocks[1].portSources[1][1].currentImaginary.reset(); }},
        {"solution missing", [](engine::SweepListing& l) { l.blocks[1].portSources.pop_back(); }},
        {"plain sweep", [](engine::SweepListing& l) {
             for (auto& b : l.blocks)
                 b.portSources.clear();
         }},
        {"not read", [](engine::SweepListing& l) { l.message = "Unexpected NEC-2 output. See NEC-2 output file."; }},
    };
    for (const Broken& b : broken) {
        engine::SweepListing spoiled = listing;
        b.spoil(spoiled);
        const PortSweepData read = PortAdmittances(spoiled, settings);
        EXPECT_FALSE(read.ok()) << b.what;
        EXPECT_TRUE(read.admittance.empty()) << b.what;
        if (!spoiled.ok()) {
            EXPECT_EQ(read.message, spoiled.message);
        }
    }
}

TEST(SweepGainDeck, PatternCardsRepeatForEveryFrequency)
{
    const std::vector<std::string> deck = {"GW 1 21 0 0 0 0 0 1 0.001", "GE 0", "FR 0 1 0 0 14 0",
                                           "EX 0 1 11 0 1 0", "rp 0 1 360 1000 70 0 0 1",
                                           "RP 0 181 1 1000 90 0 -1 0", "EN"};
    const auto pair = DeckPatternPair(deck);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0], deck[4]);
    EXPECT_EQ(pair[1], deck[5]);
    EXPECT_TRUE(DeckPatternPair({"RP 0 1 360 1000 70 0 0 1"}).empty());

    SweepSettings settings{14, 0.4, 3, pair};
    std::vector<std::string> prepared = deck;
    ASSERT_EQ(PrepareSweepDeck(prepared, settings), "");
    const std::vector<std::string> expected = {
        "GW 1 21 0 0 0 0 0 1 0.001", "GE 0", "EX 0 1 11 0 1 0", "PT 0 0 1 1",
        "FR 0 1 0 0 13.8 0", deck[4], deck[5],
        "FR 0 1 0 0 14 0", deck[4], deck[5],
        "FR 0 1 0 0 14.2 0", deck[4], deck[5], "EN"};
    EXPECT_EQ(prepared, expected);
    // A second preparation leaves the same deck; the part decks take their points.
    std::vector<std::string> again = prepared;
    ASSERT_EQ(PrepareSweepDeck(again, settings), "");
    EXPECT_EQ(again, prepared);
    const auto part = PartDeck(prepared, settings, 1, 2);
    EXPECT_EQ(part, (std::vector<std::string>{"GW 1 21 0 0 0 0 0 1 0.001", "GE 0", "EX 0 1 11 0 1 0", "PT 0 0 1 1",
                                              "FR 0 1 0 0 14 0", deck[4], deck[5], "FR 0 1 0 0 14.2 0", deck[4],
                                              deck[5], "EN"}));
    // Without pattern cards the part decks keep the stepped card.
    settings.patternCards.clear();
    std::vector<std::string> plain = deck;
    ASSERT_EQ(PrepareSweepDeck(plain, settings), "");
    EXPECT_EQ(std::vector<std::string>(plain.end() - 4, plain.end()),
              (std::vector<std::string>{"FR 0 3 0 0 13.8 0.2", "PT -1", "XQ", "EN"}));
    EXPECT_EQ(PartDeck(plain, settings, 1, 2).at(3), "FR 0 2 0 0 14 0.2");
}
