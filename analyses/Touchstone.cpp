#include "analyses/Touchstone.h"


#include "common/AtomicFile.h"
#include "common/NumberText.h"

#include <lapacke.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

namespace vrnnec::analyses {

namespace {

ComplexMatrix identityPlus(const ComplexMatrix& m, Complex factor)
{
    ComplexMatrix out(m.size);
    for (int i = 0; i < m.size; ++i)
        for (int j = 0; j < m.size; ++j)
            out.at(i, j) = factor * m.at(i, j) + (i == j ? 1.0 : 0.0);
    return out;
}

// Solves A X = B (both n x n); nothing when A is singular.
std::optional<ComplexMatrix> solve(ComplexMatrix a, ComplexMatrix b)
{
    const int n = a.size;
    if (n == 0)
        return b;
    std::vector<lapack_int> pivots(static_cast<std::size_t>(n));
    static_assert(sizeof(Complex) == sizeof(lapack_complex_double));
    const lapack_int info = LAPACKE_zgesv(LAPACK_ROW_MAJOR, n, n, reinterpret_cast<lapack_complex_double*>(a.values.data()),
                                          n, pivots.data(), reinterpret_cast<lapack_complex_double*>(b.values.data()), n);
    if (info != 0)
        return std::nullopt;
    for (const Complex& v : b.values)
        if (!std::isfinite(v.real()) || !std::isfinite(v.imag()))
            return std::nullopt;
    return b;
}

ComplexMatrix identity(int n)
{
    ComplexMatrix u(n);
    for (int i = 0; i < n; ++i)
        u.at(i, i) = 1.0;
    return u;
}

// Locale-independent number text with 10 significant digits.
std::string number(double value)
{
    if (value == 0)
        value = 0; // no "-0"
    std::array<char, 40> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, 10);
    return std::string(buffer.data(), result.ptr);
}

std::pair<double, double> pairOf(Complex s, TouchstoneFormat format)
{
    const double angle = std::arg(s) * 180 / std::numbers::pi;
    switch (format) {
    case TouchstoneFormat::RI:
        return {s.real(), s.imag()};
    case TouchstoneFormat::MA:
        return {std::abs(s), angle};
    case TouchstoneFormat::DB:
        break;
    }
    return {20 * std::log10(std::abs(s)), angle};
}

const char* formatName(TouchstoneFormat format)
{
    switch (format) {
    case TouchstoneFormat::RI:
        return "RI";
    case TouchstoneFormat::MA:
        return "MA";
    case TouchstoneFormat::DB:
        break;
    }
    return "DB";
}

} // namespace

Complex ReflectionCoefficient(Complex z, double reference)
{
    return (z - reference) / (z + reference);
}

Complex ImpedanceFromReflection(Complex s, double reference)
{
    return reference * (1.0 + s) / (1.0 - s);
}

std::optional<ComplexMatrix> ScatteringFromAdmittance(const ComplexMatrix& y, double reference)
{
    return solve(identityPlus(y, reference), identityPlus(y, -reference));
}

std::optional<ComplexMatrix> AdmittanceFromScattering(const ComplexMatrix& s, double reference)
{
    // (U + S)^-1 (U - S) / Zref: the factors commute as well.
    auto y = solve(identityPlus(s, 1.0), identityPlus(s, -1.0));
    if (y)
        for (Complex& v : y->values)
            v /= reference;
    return y;
}

std::optional<ComplexMatrix> Inverse(const ComplexMatrix& a)
{
    return solve(a, identity(a.size));
}

std::string TouchstoneReferenceMessage(double x)
{
    if (x == 0)
        return {};
    return "Touchstone files take a real reference impedance only: set the reactance of the SWR reference to 0.";
}

std::string TouchstoneText(const std::vector<TouchstonePoint>& points, double reference, TouchstoneFormat format,
                           const std::vector<std::string>& comments)
{
    std::string text;
    for (const std::string& comment : comments)
        text += "! " + comment + "\n";
    text += std::string("# MHZ S ") + formatName(format) + " R " + number(reference) + "\n";
    for (const TouchstonePoint& point : points) {
        const int n = point.s.size;
        const auto pairText = [&](int i, int j) {
            const auto [a, b] = pairOf(point.s.at(i, j), format);
            return " " + number(a) + " " + number(b);
        };
        const std::string frequency = numtext::general(point.frequency);
        if (n <= 2) {
            text += frequency;
            if (n == 1)
                text += pairText(0, 0);
            else
                text += pairText(0, 0) + pairText(1, 0) + pairText(0, 1) + pairText(1, 1);
            text += "\n";
            continue;
        }
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; j += 4) {
                text += i == 0 && j == 0 ? frequency : std::string(frequency.size(), ' ');
                for (int k = j; k < std::min(n, j + 4); ++k)
                    text += pairText(i, k);
                text += "\n";
            }
    }
    return text;
}

std::string TouchstoneExtension(int ports)
{
    return ".s" + std::to_string(ports) + "p";
}

std::string WriteTouchstone(const std::string& path, const std::vector<TouchstonePoint>& points, double reference,
                            TouchstoneFormat format, const std::vector<std::string>& comments)
{
    if (!atomicfile::WriteFileAtomically(path, TouchstoneText(points, reference, format, comments)).empty())
        return atomicfile::UnableToWriteMessage(path);
    return {};
}

} // namespace vrnnec::analyses
