// Temporary folders, small files and .vrn texts for the converter tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace testfiles {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vrnconv-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path_ = pattern;
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    std::string write(const std::string& name, const std::string& content) const
    {
        const std::string p = file(name);
        std::ofstream(p, std::ios::binary) << content;
        return p;
    }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The lines of a deck without their CR LF ends.
inline std::vector<std::string> deckLines(const std::string& deck)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= deck.size()) {
        const auto end = deck.find("\r\n", start);
        if (end == std::string::npos) {
            if (start < deck.size())
                lines.push_back(deck.substr(start));
            break;
        }
        lines.push_back(deck.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Cards of a deck that begin with `prefix`.
inline std::vector<std::string> cardsStartingWith(const std::string& deck, const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : deckLines(deck))
        if (line.rfind(prefix, 0) == 0)
            found.push_back(line);
    return found;
}

// Field `index` (0 = the card identifier) of a card line.
inline std::string cardField(const std::string& card, std::size_t index)
{
    std::istringstream in(card);
    std::string field;
    for (std::size_t i = 0; i <= index && in >> field; ++i) {
    }
    return field;
}

// A .vrn file in the layout the producing program writes; every part can be replaced.
struct VrnText {
    std::vector<std::string> titleLines = {"Test antenna"};
    std::string frequency = "14";
    std::string wireCount; // empty: the number of wire lines
    std::vector<std::string> wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1"};
    std::string sourceCount; // empty: the number of source lines
    std::vector<std::string> sources = {"w1c,\t0,\t1"};
    std::string loadCount = "0,\t1";
    std::vector<std::string> loads;
    std::string segmentation = "400,\t40,\t2,\t1";
    std::string ground = "0,\t0,\t0,\t50,\t0,\t0,\t0";
    std::string lineEnd = "\r\n";

    std::string text() const
    {
        std::string t;
        auto line = [&](const std::string& s) { t += s + lineEnd; };
        for (const auto& title : titleLines)
            line(title);
        line("*** Frequency (MHz) ***");
        line(frequency);
        line("*** Wires ***");
        line(wireCount.empty() ? std::to_string(wires.size()) : wireCount);
        for (const auto& w : wires)
            line(w);
        line("*** Sources ***");
        line(sourceCount.empty() ? std::to_string(sources.size()) : sourceCount);
        for (const auto& s : sources)
            line(s);
        line("*** Loads ***");
        line(loadCount);
        for (const auto& l : loads)
            line(l);
        line("*** Segmentation density ***");
        line(segmentation);
        line("*** Ground (type, height, material, R, -, -, X) ***");
        line(ground);
        return t;
    }
};

// A wire line from its eight fields.
inline std::string wireLine(double x1, double y1, double z1, double x2, double y2, double z2, double radius, int code)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out.precision(17);
    out << x1 << ",\t" << y1 << ",\t" << z1 << ",\t" << x2 << ",\t" << y2 << ",\t" << z2 << ",\t" << radius << ",\t"
        << code;
    return out.str();
}

} // namespace testfiles
