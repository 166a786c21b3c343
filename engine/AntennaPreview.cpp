#include "engine/AntennaPreview.h"

#include "common/ListField.h"
#include "common/NumberText.h"
#include "common/TextLines.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <string_view>
#include <system_error>

namespace vrnnec {

namespace {

constexpr int kFieldsBeforeRadius = 6;
constexpr int kMarkersBeforeGround = 4; // sources, loads, segmentation, ground
constexpr double kMaxWireCount = 2147483647;

struct PreviewStop {
    std::string message;
};

// Messages made of a fixed text and the path are cut to 255 characters.
PreviewStop withPath(const char* text, const std::string& path)
{
    std::string message = text + path;
    if (message.size() > textlines::kMaxLineLength)
        message.resize(textlines::kMaxLineLength);
    return PreviewStop{std::move(message)};
}

class PreviewReader {
public:
    explicit PreviewReader(const std::string& path) : path_(path) {}

    AntennaPreview read()
    {
        std::error_code ec;
        if (path_.find('\0') != std::string::npos || std::filesystem::is_directory(path_, ec) || !lines_.open(path_))
            throw withPath("VORNA file not found:  ", path_);
        AntennaPreview preview;
        skipPastMarker();
        std::string_view rest = nextLine();
        preview.frequency = real(listfield::ReadListField(rest));

        skipPastMarker();
        rest = nextLine();
        const double count = real(listfield::ReadListField(rest));
        const long long wires = count >= kMaxWireCount ? static_cast<long long>(kMaxWireCount)
                                                       : numtext::roundHalfEven(std::max(count, 0.0));
        for (long long i = 0; i < wires; ++i) {
            rest = nextLine();
            for (int skip = 0; skip < kFieldsBeforeRadius; ++skip)
                listfield::ReadListField(rest);
            const double radiusMm = real(listfield::ReadListField(rest)) * 1000;
            if (!(radiusMm > 0))
                throw withPath("Tapered (combined radii) wires or zero radius wires present in file  ", path_);
            preview.radiiMm.push_back(radiusMm);
        }

        for (int marker = 0; marker < kMarkersBeforeGround; ++marker)
            skipPastMarker();
        const std::string ground = nextLine();
        if (ground.empty() || ground[0] < '0' || ground[0] > '2')
            throw formatError();
        preview.groundType = static_cast<antenna::GroundType>(ground[0] - '0');
        rest = ground;
        listfield::ReadListField(rest); // the type, already taken from the first character
        preview.height = real(listfield::ReadListField(rest));
        if (preview.groundType == antenna::GroundType::FreeSpace)
            preview.height = 0;
        listfield::ReadListField(rest); // material
        preview.swrReferenceR = real(listfield::ReadListField(rest));
        listfield::ReadListField(rest);
        listfield::ReadListField(rest);
        preview.swrReferenceX = real(listfield::ReadListField(rest));
        lines_.close();
        return preview;
    }

private:
    PreviewStop formatError() const { return withPath("Error in VORNA file format:  ", path_); }

    const std::string& nextLine()
    {
        lines_.next(line_);
        return line_;
    }

    // Reads up to and including the next line that begins with "*".
    void skipPastMarker()
    {
        while (lines_.next(line_))
            if (!line_.empty() && line_[0] == '*')
                return;
        throw formatError();
    }

    static double real(std::string_view field)
    {
        double value = 0;
        if (!numtext::parseReal(field, value))
            throw PreviewStop{numtext::invalidFloatMessage(field)};
        return value;
    }

    const std::string& path_;
    textlines::LineReader lines_;
    std::string line_;
};

} // namespace

AntennaPreviewReading ReadAntennaPreview(const std::string& path)
{
    AntennaPreviewReading reading;
    try {
        reading.preview = PreviewReader(path).read();
    } catch (PreviewStop& stop) {
        reading.message = std::move(stop.message);
    }
    return reading;
}

std::vector<double> DistinctRadiiMm(const AntennaPreview& preview)
{
    // Sorted by value (each NaN equals nothing, so each one stays), ties in file order:
    // the first of every run of equal radii is its first appearance.
    const std::vector<double>& all = preview.radiiMm;
    std::vector<std::size_t> order(all.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto before = [&all](std::size_t a, std::size_t b) {
        const double x = all[a];
        const double y = all[b];
        if (std::isnan(x) || std::isnan(y))
            return !std::isnan(x) && std::isnan(y);
        return x < y;
    };
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<bool> first(all.size(), false);
    for (std::size_t k = 0; k < order.size(); ++k)
        first[order[k]] = k == 0 || !(all[order[k - 1]] == all[order[k]]);
    std::vector<double> radii;
    for (std::size_t i = 0; i < all.size(); ++i)
        if (first[i])
            radii.push_back(all[i]);
    return radii;
}

} // namespace vrnnec
