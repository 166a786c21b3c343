#include "Vrn2NecOptions.h"

#include "common/NumberText.h"

#include <filesystem>

namespace vrnnec::vrn2nec {

namespace {

class ArgumentList {
public:
    explicit ArgumentList(const std::vector<std::string>& args) : args_(args) {}

    bool done() const { return next_ >= args_.size(); }
    const std::string& take() { return args_[next_++]; }

    // The number after an option; sets `error` when it is missing or does not read.
    bool number(const std::string& option, double& value, std::string& error)
    {
        if (done()) {
            error = "Option " + option + " needs a value.";
            return false;
        }
        const std::string& text = take();
        if (!numtext::parseReal(text, value)) {
            error = numtext::invalidFloatMessage(text) + " (option " + option + ").";
            return false;
        }
        return true;
    }

private:
    const std::vector<std::string>& args_;
    std::size_t next_ = 0;
};

// "PERCENT" or "PERCENT:axes" with axes made of x, y and z.
bool parseShrink(const std::string& text, ShrinkRequest& shrink, std::string& error)
{
    const auto colon = text.find(':');
    const std::string percent = text.substr(0, colon);
    if (!numtext::parseReal(percent, shrink.percent)) {
        error = numtext::invalidFloatMessage(percent) + " (option --shrink).";
        return false;
    }
    if (colon == std::string::npos)
        return true;
    const std::string axes = text.substr(colon + 1);
    shrink.x = shrink.y = shrink.z = false;
    for (char axis : axes) {
        switch (axis) {
        case 'x':
        case 'X': shrink.x = true; break;
        case 'y':
        case 'Y': shrink.y = true; break;
        case 'z':
        case 'Z': shrink.z = true; break;
        default: error = "Option --shrink takes the axes as letters x, y and z, not '" + axes + "'."; return false;
        }
    }
    if (axes.empty()) {
        error = "Option --shrink needs at least one axis after the colon.";
        return false;
    }
    return true;
}

} // namespace

ParsedCommandLine ParseOptions(const std::vector<std::string>& args)
{
    ParsedCommandLine parsed;
    Options& o = parsed.options;
    conversion::ConversionOptions& c = o.conversion;
    std::string& error = parsed.error;
    std::vector<std::string> paths;
    bool polarizationGiven = false;
    ArgumentList list(args);
    while (!list.done() && error.empty()) {
        const std::string& arg = list.take();
        double value = 0;
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            return parsed;
        } else if (arg == "--dm2") {
            c.useDM2 = true;
        } else if (arg == "--dm1") {
            c.useDM2 = false;
        } else if (arg == "--csdvs") {
            c.useCSDVS = true;
        } else if (arg == "--ek") {
            c.useEK = true;
        } else if (arg == "--perfect-ground") {
            c.perfectGround = true;
        } else if (arg == "--elevation") {
            if (list.number(arg, value, error))
                c.thetaDeg = 90 - value;
        } else if (arg == "--azimuth") {
            list.number(arg, c.azimuthDeg, error);
        } else if (arg == "--freq") {
            if (list.number(arg, value, error)) {
                c.changeFrequency = true;
                c.frequencyMHz = value;
            }
        } else if (arg == "--height") {
            if (list.number(arg, value, error)) {
                c.changeHeight = true;
                c.heightM = value;
            }
        } else if (arg == "--ground-eps") {
            list.number(arg, c.groundEps, error);
        } else if (arg == "--ground-sigma") {
            list.number(arg, c.groundSigma, error);
        } else if (arg == "--coat") {
            CoatRequest coat;
            if (list.number(arg, coat.wireRadiusMm, error) && list.number(arg, coat.coatRadiusMm, error)
                && list.number(arg, coat.permittivity, error))
                o.coat = coat;
        } else if (arg == "--shrink") {
            ShrinkRequest shrink;
            if (list.done())
                error = "Option --shrink needs a value.";
            else if (parseShrink(list.take(), shrink, error))
                o.shrink = shrink;
        } else if (arg == "--run") {
            o.run = true;
        } else if (arg == "--keep" || arg == "--diagrams" || arg == "--currents" || arg == "--polarization") {
            if (list.done()) {
                error = "Option " + arg + " needs a value.";
                break;
            }
            const std::string& value = list.take();
            if (arg == "--keep")
                o.keepDir = value;
            else if (arg == "--diagrams")
                o.diagramsDir = value;
            else if (arg == "--currents")
                o.currentsFile = value;
            else if (value == "total" || value == "h" || value == "v" || value == "vh") {
                o.polarization = value;
                polarizationGiven = true;
            }
            else
                error = "Option --polarization takes total, h, v or vh, not '" + value + "'.";
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-") {
            error = "Unknown option " + arg + ".";
        } else {
            paths.push_back(arg);
        }
    }
    if (!error.empty())
        return parsed;
    if (!o.run && (!o.keepDir.empty() || !o.diagramsDir.empty() || !o.currentsFile.empty()))
        error = "Options --keep, --diagrams and --currents go with --run.";
    else if (polarizationGiven && o.diagramsDir.empty())
        error = "Option --polarization goes with --diagrams.";
    else if (paths.empty())
        error = "No antenna file given.";
    else if (paths.size() > 2)
        error = "Too many file names: give INPUT.vrn and at most one DECK.";
    else if (o.run && paths.size() == 2)
        // A run writes no deck of its own: DECK would be left unwritten without a word.
        error = "With --run no DECK is written: give only INPUT.vrn (--keep DIR keeps the deck).";
    else {
        o.input = paths[0];
        o.deck = paths.size() == 2 ? paths[1] : DefaultDeckPath(paths[0]);
    }
    return parsed;
}

