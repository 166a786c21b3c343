// The picture of a viewer model as a list of drawing primitives: what each one is, its
// colour, line width or point size, stipple, polygon modes and vertices in model view
// units. A window replays the list with OpenGL; the list is built again only when the
// model or a drawing control changes, never for a rotation or a shift.
#pragma once

#include "viewer/ViewerModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vrnnec::viewer {

enum class PrimitiveKind { Lines, LineStrip, Points, Polygon, Triangles };
enum class PolygonMode { Fill, Line };

struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
    bool operator==(const Colour&) const = default;
};

namespace colours {
inline constexpr Colour kBlack{0, 0, 0, 1};
inline constexpr Colour kWhite{1, 1, 1, 1};
inline constexpr Colour kGreen{0, 1, 0, 1};
inline constexpr Colour kBlue{0, 0, 1, 1};
inline constexpr Colour kRed{1, 0, 0, 1};
inline constexpr Colour kYellow{1, 1, 0, 1};
inline constexpr Colour kMagenta{1, 0, 1, 1};
} // namespace colours

// The axes' line stipple: factor 1, this pattern.
inline constexpr std::uint16_t kAxisStipple = 0x1111;
inline constexpr float kPointSize = 5;

using Vertex = std::array<float, 3>;

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Lines;
    Colour colour;
    float width = 1;      // line width, or point size for points (smoothed)
    bool stipple = false; // kAxisStipple
    PolygonMode front = PolygonMode::Fill, back = PolygonMode::Fill;
    std::vector<Vertex> vertices;
    // A colour per vertex instead of `colour` when not empty; an alpha below 1 blends.
    std::vector<Colour> colours;
};

struct Scene {
    bool depthTest = false; // with patches: depth test, depth range near 1, far 0
    std::vector<Primitive> primitives;
};

struct PatternSurface;

// The drawing controls' states.
struct SceneState {
    bool showCurrents = false;
    bool withPhase = false;
    double currentZoom = 1;
    double imageZoom = 1;
    std::optional<long long> selectedTag;
    bool showPatches = false;
    double patchScale = 1;
    // The radiation pattern surface around the structure; none when null.
    const PatternSurface* pattern = nullptr;
};

// Axes (stippled black), axis letters (blue), wires (black, the selected tag green),
// currents (blue upwards along Z for segments up to 60 degrees from the horizontal, red
// sideways along X for steeper ones), loads (yellow), ports (blue) and sources (red) as
// 5-pixel points, and the patches (magenta) when shown. The pattern surface, when given,
// goes between the axes and the wires, centred on the structure. Model coordinates are
// multiplied by the image zoom; the axes and their letters are not.
Scene BuildScene(const ViewerModel& model, const SceneState& state);

} // namespace vrnnec::viewer
