// Time of one conversion of a large antenna: 1000 wires of 3 segments (3000 in all, the
// most a deck may hold; a stack would multiply them), with 50 loads of both kinds and
// half the wires coated.
#include "common/ConversionOptions.h"
#include "converter/VRN_NEC.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

using namespace vrnnec;

namespace {

constexpr int kWires = 1000;
constexpr int kLoads = 50;

// A grid of short horizontal wires over real ground (lowest layer 4.5 m up); even wires are 1 mm thick,
// odd ones 1.5 mm, so the coat of 1 mm wires touches half of them.
std::string generatedAntenna()
{
    std::string t = "Generated grid of 1000 wires\r\n*** Frequency (MHz) ***\r\n14.2\r\n*** Wires ***\r\n";
    t += std::to_string(kWires) + "\r\n";
    char line[160];
    for (int i = 0; i < kWires; ++i) {
        const double x = (i % 40) * 0.75, z = 2 + (i / 40) * 0.5;
        std::snprintf(line, sizeof line, "%.3f,\t-0.3,\t%.3f,\t%.3f,\t0.3,\t%.3f,\t%s,\t3\r\n", x, z, x + 0.01, z,
                      i % 2 == 0 ? "0.001" : "0.0015");
        t += line;
    }
    t += "*** Sources ***\r\n2\r\nw1c,\t0,\t1\r\nw500c,\t90,\t1\r\n*** Loads ***\r\n";
    t += std::to_string(kLoads) + ",\t1\r\n";
    for (int j = 0; j < kLoads; ++j) {
        if (j % 2 == 0)
            std::snprintf(line, sizeof line, "w%dc,\t0,\t%.1f,\t%d,\t150\r\n", 10 + 19 * j, 1.5 + j, 10 * j);
        else
            std::snprintf(line, sizeof line, "w%de,\t1,\t%d.5,\t-%d\r\n", 10 + 19 * j, j, 2 * j);
        t += line;
    }
    t += "*** Segmentation density ***\r\n400,\t40,\t2,\t1\r\n"
         "*** Ground (type, height, material, R, -, -, X) ***\r\n2,\t15,\t1,\t50,\t0,\t0,\t0\r\n";
    return t;
}

void setBuffer(unsigned char* buffer, const std::string& text)
{
    if (text.size() > VRN_NEC_STRING_HIGH)
        throw std::runtime_error("path too long for the library: " + text);
    buffer[0] = static_cast<unsigned char>(text.size());
    std::memcpy(buffer + 1, text.data(), text.size());
}

void ConvertLargeAntenna(benchmark::State& state)
{
    const auto folder = std::filesystem::temp_directory_path() / ("bench_convert_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string input = (folder / "grid.vrn").string();
    std::ofstream(input, std::ios::binary) << generatedAntenna();

    unsigned char fileName[256], deckPath[256], errorText[256];
    setBuffer(fileName, input);
    setBuffer(deckPath, (folder / "grid.nec").string());
    // The plain calculation's options with the 1 mm wires coated to 2 mm (permittivity 3)
    // and all wires 2 % shorter.
    conversion::ConversionOptions options;
    const std::string coatMessage = coat::computeCoatParameters(coat::CoatInputs{1, 2, 3, 2}, options.coat);
    if (!coatMessage.empty())
        throw std::runtime_error(coatMessage);
    bool useDM2 = options.useDM2, useCSDVS = options.useCSDVS, useEK = options.useEK;
    bool changeFrequency = options.changeFrequency, changeHeight = options.changeHeight;
    bool perfectGround = options.perfectGround, sommerfeld = false;
    bool shrinkX = options.coat.shrinkX, shrinkY = options.coat.shrinkY, shrinkZ = options.coat.shrinkZ;
    double theta = options.thetaDeg, frequency = options.frequencyMHz, height = options.heightM;
    double eps = options.groundEps, sigma = options.groundSigma;
    double coatWire = options.coat.wireRadius, coatRadius = options.coat.coatRadius;
    double coatInductance = options.coat.inductance, shrinkFactor = options.coat.shrinkFactor;
    for (auto _ : state) {
        double azimuth = -30;
        VRN_to_NEC(fileName, VRN_NEC_STRING_HIGH, deckPath, VRN_NEC_STRING_HIGH, &useDM2, &useCSDVS, &azimuth, &theta,
                   &changeFrequency, &frequency, &changeHeight, &height, &eps, &sigma, &perfectGround, &sommerfeld,
                   &coatWire, &coatRadius, &coatInductance, &shrinkFactor, &shrinkX, &shrinkY, &shrinkZ, &useEK,
                   errorText, VRN_NEC_STRING_HIGH);
        if (errorText[0] != 0) {
            state.SkipWithError(std::string(reinterpret_cast<char*>(errorText + 1), errorText[0]).c_str());
            break;
        }
    }
    std::filesystem::remove_all(folder);
}

} // namespace

BENCHMARK(ConvertLargeAntenna)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
