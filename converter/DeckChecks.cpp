// Segmentation, stack shifts, ground checks and the placement rules of DeckWriter.h.
#include "converter/ConverterMessages.h"
#include "converter/DeckWriter.h"

#include "common/NumberText.h"

#include <cmath>
#include <limits>

namespace vrnnec::vrn {

namespace {

constexpr double kMaxSegments = 2147483646; // beyond any sensible count; the total check refuses it

// Nearest count, ties to even, kept within what a 32-bit count holds (also for NaN).
long long roundSegments(double value)
{
    if (!(value < kMaxSegments))
        return static_cast<long long>(kMaxSegments);
    if (value <= -kMaxSegments)
        return -static_cast<long long>(kMaxSegments);
    return numtext::roundHalfEven(value);
}

double wireLength(const WireRecord& w)
{
    const double dx = w.x2 - w.x1;
    const double dy = w.y2 - w.y1;
    const double dz = w.z2 - w.z1;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

} // namespace

Segmentation SegmentWires(const AntennaModel& model, const conversion::ConversionOptions& options,
                          std::string_view name)
{
    Segmentation result;
    const double f = model.frequency;
    const double ratio = options.useEK ? 2 : 8; // segment length over radius at least this
    result.segments.reserve(model.wires.size());
    for (const WireRecord& wire : model.wires) {
        const double length = wireLength(wire);
        long long segments = 0;
        bool thinEnough = false;
        if (wire.segmentation < -3) {
            result.error = messages::segmentationCodeError(name);
            return result;
        }
        if (wire.segmentation <= 0) {
            const bool dm2 = wire.segmentation == 0 || options.useDM2;
            const double density = static_cast<double>(dm2 ? model.densityDm2 : model.densityDm1);
            segments = roundSegments(length * density * f / 300) + 1;
            thinEnough = 300 / (density * f * ratio) >= wire.radius;
        } else {
            segments = wire.segmentation;
            thinEnough = length / (static_cast<double>(segments) * ratio) >= wire.radius;
        }
        if (!thinEnough) {
            result.error = messages::segmentationTooDense(name);
            return result;
        }
        if (options.useCSDVS && segments % 2 != 0)
            ++segments;
        result.segments.push_back(segments);
        result.total += segments;
    }
    // Every stack copy repeats the described wires, so it repeats their segments too.
    const long long copies = model.stackPresent ? model.stack.countY * model.stack.countZ : 1;
    if (copies > 1)
        result.total = result.total > std::numeric_limits<long long>::max() / copies
            ? std::numeric_limits<long long>::max()
            : result.total * copies;
    if (result.total > kMaxTotalSegments)
        result.error = messages::tooManySegments(result.total, name);
    return result;
}

StackShifts ComputeStackShifts(const AntennaModel& model)
{
    StackShifts shifts;
    if (!model.stackPresent)
        return shifts;
    const StackSpec& s = model.stack;
    if (s.countY > 1)
        shifts.y = static_cast<double>(1 - s.countY) * s.spacingY / 2;
    if (s.countZ > 1) {
        if (s.mode == 0)
            shifts.z = static_cast<double>(1 - s.countZ) * s.spacingZ / 2;
        else if (s.mode == 2)
            shifts.z = static_cast<double>(1 - s.countZ) * s.spacingZ;
    }
    return shifts;
}

std::string CheckGround(const AntennaModel& model, double height, const StackShifts& shifts, bool perfectGround,
                        std::string_view name)
{
    if (!antenna::isOverGround(model.groundType))
        return {};
    const bool perfectFile = model.groundType == antenna::GroundType::PerfectGround;
    const bool overPlane = perfectFile || perfectGround;
    for (const WireRecord& wire : model.wires) {
        const double z1 = wire.z1 + height + shifts.z;
        const double z2 = wire.z2 + height + shifts.z;
        if (overPlane) {
            if (z1 < 0 || z2 < 0 || (z1 == 0 && z2 == 0))
                return perfectFile ? messages::underPerfectGround(name)
                                   : messages::underPerfectGroundOfRealGroundFile(name);
        } else if (!(z1 > 0 && z2 > 0)) {
            return messages::touchingRealGround(name);
        }
    }
    return {};
}

long long SegmentAt(long long segments, WirePosition position)
{
    const double p = static_cast<double>(static_cast<int>(position));
    long long s = numtext::roundHalfEven(static_cast<double>(segments) * (p + 1) / 2);
    if (s < 1)
        s = 1;
    if (s > segments)
        s = segments;
    return s;
}

long long CsdvsSourceSegment(long long segments, long long segment)
{
    long long s = segment;
    if (s == segments)
        s = segments - 1;
    if (s == 1)
        s = 2;
    if (s != 2 && s != segments - 1)
        s = segments / 2 + 1; // trunc(segments / 2 + 1)
    return s;
}

double NormaliseAzimuth(double azimuthDeg)
{
    // Adding 360 to a negative value whose result stays negative is exact, so the
    // loop of additions ends at fmod(value, 360) + 360 with one rounding, like here.
    double a = std::fmod(azimuthDeg, 360.0);
    if (a < 0)
        a += 360.0;
    // That rounding may reach 360 (-1e-20 + 360); whole turns are then taken off.
    if (a >= 360.0)
        a -= 360.0;
    return a + 0.0; // no negative zero
}

} // namespace vrnnec::vrn