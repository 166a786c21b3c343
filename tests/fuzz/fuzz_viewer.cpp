// The 3-D viewer's reading of a listing: its sections, the model built from them, the
// fit in each view mode, the wire list and texts, and the scene with every drawing.
#include "engine/ViewerSectionsParse.h"
#include "viewer/Scene.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerModel.h"

#include "tests/fuzz/FuzzFiles.h"

#include <cstdint>
#include <string>

using namespace vrnnec;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::WriteScratchFile("Outdata.txo", data, size);
    const engine::ViewerSections sections = engine::ParseViewerSections(path);
    const viewer::ViewerModel built = viewer::BuildViewerModel(sections);

    for (viewer::ViewMode mode : {viewer::ViewMode::Center, viewer::ViewMode::ZAdjusted, viewer::ViewMode::RealView}) {
        viewer::ViewerModel model = built;
        viewer::FitModelToView(model, mode);
        const std::vector<std::string> wires = viewer::FillWireList(model);
        viewer::NormaliseWireSelection(wires.empty() ? "x" : wires.back(), model);
        if (!model.SegmentTag.empty())
            viewer::WireInfoText(model, model.SegmentTag.front(), mode == viewer::ViewMode::Center ? '.' : ',');

        viewer::SceneState state;
        state.showCurrents = true;
        state.withPhase = mode != viewer::ViewMode::RealView;
        state.showPatches = true;
        state.currentZoom = 1.5;
        state.imageZoom = 0.5;
        state.patchScale = 2;
        if (!model.SegmentTag.empty())
            state.selectedTag = model.SegmentTag.back();
        viewer::BuildScene(model, state);
    }
    return 0;
}
