// Positions of the two angle scroll bars of the main window for angle values.
#pragma once

namespace vrnnec {

namespace anglebars {

inline constexpr int kElevationMin = 0;
inline constexpr int kElevationMax = 90;
inline constexpr int kAzimuthMin = 0;
inline constexpr int kAzimuthMax = 360;

// `AngleElevSetBar` for an elevation E: r = round(E) rem 180 (the remainder carries the
// sign of E); r when 0 <= r <= 90, else 180 - r. Not clamped: 100 gives 80, -20 gives
// 200 (which the bar shows at its end, 90).
long long elevationPosition(double elevation);

// `AngleAzSetBar` for an azimuth A: round(A) rem 360, not clamped (370 gives 10,
// -10 gives -10).
long long azimuthPosition(double azimuth);

// A position brought into a scroll bar's range.
int clampPosition(long long position, int minimum, int maximum);

} // namespace anglebars

} // namespace vrnnec
