#include "Vrn2NecConversion.h"

#include "common/AtomicFile.h"
#include "common/CoatParameters.h"
#include "common/FileIdentity.h"
#include "common/NumberText.h"
#include "converter/AntennaFile.h"
#include "converter/CoatTransform.h"
#include "engine/Conversion.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <system_error>

namespace vrnnec::vrn2nec {

namespace {

namespace fs = std::filesystem;

// The coat and shrink parameters; an empty text, or the message of a failed check.
std::string coatParameters(const Options& options, coat::CoatParameters& parameters)
{
    parameters = coat::plainParameters();
    if (options.coat) {
        coat::CoatInputs inputs;
        inputs.wireRadiusMm = options.coat->wireRadiusMm;
        inputs.coatRadiusMm = options.coat->coatRadiusMm;
        inputs.permittivity = options.coat->permittivity;
        if (options.shrink) {
            inputs.shorterPercent = options.shrink->percent;
            inputs.shrinkX = options.shrink->x;
            inputs.shrinkY = options.shrink->y;
            inputs.shrinkZ = options.shrink->z;
        }
        return coat::computeCoatParameters(inputs, parameters);
    }
    if (options.shrink)
        return coat::computeShrink(options.shrink->percent, options.shrink->x, options.shrink->y, options.shrink->z,
                                   parameters);
    return {};
}

// True when the path's extension is ".vrn" in any case.
bool antennaExtension(const std::string& path)
{
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vrn";
}

// The antenna file or the deck is a folder, or the deck would replace the antenna
// file: the same path, another spelling of it, a hard link or a symbolic link to it. A
// deck named like an antenna file is refused too: "vrn2nec *.vrn" over two antenna files
// would otherwise write the first one's deck over the second.
std::string checkDistinctFiles(const Options& options)
{
    const fileid::NamedFile antenna{options.input, "antenna file"};
    const fileid::NamedFile deck{options.deck, "deck"};
    const std::string folder = fileid::CheckNoFolders({antenna, deck});
    if (!folder.empty())
        return folder;
    if (std::string same = fileid::CheckOutputsAgainstInputs({antenna}, {deck}); !same.empty())
        return same;
    if (antennaExtension(options.deck))
        return "The deck " + options.deck
            + " is named like an antenna file (.vrn); give the deck another name. Nothing was written.";
    return {};
}

// With --coat the file must have a wire that the library coats, by its own radius rule.
// A file that does not read is left to the conversion's message.
std::string checkCoatedRadius(const Options& options, const conversion::ConversionOptions& settings)
{
    if (!options.coat)
        return {};
    vrn::AntennaModel model;
    const std::optional<double> frequency =
        settings.changeFrequency ? std::optional<double>(settings.frequencyMHz) : std::nullopt;
    if (!vrn::ReadAntennaFile(options.input, model, frequency).error.empty())
        return {};
    for (const vrn::WireRecord& wire : model.wires)
        if (vrn::IsCoated(wire.radius, settings.coat))
            return {};
    return "No wire of radius " + numtext::general(options.coat->wireRadiusMm) + " mm to coat in " + options.input
        + ".";
}

// A fresh file beside the deck for the library to write into. It replaces the deck only
// when the conversion is complete, so a failed conversion leaves an existing deck as it
// was; otherwise it is removed. The atomic writer then puts its bytes in place: the
// deck keeps its permissions, and a deck that is a symbolic link has its target
// replaced, as writing through it would.
class DeckBeside {
public:
    explicit DeckBeside(const std::string& deck) : deck_(deck)
    {
        struct stat existing {};
        const bool exists = ::stat(deck.c_str(), &existing) == 0;
        if (exists && ::access(deck.c_str(), W_OK) != 0)
            return; // a deck the user may not write stays as it is
        std::string pattern;
        if (exists && !S_ISREG(existing.st_mode)) {
            // A device or a FIFO: the library writes into the temporary folder instead.
            std::error_code ec;
            pattern = (fs::temp_directory_path(ec) / "vrn2nec-XXXXXX").string();
        } else {
            // The name is the deck's (the file its links lead to) with six characters
            // more, or six characters alone where that would be too long for the library.
            fs::path target = deck;
            std::error_code ec;
            for (int link = 0; link < kMaxLinks && fs::is_symlink(target, ec); ++link) {
                const fs::path next = fs::read_symlink(target, ec);
                if (ec)
                    break;
                target = next.is_absolute() ? next : target.parent_path() / next;
            }
            pattern = target.string() + ".XXXXXX";
            if (pattern.size() > engine::kMaxPathBytes)
                pattern = (target.parent_path() / "XXXXXX").string();
        }
        const int fd = ::mkstemp(pattern.data());
        if (fd < 0)
            return;
        temporary_ = pattern;
        ::close(fd);
    }
    ~DeckBeside() { remove(); }
    DeckBeside(const DeckBeside&) = delete;
    DeckBeside& operator=(const DeckBeside&) = delete;

    // Empty when no file could be made.
    const std::string& path() const { return temporary_; }
    std::string failure() const { return atomicfile::UnableToWriteMessage(deck_); }

    // Puts the written file in place of the deck through the atomic writer (a device or
    // a FIFO is written into, never replaced); an empty text on success.
    std::string replaceDeck()
    {
        std::ifstream in(temporary_, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (!in.good() && !in.eof())
            return failure();
        if (!atomicfile::WriteFileAtomically(deck_, bytes).empty())
            return failure();
        remove();
        return {};
    }

private:
    static constexpr int kMaxLinks = 40; // as many as the system follows

    void remove()
    {
        if (!temporary_.empty())
            std::remove(temporary_.c_str());
        temporary_.clear();
    }

    std::string deck_;
    std::string temporary_;
};

const char* yesNo(bool value)
{
    return value ? "yes" : "no";
}

} // namespace

int ConvertAntenna(const Options& options, std::ostream& out, std::ostream& err, ConversionReport& report)
{
    conversion::ConversionOptions settings = options.conversion;
    // Everything that can be told before a file is touched.
    std::string problem = coatParameters(options, settings.coat);
    if (problem.empty())
        problem = engine::checkConversionValues(settings);
    if (problem.empty())
        problem = engine::checkPathLength(options.input);
    if (problem.empty())
        problem = engine::checkPathLength(options.deck);
    if (problem.empty())
        problem = checkDistinctFiles(options);
    if (problem.empty())
        problem = checkCoatedRadius(options, settings);
    if (!problem.empty()) {
        err << problem << "\n";
        return 1;
    }

    DeckBeside deck(options.deck);
    if (deck.path().empty()) {
        err << deck.failure() << "\n";
        return 1;
    }
    const engine::ConversionResult result = engine::convertAntenna(options.input, deck.path(), settings);
    const std::string error = result.error.empty() ? deck.replaceDeck() : result.error;
    if (!error.empty()) {
        err << error << "\n";
        return 1;
    }
    const double frequency = result.frequencyMHz, height = result.heightM, azimuth = result.azimuthDeg;
    const double theta = settings.thetaDeg;
    const bool sommerfeld = result.sommerfeldUsed;
    report = ConversionReport{options.deck, frequency, height, azimuth, theta, sommerfeld};
    out << "Deck: " << options.deck << "\n"
        << "Frequency: " << numtext::general(frequency) << " MHz\n"
        << "Height: " << numtext::general(height) << " m\n"
        << "Azimuth: " << numtext::general(azimuth) << " deg\n"
        << "Sommerfeld GN card: " << yesNo(sommerfeld) << "\n";
    return 0;
}

} // namespace vrnnec::vrn2nec