// The decks of the port runs and of the gain sweep, and the admittance matrix gathered
// from the port runs' listings.
#include "analyses/PortSweep.h"
#include "analyses/SweepGain.h"

#include <gtest/gtest.h>

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

    const std::vector<std::string> deck = {"GW 1 21 0 0 0 0 0 1 0.001", "EX 0 1 11 0 1 0", "LD 0 1 1 1 5",
                                           "EX 0 2 11 0 0.5 0.5", "FR 0 3 0 0 14 0.1", "EN"};
    const auto decks = PortDecks(deck);
    ASSERT_EQ(decks.size(), 2u);
    EXPECT_EQ(decks[0][1], "EX 0 1 11 0 1 0");
    EXPECT_EQ(decks[0][3], "EX 0 2 11 0 1E-20 0");
    EXPECT_EQ(decks[1][1], "EX 0 1 11 0 1E-20 0");
    EXPECT_EQ(decks[1][3], "EX 0 2 11 0 1 0");
    for (const auto& d : decks) {
        EXPECT_EQ(d.size(), deck.size());
        EXPECT_EQ(d[2], deck[2]);
        EXPECT_EQ(d[4], deck[4]);
    }
    EXPECT_TRUE(PortDecks({"GW 1 21 0 0 0 0 0 1 0.001"}).empty());
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
    std::vector<engine::SweepListing> runs(2);
    const Complex y11(0.01, -0.002), y12(0.003, 0.001), y21(0.0031, 0.0011), y22(0.02, 0.004);
    for (int p = 0; p < 2; ++p) {
        const double scale = 1 + p;
        engine::SweepBlock first, second;
        first.sources = {row(7, 1e-20, scale * y21), row(3, 1, scale * y11)};
        second.sources = {row(7, 1, scale * y22), row(3, 1e-20, scale * y12)};
        runs[0].blocks.push_back(first);
        runs[1].blocks.push_back(second);
    }
    const PortSweepData data = PortAdmittances(runs, settings);
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

    // A run without a driven row, or with a missing row, gives a message and no data.
    auto undriven = runs;
    undriven[1].blocks[0].sources[0].voltageReal = 1e-20;
    EXPECT_FALSE(PortAdmittances(undriven, settings).ok());
    auto missing = runs;
    missing[0].blocks[1].sources.pop_back();
    const PortSweepData broken = PortAdmittances(missing, settings);
    EXPECT_FALSE(broken.ok());
    EXPECT_TRUE(broken.admittance.empty());
    auto failed = runs;
    failed[1].message = "Unexpected NEC-2 output. See NEC-2 output file.";
    EXPECT_EQ(PortAdmittances(failed, settings).message, failed[1].message);
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
