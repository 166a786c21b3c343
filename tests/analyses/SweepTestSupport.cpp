#include "SweepTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace sweeptest {

std::string dataPath(const std::string& relative)
{
    return std::string(TEST_DATA_DIR) + "/" + relative;
}

namespace {

std::string format(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

std::string frequencyHeading()
{
    return std::string(33, ' ') + "- - - - - - FREQUENCY - - - - - -";
}

std::string inputHeading()
{
    return std::string(42, ' ') + "- - - ANTENNA INPUT PARAMETERS - - -";
}

std::string sourceRow(const Row& row)
{
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, " %5lld %5d%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E%12.5E", row.tag, 6,
                  1.0, 0.0, 0.01, -0.002, row.r, row.x, 0.0125, -0.0025, 0.005);
    return buffer;
}

std::vector<std::string> block(double frequency, const std::vector<Row>& rows)
{
    std::vector<std::string> l = {frequencyHeading(),
                                  "",
                                  std::string(36, ' ') + format("FREQUENCY=%11.4E MHZ", frequency),
                                  std::string(36, ' ') + format("WAVELENGTH=%11.4E METERS", 299.8 / frequency),
                                  "",
                                  inputHeading(),
                                  "",
                                  "   TAG   SEG.    VOLTAGE (VOLTS)",
                                  "   NO.   NO.    REAL"};
    for (const Row& row : rows)
        l.push_back(sourceRow(row));
    l.push_back("");
    l.push_back("");
    return l;
}

std::vector<std::string> listing(const std::vector<std::vector<std::string>>& blocks)
{
    std::vector<std::string> l = {"1", "", std::string(20, ' ') + "NUMERICAL ELECTROMAGNETICS CODE", ""};
    for (const auto& b : blocks)
        l.insert(l.end(), b.begin(), b.end());
    l.push_back(" ***** DATA CARD NO.  6   EN   0     0     0     0  0.00000E+00");
    l.push_back(" RUN TIME =     0.005");
    return l;
}

} // namespace sweeptest
