// Small classic listings for the viewer's tests, built section by section with the
// classic headings and row formats.
#pragma once

#include <string>
#include <vector>

namespace viewertest {

struct SegmentSpec {
    double x, y, z, length, alpha, beta, radius;
    int tag;
};

class ListingBuilder {
public:
    // SEGMENTATION DATA with its rows (none: an empty table).
    ListingBuilder& segments(const std::vector<SegmentSpec>& rows);
    ListingBuilder& patches(const std::vector<std::vector<double>>& rows); // 13 values each
    // Load rows: tag, first and last segment as texts ("" leaves the field blank).
    ListingBuilder& loads(const std::vector<std::vector<std::string>>& rows);
    ListingBuilder& ports(const std::vector<std::pair<int, int>>& tagSegment);
    // Sources: tag, segment, marked "*".
    ListingBuilder& sources(const std::vector<std::tuple<int, int, bool>>& rows);
    // Currents: segment, tag, magnitude, phase.
    ListingBuilder& currents(const std::vector<std::tuple<int, int, double, double>>& rows);

    // Writes the listing into a temporary file and returns its path.
    std::string write(const std::string& name) const;

private:
    void heading(int section);
    std::vector<std::string> lines_;
};

// Straight wires along Y at height z: `count` segments of length 1 on tag `tag`, the
// first centred at y = first + 0.5.
std::vector<SegmentSpec> wire(int count, int tag, double z = 0, double first = 0);

std::string dataPath(const std::string& relative);
// A nec2c fixture listing rewritten into the classic layout, in a temporary file.
std::string rewritten(const std::string& name);

} // namespace viewertest
