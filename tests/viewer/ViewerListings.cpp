#include "ViewerListings.h"

#include "engine/ClassicListing.h"
#include "engine/ClassicTexts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace viewertest {

using namespace vrnnec::engine::classictexts;

namespace {

template <typename... Args>
std::string format(const char* pattern, Args... args)
{
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, pattern, args...);
    return buffer;
}

template <std::size_t N>
void append(std::vector<std::string>& lines, const std::string_view (&block)[N])
{
    for (std::string_view l : block)
        lines.emplace_back(l);
}

std::string tempFolder()
{
    const auto folder = std::filesystem::temp_directory_path() / "viewer_tests";
    std::filesystem::create_directories(folder);
    return folder.string();
}

} // namespace

void ListingBuilder::heading(int section)
{
    for (const SectionText& t : kSections)
        if (static_cast<int>(t.section) == section)
            lines_.push_back(std::string(t.indent, ' ') + std::string(t.classic));
}

ListingBuilder& ListingBuilder::segments(const std::vector<SegmentSpec>& rows)
{
    heading(static_cast<int>(Section::Segmentation));
    append(lines_, kSegmentationHeader);
    int n = 0;
    for (const SegmentSpec& s : rows) {
        ++n;
        lines_.push_back(format(" %5d%10.5f%10.5f%10.5f%10.5f %10.5f%10.5f%10.5f %5d%5d%5d  %5d", n, s.x, s.y, s.z,
                                s.length, s.alpha, s.beta, s.radius, n - 1, n, n + 1, s.tag));
    }
    lines_.emplace_back("");
    return *this;
}

ListingBuilder& ListingBuilder::patches(const std::vector<std::vector<double>>& rows)
{
    heading(static_cast<int>(Section::PatchData));
    append(lines_, kPatchHeader);
    int n = 0;
    for (const std::vector<double>& v : rows)
        lines_.push_back(format("%5d%10.5f%10.5f%10.5f %8.4f%8.4f%8.4f %9.5f %8.4f%8.4f%8.4f %8.4f%8.4f%8.4f", ++n,
                                v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12]));
    lines_.emplace_back("");
    return *this;
}

ListingBuilder& ListingBuilder::loads(const std::vector<std::vector<std::string>>& rows)
{
    heading(static_cast<int>(Section::Loading));
    append(lines_, kLoadingHeader);
    for (const std::vector<std::string>& r : rows) {
        lines_.push_back(format("    %4s %4s %4s      1.0000E+01", r[0].c_str(), r[1].c_str(), r[2].c_str()));
        lines_.emplace_back("");
    }
    lines_.emplace_back("");
    return *this;
}

ListingBuilder& ListingBuilder::ports(const std::vector<std::pair<int, int>>& tagSegment)
{
    heading(static_cast<int>(Section::NetworkPorts));
    append(lines_, kSourceHeader);
    for (auto [tag, segment] : tagSegment)
        lines_.push_back(format(" %5d %5d 1.00000E+00 0.00000E+00", tag, segment));
    lines_.emplace_back("");
    return *this;
}

ListingBuilder& ListingBuilder::sources(const std::vector<std::tuple<int, int, bool>>& rows)
{
    heading(static_cast<int>(Section::InputParameters));
    append(lines_, kSourceHeader);
    for (auto [tag, segment, marked] : rows)
        lines_.push_back(marked ? format(" %5d *%4d 1.00000E+00", tag, segment)
                                : format(" %5d %5d 1.00000E+00", tag, segment));
    lines_.emplace_back("");
    return *this;
}

ListingBuilder& ListingBuilder::currents(const std::vector<std::tuple<int, int, double, double>>& rows)
{
    heading(static_cast<int>(Section::Currents));
    append(lines_, kCurrentsHeader);
    for (auto [segment, tag, magnitude, phase] : rows)
        lines_.push_back(format(" %5d%5d%9.4f%9.4f%9.4f%9.5f %12.4E%12.4E%12.4E%9.3f", segment, tag, 0.0, 0.0, 0.0, 0.1,
                                magnitude, 0.0, magnitude, phase));
    lines_.emplace_back("");
    return *this;
}

std::string ListingBuilder::write(const std::string& name) const
{
    const std::string path = tempFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary);
    for (const std::string& l : lines_)
        out << l << "\n";
    return path;
}

std::vector<SegmentSpec> wire(int count, int tag, double z, double first)
{
    std::vector<SegmentSpec> rows;
    for (int i = 0; i < count; ++i)
        rows.push_back({0, first + i + 0.5, z, 1, 0, 90, 0.001, tag});
    return rows;
}

std::string dataPath(const std::string& relative)
{
    return std::string(TEST_DATA_DIR) + "/" + relative;
}

std::string rewritten(const std::string& name)
{
    const std::string out = tempFolder() + "/rewritten_" + name;
    vrnnec::engine::RewriteListingFile(dataPath("listings/nec2c/" + name), out);
    return out;
}

} // namespace viewertest
