// The cards of the NEC-2 deck, from "CE" to "EN".
#include "converter/DeckWriter.h"

#include "converter/ConverterMessages.h"

#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace vrnnec::vrn {

namespace {

using numtext::deckExponent6;
using numtext::deckFixed3;
using numtext::deckFixed4;
using numtext::deckGeneral;

// Conductivity in S/m of the lossy wire materials, as the deck writes them.
// No card for the perfect conductor and for codes that are no known material.
const char* materialConductivity(antenna::WireMaterial material)
{
    using enum antenna::WireMaterial;
    switch (material) {
    case Lossy1:
    case Lossy2: return "58139534";
    case Lossy3:
    case Lossy4: return "25000000";
    case Lossy5:
    case Lossy6: return "1388888";
    default: return nullptr;
    }
}

// Collects cards and hands them to the deck sink in pieces of a few kilobytes.
class CardSink {
public:
    explicit CardSink(DeckSink& sink) : sink_(sink) { text_.reserve(kPiece + 512); }
    CardSink(const CardSink&) = delete;
    CardSink& operator=(const CardSink&) = delete;

    // Starts a card with its identifier; fields follow with single blanks.
    CardSink& card(const char* id)
    {
        text_ += id;
        return *this;
    }
    CardSink& field(const std::string& value)
    {
        text_ += ' ';
        text_ += value;
        return *this;
    }
    CardSink& field(const char* value)
    {
        text_ += ' ';
        text_ += value;
        return *this;
    }
    CardSink& field(long long value)
    {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        text_ += ' ';
        text_.append(digits, end);
        return *this;
    }
    void end()
    {
        text_ += "\r\n";
        if (text_.size() >= kPiece)
            flush();
    }
    // The last line, without a line end.
    void last(const char* id) { text_ += id; }

    void flush()
    {
        if (!text_.empty())
            sink_.write(text_);
        text_.clear();
    }

private:
    static constexpr std::size_t kPiece = 16384;
    DeckSink& sink_;
    std::string text_;
};

class StringSink : public DeckSink {
public:
    explicit StringSink(std::string& text) : text_(text) {}
    void write(std::string_view text) override { text_.append(text); }

private:
    std::string& text_;
};

// R of a parallel L-C-Q load: the parallel resistance that gives the circuit the
// quality factor Q at f (MHz, µH, pF), or a single 0 when Q defines none.
std::string parallelResistance(const LoadRecord& load, double f)
{
    const double q = load.quality, l = load.inductance, c = load.capacitance;
    if (!(q > 0))
        return "0";
    constexpr double twoPi = 2 * std::numbers::pi;
    if (l > 0 && c > 0)
        return deckFixed3(q * 1000 * std::sqrt(l / c));
    if (l > 0)
        return deckFixed3(twoPi * f * l * q);
    if (c > 0)
        return deckFixed3(q / (twoPi * f * c * 1e-6));
    return "0"; // Q without L or C defines no resistance
}

class DeckBuilder {
public:
    DeckBuilder(const AntennaModel& model, const Segmentation& segmentation, double height,
                const conversion::ConversionOptions& options, DeckOutcome& out, DeckSink& sink)
        : model_(model), segments_(segmentation.segments), height_(height), options_(options), out_(out), cards_(sink),
          wireCount_(static_cast<long long>(model.wires.size())),
          copies_(model.stackPresent ? model.stack.countY * model.stack.countZ : 1)
    {}

    void write()
    {
        writeCards();
        cards_.flush();
    }

private:
    void writeCards()
    {
        cards_.card("CE").end();
        writeWires();
        writeStack();
        writeHeight();
        cards_.card("GS").field("0").field("0").field("1").end();
        cards_.card("GE").field(antenna::isOverGround(model_.groundType) ? "1" : "0").end();
        if (options_.useEK)
            cards_.card("EK").end();
        writeLoads();
        writeCoatLoads();
        writeMaterial();
        writeGround();
        cards_.card("FR")
            .field("0")
            .field("1")
            .field("0")
            .field("0")
            .field(deckGeneral(model_.frequency))
            .field("0")
            .end();
        if (!writeSources())
            return;
        if (!writePatternCuts())
            return;
        cards_.last("EN");
    }

