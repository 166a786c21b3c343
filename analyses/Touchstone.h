// Scattering parameters of the swept antenna and their Touchstone 1.0 files: S11 of an
// input impedance against a real reference, the N-port S matrix from the admittance
// matrix of the ports, the writer of .s1p/.sNp files and the reader of measured one-port
// files.
#pragma once

#include <complex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::analyses {

using Complex = std::complex<double>;

// A square complex matrix, row by row.
struct ComplexMatrix {
    int size = 0;
    std::vector<Complex> values;
    explicit ComplexMatrix(int n = 0) : size(n), values(static_cast<std::size_t>(n) * n) {}
    Complex& at(int row, int column) { return values[static_cast<std::size_t>(row) * size + column]; }
    const Complex& at(int row, int column) const { return values[static_cast<std::size_t>(row) * size + column]; }
};

// (Z - Zref) / (Z + Zref).
Complex ReflectionCoefficient(Complex z, double reference);
// The impedance of a reflection coefficient: Zref (1 + S) / (1 - S).
Complex ImpedanceFromReflection(Complex s, double reference);

// S = (U + Zref Y)^-1 (U - Zref Y), which equals (U - Zref Y)(U + Zref Y)^-1 as the two
// factors commute. Nothing when U + Zref Y is singular.
std::optional<ComplexMatrix> ScatteringFromAdmittance(const ComplexMatrix& y, double reference);
// Y = (U - S)(U + S)^-1 / Zref. Nothing when U + S is singular.
std::optional<ComplexMatrix> AdmittanceFromScattering(const ComplexMatrix& s, double reference);
// A^-1, nothing when singular.
std::optional<ComplexMatrix> Inverse(const ComplexMatrix& a);

enum class TouchstoneFormat { RI, MA, DB };
// "ri", "ma" or "db" in any letter case.
std::optional<TouchstoneFormat> ParseTouchstoneFormat(std::string_view text);

struct TouchstonePoint {
    double frequency = 0; // MHz
    ComplexMatrix s;
};

// The refusal of a reference with a reactance: Touchstone files hold a real reference
// only. Empty when `x` is 0.
std::string TouchstoneReferenceMessage(double x);

// The text of a Touchstone 1.0 file: comment lines ("! " + each of `comments`), the
// option line "# MHZ S <format> R <reference>", then per frequency the matrix: one line
// for one and two ports (2 ports in the order S11 S21 S12 S22), otherwise one matrix
// row per line group of at most four pairs, the frequency on the group's first line.
std::string TouchstoneText(const std::vector<TouchstonePoint>& points, double reference, TouchstoneFormat format,
                           const std::vector<std::string>& comments = {});

// ".s1p", ".s2p", ...
std::string TouchstoneExtension(int ports);

// Writes the file through the atomic writer; empty on success, else the message.
std::string WriteTouchstone(const std::string& path, const std::vector<TouchstonePoint>& points, double reference,
                            TouchstoneFormat format, const std::vector<std::string>& comments = {});

// A measured one-port sweep.
struct MeasuredSweep {
    std::string message;            // empty when the file was read; then the data are complete
    std::vector<double> frequency;  // MHz
    std::vector<Complex> s11;
    double reference = 50;          // ohm
    bool ok() const { return message.empty(); }
};

// Reads a Touchstone one-port text: "!" starts a comment, the option line "#" with the
// frequency unit (HZ, KHZ, MHZ, GHZ; default GHZ), the parameter S, the format (RI, MA,
// DB; default MA) and "R" with the reference (default 50), then lines of frequency and
// one pair. A malformed line gives a message naming it, and no data.
MeasuredSweep ParseTouchstoneOnePort(std::string_view text);
MeasuredSweep ReadTouchstoneOnePort(const std::string& path);

} // namespace vrnnec::analyses
