#include "viewer/Scene.h"

#include "viewer/PatternSurface.h"

#include <cmath>

namespace vrnnec::viewer {

namespace {

Vertex vertex(const Vec3& p, double zoom)
{
    return {static_cast<float>(p[0] * zoom), static_cast<float>(p[1] * zoom), static_cast<float>(p[2] * zoom)};
}

Vec3 midpoint(const ViewerModel& m, int i)
{
    return {(m.End1[i][0] + m.End2[i][0]) / 2, (m.End1[i][1] + m.End2[i][1]) / 2, (m.End1[i][2] + m.End2[i][2]) / 2};
}

Primitive primitive(PrimitiveKind kind, Colour colour, float width = 1)
{
    Primitive p;
    p.kind = kind;
    p.colour = colour;
    p.width = width;
    return p;
}

void addAxes(Scene& scene)
{
    Primitive axes = primitive(PrimitiveKind::LineStrip, colours::kBlack);
    axes.stipple = true;
    axes.vertices = {{0, 0, 0}, {0, 0.75f, 0}, {0, 0, 0}, {0.75f, 0, 0}, {0, 0, 0}, {0, 0, 0.75f}};
    scene.primitives.push_back(std::move(axes));

    Primitive letters = primitive(PrimitiveKind::Lines, colours::kBlue);
    letters.vertices = {// X
                        {0.8f, 0.021f, 0.03f},
                        {0.8f, -0.021f, -0.03f},
                        {0.8f, 0.021f, -0.03f},
                        {0.8f, -0.021f, 0.03f},
                        // Y
                        {0.021f, 0.8f, 0.03f},
                        {0, 0.8f, 0},
                        {-0.021f, 0.8f, 0.03f},
                        {0, 0.8f, 0},
                        {0, 0.8f, 0},
                        {0, 0.8f, -0.03f},
                        // Z
                        {0.021f, -0.03f, 0.8f},
                        {-0.021f, -0.03f, 0.8f},
                        {-0.021f, -0.03f, 0.8f},
                        {0.021f, 0.03f, 0.8f},
                        {0.021f, 0.03f, 0.8f},
                        {-0.021f, 0.03f, 0.8f}};
    scene.primitives.push_back(std::move(letters));
}

void addCurrents(const ViewerModel& m, const SceneState& state, Scene& scene)
{
    Primitive along = primitive(PrimitiveKind::Lines, colours::kBlue);
    Primitive across = primitive(PrimitiveKind::Lines, colours::kRed);
    for (int i = 0; i + 1 < m.SegmentCount; ++i) {
        if (m.SegmentTag[i + 1] != m.SegmentTag[i])
            continue;
        const bool upwards = m.SlopeClass[i] > 0;
        const int axis = upwards ? 2 : 0;
        for (int k : {i, i + 1}) {
            Vec3 p = midpoint(m, k);
            const double sign = state.withPhase ? m.CurrentSign[k] : 1.0;
            p[axis] += state.currentZoom * sign * m.CurrentSize[k];
            (upwards ? along : across).vertices.push_back(vertex(p, state.imageZoom));
        }
    }
    for (Primitive* p : {&along, &across})
        if (!p->vertices.empty())
            scene.primitives.push_back(std::move(*p));
}

void addMarkers(const ViewerModel& m, const SceneState& state, Scene& scene)
{
    Primitive loads = primitive(PrimitiveKind::Points, colours::kYellow, kPointSize);
    Primitive ports = primitive(PrimitiveKind::Points, colours::kBlue, kPointSize);
    Primitive sources = primitive(PrimitiveKind::Points, colours::kRed, kPointSize);
    auto onSegment = [&](long long segment) { return segment >= 1 && segment <= m.SegmentCount; };
    for (long long s : m.LoadSegment)
        if (onSegment(s))
            loads.vertices.push_back(vertex(midpoint(m, static_cast<int>(s - 1)), state.imageZoom));
    for (long long s : m.PortSegment)
        if (onSegment(s))
            ports.vertices.push_back(vertex(midpoint(m, static_cast<int>(s - 1)), state.imageZoom));
    for (std::size_t k = 0; k < m.SourceSegment.size(); ++k) {
        const long long s = m.SourceSegment[k];
        if (!onSegment(s))
            continue;
        const int i = static_cast<int>(s - 1);
        sources.vertices.push_back(vertex(m.SourceAtEnd[k] ? m.End1[i] : midpoint(m, i), state.imageZoom));
    }
    for (Primitive* p : {&loads, &ports, &sources})
        if (!p->vertices.empty())
            scene.primitives.push_back(std::move(*p));
}

void addPatches(const ViewerModel& m, const SceneState& state, Scene& scene)
{
    for (const Patch& patch : m.Patches) {
        const double h = std::sqrt(patch.area) * state.patchScale * 0.25;
        const Vec3& t1 = patch.tangent1;
        const Vec3& t2 = patch.tangent2;
        const Vec3 cross{t1[1] * t2[2] - t1[2] * t2[1], t1[2] * t2[0] - t1[0] * t2[2], t1[0] * t2[1] - t1[1] * t2[0]};
        const double facing = patch.normal[0] * cross[0] + patch.normal[1] * cross[1] + patch.normal[2] * cross[2];
        Primitive p = primitive(PrimitiveKind::Polygon, colours::kMagenta);
        p.front = facing > 0 ? PolygonMode::Fill : PolygonMode::Line;
        p.back = facing > 0 ? PolygonMode::Line : PolygonMode::Fill;
        const Vec3& c = patch.centre;
        auto corner = [&](double a, double b) {
            return vertex({c[0] + h * (a * t1[0] + b * t2[0]), c[1] + h * (a * t1[1] + b * t2[1]),
                           c[2] + h * (a * t1[2] + b * t2[2])},
                          state.imageZoom);
        };
        p.vertices = {corner(1, 1), corner(-1, 1), corner(-1, -1), corner(1, -1)};
        scene.primitives.push_back(std::move(p));
    }
}

} // namespace

Scene BuildScene(const ViewerModel& m, const SceneState& state)
{
    Scene scene;
    scene.depthTest = !m.Patches.empty();
    addAxes(scene);
    if (state.pattern != nullptr)
        AddPatternSurface(scene, *state.pattern, StructureCentre(m), state.imageZoom);

    Primitive wires = primitive(PrimitiveKind::Lines, colours::kBlack);
    Primitive selected = primitive(PrimitiveKind::Lines, colours::kGreen);
    for (int i = 0; i < m.SegmentCount; ++i) {
        Primitive& target = state.selectedTag && m.SegmentTag[i] == *state.selectedTag ? selected : wires;
        target.vertices.push_back(vertex(m.End1[i], state.imageZoom));
        target.vertices.push_back(vertex(m.End2[i], state.imageZoom));
    }
    for (Primitive* p : {&wires, &selected})
        if (!p->vertices.empty())
            scene.primitives.push_back(std::move(*p));

    if (state.showCurrents && m.HasCurrents)
        addCurrents(m, state, scene);
    addMarkers(m, state, scene);
    if (state.showPatches && !m.Patches.empty())
        addPatches(m, state, scene);
    return scene;
}

} // namespace vrnnec::viewer