    long long segmentsOf(long long wire) const { return segments_[static_cast<std::size_t>(wire - 1)]; }

    // Runs `writeOne(tag)` for the described wire and then for each stack copy.
    template <typename F>
    void forEachCopy(long long wire, F writeOne)
    {
        for (long long k = 0; k < copies_; ++k)
            writeOne(wire + k * wireCount_);
    }

    void writeWires()
    {
        const double substitute = options_.coat.coatRadius;
        for (long long i = 1; i <= wireCount_; ++i) {
            const WireRecord& w = model_.wires[static_cast<std::size_t>(i - 1)];
            const double radius = IsCoated(w.radius, options_.coat) ? substitute : w.radius;
            cards_.card("GW").field(i).field(segmentsOf(i));
            for (double v : {w.x1, w.y1, w.z1, w.x2, w.y2, w.z2, radius})
                cards_.field(deckGeneral(v));
            cards_.end();
        }
    }

    void writeStack()
    {
        if (!model_.stackPresent)
            return;
        const StackSpec& s = model_.stack;
        const StackShifts shifts = ComputeStackShifts(model_);
        if (s.countY > 1) {
            cards_.card("GM")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field(deckGeneral(shifts.y))
                .field("0")
                .field("0")
                .end();
            cards_.card("GM")
                .field(wireCount_)
                .field(s.countY - 1)
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field(deckGeneral(s.spacingY))
                .field("0")
                .field("0")
                .end();
        }
        if (s.countZ > 1) {
            if (s.mode != 1)
                cards_.card("GM")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field(deckGeneral(shifts.z))
                    .field("0")
                    .end();
            cards_.card("GM")
                .field(wireCount_ * s.countY)
                .field(s.countZ - 1)
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field(deckGeneral(s.spacingZ))
                .field("0")
                .end();
        }
    }

    void writeHeight()
    {
        if (model_.groundType != antenna::GroundType::FreeSpace && height_ != 0)
            cards_.card("GM")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field("0")
                .field(deckGeneral(height_))
                .field("0")
                .end();
    }

    void writeLoads()
    {
        if (model_.loadCount <= 0 || model_.loadSwitch != 1)
            return;
        for (const LoadRecord& load : model_.loads) {
            const long long s = SegmentAt(segmentsOf(load.wire), load.position);
            if (load.type == LoadType::ParallelLcq) {
                const std::string r = parallelResistance(load, model_.frequency);
                const std::string l = deckGeneral(load.inductance * 1e-6);
                const std::string c = deckGeneral(load.capacitance * 1e-12);
                forEachCopy(load.wire, [&](long long tag) {
                    cards_.card("LD").field("1").field(tag).field(s).field(s).field(r).field(l).field(c).end();
                });
            } else {
                const std::string r = deckGeneral(load.resistance);
                const std::string x = deckGeneral(load.reactance);
                forEachCopy(load.wire, [&](long long tag) {
                    cards_.card("LD").field("4").field(tag).field(s).field(s).field(r).field(x).end();
                });
            }
        }
    }

    void writeCoatLoads()
    {
        if (!(options_.coat.inductance > 0))
            return;
        const std::string inductance = deckExponent6(options_.coat.inductance);
        for (long long i = 1; i <= wireCount_; ++i) {
            if (!IsCoated(model_.wires[static_cast<std::size_t>(i - 1)].radius, options_.coat))
                continue;
            forEachCopy(i, [&](long long tag) {
                cards_.card("LD")
                    .field("2")
                    .field(tag)
                    .field("1")
                    .field(segmentsOf(i))
                    .field("0")
                    .field(inductance)
                    .field("0")
                    .end();
            });
        }
    }

