#include "results/RunTexts.h"

#include "common/NumberText.h"

#include <cmath>

namespace vrnnec::results {

namespace {

// Memo writing in the four memos' order.
enum MemoSet : unsigned {
    kScreen = 1u,  // ImpedanceScreen
    kScreen1 = 2u, // ImpedanceScreen1
    kMemo1 = 4u,   // Memo1
    kSheet = 8u,   // NEC2ResultSheetScreen
    kAllMemos = 15u,
};

void write(MemoLines& memos, unsigned which, const std::string& line)
{
    if (which & kScreen)
        memos.impedanceScreen.push_back(line);
    if (which & kScreen1)
        memos.impedanceScreen1.push_back(line);
    if (which & kMemo1)
        memos.memo1.push_back(line);
    if (which & kSheet)
        memos.nec2ResultSheetScreen.push_back(line);
}

std::string integerText(long long value)
{
    return std::to_string(value);
}

} // namespace

std::string SourceLine(long long tag, double r, double x, double swr, const engine::SwrReference& reference)
{
    std::string line = "Source in wire N " + integerText(tag) + ":      Z=" + numtext::fixed(r, 8, 3);
    line += x >= 0 ? " + j " : " - j ";
    line += numtext::fixed(std::fabs(x), 8, 3);
    line += "   SWR(" + numtext::general(reference.r);
    line += reference.x >= 0 ? "+j" + numtext::general(reference.x) : "-j" + numtext::general(std::fabs(reference.x));
    line += ")=" + engine::SwrText(swr);
    return line;
}

RunTexts FormatRunTexts(const engine::EngineOutput& output, const engine::ReadingInputs& inputs,
                        const engine::SwrReference& reference)
{
    RunTexts texts;
    if (!output.frequency)
        return texts;
    MemoLines& memos = texts.memos;
    const std::string runText = integerText(inputs.runNumber);
    const std::string frequencyText = numtext::general(*output.frequency);
    write(memos, kAllMemos, "Frequency:   " + frequencyText + "  MHz");
    if (!output.environmentRead)
        return texts;
    write(memos, kScreen, "---Antenna environment---");
    write(memos, kScreen1 | kMemo1 | kSheet, "Antenna environment:");
    for (const std::string& text : output.environmentLines)
        write(memos, kAllMemos, text);

    for (const engine::SourceResult& source : output.sources) {
        write(memos, kAllMemos, SourceLine(source.tag, source.r, source.x, source.swr, reference));
        std::string swrCell = engine::SwrText(source.swr);
        if (!engine::IsStandardSwrReference(reference))
            swrCell += "*";
        texts.table.push_back(
            TableStep{true,
                      0,
                      {runText, integerText(source.tag), frequencyText, numtext::fixed(source.r, 8, 3),
                       (source.x >= 0 ? "+j" : "-j") + numtext::fixed(std::fabs(source.x), 8, 3), std::move(swrCell)}});
    }
    if (output.excitationLine) {
        write(memos, kAllMemos, "Exitation:");
        write(memos, kAllMemos, *output.excitationLine);
        texts.table.push_back(TableStep{true, 0, {runText, "no src", frequencyText, "NA", "NA", "NA"}});
    }
    if (!output.maxTotalGain)
        return texts;

    const std::string elevationText = numtext::fixed(output.azimuthCutElevation, 3, 1);
    const std::string azMaxText = numtext::fixed(output.azimuthMaxGain, 4, 2);
    const std::string azimuthCutText = numtext::fixed(output.elevationCutAzimuth, 3, 1);
    const std::string elMaxText = numtext::fixed(output.elevationMaxGain, 4, 2);
    write(memos, kScreen, "----- Azimuth diagram -----");
    write(memos, kAllMemos, "Elevation angle: " + elevationText + " deg");
    write(memos, kAllMemos,
          "Max Gain: " + azMaxText + " dBi" + "  at azimuth: " + integerText(output.azimuthOfMax)
              + " deg,  F/B: " + numtext::fixed(output.frontToBack, 4, 2) + " dB");
    write(memos, kScreen, "-----Elevation diagram-----");
    write(memos, kAllMemos, "Azimuth angle: " + azimuthCutText + " deg");
    write(memos, kAllMemos,
          "Max Gain: " + elMaxText + " dBi at elevation  " + integerText(output.elevationOfMax) + " deg");
    write(memos, kScreen | kMemo1 | kSheet, "***");

    texts.table.push_back(TableStep{
        false,
        6,
        {output.groundLabel, inputs.heightUnknown ? "NA" : numtext::general(inputs.antennaHeight), elevationText,
         azMaxText, integerText(output.azimuthOfMax) + " deg", azimuthCutText, elMaxText,
         integerText(output.elevationOfMax) + " deg", inputs.coatedRun ? "Diel" : "-"}});
    return texts;
}

} // namespace vrnnec::results
