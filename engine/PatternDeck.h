// The deck of a full radiation pattern: the deck of a calculation with its pattern (RP)
// cards replaced by one card that asks for every direction at a step of S degrees.
// Plain functions on deck lines, no Qt.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::engine {

inline constexpr int kDefaultPatternStep = 5;
inline constexpr int kMinPatternStep = 1;
inline constexpr int kMaxPatternStep = 30;

inline constexpr const char* kPatternStepMessage =
    "The pattern step must be a whole number of degrees from 1 to 30 that divides 90 "
    "(1, 2, 3, 5, 6, 9, 10, 15, 18 or 30).";

// 1 to 30 degrees, dividing 90.
bool PatternStepAcceptable(long long step);

// True when the deck's structure stands over a ground: the last GN card asks for one
// (any type but -1), or, without a GN card, the GE card says a ground plane is present.
// Cards after "EN" are not read; card names are read in any letter case.
bool DeckHasGround(const std::vector<std::string>& lines);

// "RP 0 NTH NPH 1000 0 0 S S": THETA from 0 to 180 degrees in free space, 0 to 90 over
// ground (NTH = 180/S + 1 or 90/S + 1), PHI from 0 to 360 - S (NPH = 360/S); vertical,
// horizontal and total power gains. `step` must be acceptable.
std::string FullPatternCard(int step, bool overGround);

// The deck lines with every RP line and everything from the first EN line on removed,
// then the full pattern card and "EN".
struct FullPatternDeck {
    std::string message; // empty when `text` is the deck
    std::string text;    // the lines, each ended by CR LF
    bool overGround = false;
};
FullPatternDeck MakeFullPatternDeck(const std::vector<std::string>& lines, long long step);

} // namespace vrnnec::engine