    void writeMaterial()
    {
        const char* conductivity = materialConductivity(model_.material);
        if (!conductivity)
            return;
        for (long long i = 1; i <= wireCount_; ++i)
            forEachCopy(i, [&](long long tag) {
                cards_.card("LD").field("5").field(tag).field("0").field("0").field(conductivity).end();
            });
    }

    void writeGround()
    {
        switch (model_.groundType) {
        case antenna::GroundType::FreeSpace: out_.sommerfeldUsed = false; break;
        case antenna::GroundType::PerfectGround:
            cards_.card("GN").field("1").end();
            out_.sommerfeldUsed = false;
            break;
        case antenna::GroundType::RealGround:
            if (options_.perfectGround) {
                cards_.card("GN").field("1").end();
                out_.sommerfeldUsed = false;
            } else {
                cards_.card("GN")
                    .field("2")
                    .field("0")
                    .field("0")
                    .field("0")
                    .field(deckGeneral(options_.groundEps))
                    .field(deckGeneral(options_.groundSigma))
                    .end();
                out_.sommerfeldUsed = true;
            }
            break;
        default: break; // no card; the caller's flag stays as it was
        }
    }

    bool writeSources()
    {
        const char* kind = options_.useCSDVS ? "5" : "0";
        for (const SourceRecord& source : model_.sources) {
            const long long wireSegments = segmentsOf(source.wire);
            long long s = SegmentAt(wireSegments, source.position);
            if (options_.useCSDVS) {
                if (wireSegments < 2) {
                    out_.error = messages::wireNeedsDenserSegmentation(source.wire);
                    return false;
                }
                s = CsdvsSourceSegment(wireSegments, s);
            }
            const double phase = source.phaseDeg * std::numbers::pi / 180;
            const std::string re = deckFixed4(source.amplitude * std::cos(phase));
            const std::string im = deckFixed4(source.amplitude * std::sin(phase));
            forEachCopy(source.wire, [&](long long tag) {
                cards_.card("EX").field(kind).field(tag).field(s).field("0").field(re).field(im).end();
            });
        }
        return true;
    }

    bool writePatternCuts()
    {
        const double theta = options_.thetaDeg;
        if (!(theta >= 0 && theta <= 180)) {
            out_.error = messages::elevationAngleError();
            return false;
        }
        // Azimuth cut: one theta, 360 phi values from 0 in steps of 1 degree.
        cards_.card("RP")
            .field("0")
            .field("1")
            .field("360")
            .field("1000")
            .field(deckGeneral(theta))
            .field("0")
            .field("0")
            .field("1")
            .end();
        // Elevation cut: 181 theta values from 90 in steps of -1 degree at one phi.
        const double azimuth = NormaliseAzimuth(options_.azimuthDeg);
        out_.azimuthDeg = azimuth;
        cards_.card("RP")
            .field("0")
            .field("181")
            .field("1")
            .field("1000")
            .field("90")
            .field(deckGeneral(azimuth))
            .field("-1")
            .field("0")
            .end();
        return true;
    }

    const AntennaModel& model_;
    const std::vector<long long>& segments_;
    double height_;
    const conversion::ConversionOptions& options_;
    DeckOutcome& out_;
    CardSink cards_;
    long long wireCount_;
    long long copies_;
};

} // namespace

DeckOutcome WriteCards(const AntennaModel& model, const Segmentation& segmentation, double height,
                       const conversion::ConversionOptions& options, DeckSink& sink)
{
    DeckOutcome out;
    DeckBuilder(model, segmentation, height, options, out, sink).write();
    return out;
}

DeckCards WriteCards(const AntennaModel& model, const Segmentation& segmentation, double height,
                     const conversion::ConversionOptions& options)
{
    DeckCards cards;
    StringSink sink(cards.text);
    static_cast<DeckOutcome&>(cards) = WriteCards(model, segmentation, height, options, sink);
    return cards;
}

} // namespace vrnnec::vrn