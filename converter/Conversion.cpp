#include "converter/Conversion.h"

#include "converter/AntennaFile.h"
#include "converter/ConverterMessages.h"

#include <cmath>
#include <cstdio>

namespace vrnnec::vrn {

namespace {

// The caller's numbers that the conversion computes with must be finite.
std::string checkCallerValues(const std::string& fileName, const conversion::ConversionOptions& o)
{
    if (o.changeFrequency && std::isinf(o.frequencyMHz))
        return messages::frequencyNotFinite(fileName);
    if (o.changeHeight && !std::isfinite(o.heightM))
        return messages::notFinite("Antenna height");
    if (!std::isfinite(o.azimuthDeg))
        return messages::notFinite("Azimuth angle");
    if (!std::isfinite(o.groundEps) || !std::isfinite(o.groundSigma))
        return messages::notFinite("Ground permittivity or conductivity");
    const coat::CoatParameters& c = o.coat;
    if (!std::isfinite(c.wireRadius) || !std::isfinite(c.coatRadius) || !std::isfinite(c.inductance))
        return messages::notFinite("Coat radius or inductance");
    if ((c.shrinkX || c.shrinkY || c.shrinkZ) && !std::isfinite(c.shrinkFactor))
        return messages::notFinite("Shrink factor");
    return {};
}

// The deck file, written as the cards come.
class DeckFile : public DeckSink {
public:
    explicit DeckFile(const std::string& path)
        : file_(path.find('\0') == std::string::npos ? std::fopen(path.c_str(), "wb") : nullptr)
    {}
    ~DeckFile() override { close(); }
    DeckFile(const DeckFile&) = delete;
    DeckFile& operator=(const DeckFile&) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(std::string_view text) override
    {
        if (file_ && std::fwrite(text.data(), 1, text.size(), file_) != text.size())
            failed_ = true;
    }
    // Closes the file; false when some text did not reach it.
    bool close()
    {
        if (file_ && std::fclose(file_) != 0)
            failed_ = true;
        file_ = nullptr;
        return !failed_;
    }

private:
    std::FILE* file_;
    bool failed_ = false;
};

} // namespace

ConversionResult ConvertAntennaFile(const std::string& fileName, const std::string& deckPath,
                                    const conversion::ConversionOptions& options)
{
    ConversionResult result;
    result.error = checkCallerValues(fileName, options);
    if (!result.error.empty())
        return result;

    AntennaModel model;
    const std::optional<double> frequencyOverride =
        options.changeFrequency ? std::optional<double>(options.frequencyMHz) : std::nullopt;
    const AntennaFileReading reading = ReadAntennaFile(fileName, model, frequencyOverride);
    if (reading.frequencyRead && !options.changeFrequency)
        result.frequencyMHz = model.fileFrequency;
    if (!reading.error.empty()) {
        result.error = reading.error;
        return result;
    }

    ApplyShrink(model.wires, options.coat);

    const Segmentation segmentation = SegmentWires(model, options, fileName);
    if (!segmentation.error.empty()) {
        result.error = segmentation.error;
        return result;
    }

    // Free space always ends with height 0, whatever the file or the caller says.
    double height = 0;
    if (model.groundType == antenna::GroundType::FreeSpace)
        result.heightM = 0.0;
    else if (options.changeHeight)
        height = options.heightM;
    else
        result.heightM = height = model.height;

    result.error = CheckGround(model, height, ComputeStackShifts(model), options.perfectGround, fileName);
    if (!result.error.empty())
        return result;

    DeckFile deck(deckPath);
    if (!deck.isOpen()) {
        result.error = messages::deckOpenError();
        return result;
    }
    DeckOutcome cards = WriteCards(model, segmentation, height, options, deck);
    result.sommerfeldUsed = cards.sommerfeldUsed;
    result.azimuthDeg = cards.azimuthDeg;
    result.error = std::move(cards.error);
    if (!deck.close() && result.error.empty())
        result.error = messages::deckWriteError();
    return result;
}

} // namespace vrnnec::vrn