std::string UsageText()
{
    return "Usage: vrn2nec [--dm2 | --dm1] [--csdvs] [--ek] [--elevation DEG] [--azimuth DEG] [--freq MHZ]\n"
           "               [--height M] [--ground-eps E] [--ground-sigma S_PER_M] [--perfect-ground]\n"
           "               [--coat RW_MM RC_MM EPS] [--shrink PERCENT[:xyz]] INPUT.vrn [DECK]\n"
           "       vrn2nec --run [--keep DIR] [--diagrams DIR [--polarization total|h|v|vh]]\n"
           "               [--currents FILE] [conversion options] INPUT.vrn\n"
           "\n"
           "Converts a VORNA antenna file into a NEC-2 deck (default DECK: INPUT with the extension .nec).\n"
           "With --run the deck is run through the engine script GoNec.bat of the program folder in a\n"
           "temporary folder and the results summary is printed, one line per line of the summary.\n"
           "  --dm2 / --dm1        automatic wires use the second (default) or the first segment density\n"
           "  --csdvs              current-slope-discontinuity voltage sources, even segment counts\n"
           "  --ek                 extended thin-wire kernel\n"
           "  --elevation DEG      elevation of the azimuth pattern cut (default 20)\n"
           "  --azimuth DEG        azimuth of the elevation pattern cut (default 0)\n"
           "  --freq MHZ           frequency instead of the file's\n"
           "  --height M           height instead of the file's\n"
           "  --ground-eps E       real ground permittivity (default 13)\n"
           "  --ground-sigma S     real ground conductivity in S/m (default 0.005)\n"
           "  --perfect-ground     compute a real-ground file over perfect ground\n"
           "  --coat RW RC EPS     coat the wires of radius RW mm to radius RC mm, permittivity EPS\n"
           "  --shrink P[:xyz]     make the wires P % shorter along the given axes (default all)\n"
           "  --run                run the engine and print the results summary\n"
           "  --keep DIR           run in DIR and keep the deck and the listings there\n"
           "  --diagrams DIR       save the azimuth and elevation diagrams (BMP) into DIR\n"
           "  --polarization P     component drawn in the diagrams: total (default), h, v or vh\n"
           "  --currents FILE      save the currents of all segments as comma-separated values\n";
}

std::string DefaultDeckPath(const std::string& input)
{
    std::filesystem::path path(input);
    path.replace_extension(".nec");
    return path.string();
}

} // namespace vrnnec::vrn2nec