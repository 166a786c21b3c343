// Compares two nec2c listings of the same deck value by value, to the last printed digit:
// the listings of nec2c and of the fast engine nec2c-blas, which factor the matrix by
// different algorithms and so differ in round-off only.
#pragma once

#include <string>
#include <vector>

namespace listingcompare {

struct Comparison {
    // One text per line that differs: "line N: <reference> | <candidate>", or a note on
    // the listings' shape (line counts, sections).
    std::vector<std::string> differences;
    // The reference warns of a singular matrix (PIVOT lines): both must warn of the same
    // pivots, and the values computed from the matrix are not compared, since any two
    // factorisations of a singular matrix give unrelated answers.
    bool singular = false;
};

// Lines are compared in order, blank-separated field by field. Text fields must be equal.
// Numbers may differ by one unit in their last printed digit (0.00 and -0.00 are equal);
// whole numbers (tags, segments, counts) must be equal.
// Lines of timings ("msec") are skipped. Round-off: within a section (the lines from one
// indented heading "---- NAME ----" to the next) a number in exponent form whose magnitude is
// below 1e-10 of the section's largest one in both listings, and the phase that follows
// it, are round-off of a zero and not compared; so are gains in dB at or below -150 (the
// minor axis of a linear polarisation), and the tilt of a linear polarisation may differ
// by 180 degrees (+90 and -90 are the same).
Comparison compare(const std::vector<std::string>& reference, const std::vector<std::string>& candidate);

} // namespace listingcompare
