// necdeck view: reads a listing as the 3-D viewer reads Outdata.txo, prints its model
// after the fit as JSON, and renders the viewer's default picture into a PNG file.
#include "Subcommand.h"

#include "common/AtomicFile.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerJson.h"
#include "viewer/ViewerModel.h"

#include <QBuffer>

#include <ostream>

namespace vrnnec::necdeck {

namespace {

constexpr int kPictureSide = 300;

bool readMode(const std::string& text, viewer::ViewMode& mode)
{
    if (text == "center")
        mode = viewer::ViewMode::Center;
    else if (text == "z")
        mode = viewer::ViewMode::ZAdjusted;
    else if (text == "real")
        mode = viewer::ViewMode::RealView;
    else
        return false;
    return true;
}

// The window's first picture of the model (the first wire selected), with its currents.
int savePicture(const viewer::ViewerModel& model, const std::string& path, std::ostream& err)
{
    viewer::SceneState state;
    state.showCurrents = true;
    const std::vector<std::string> wires = viewer::FillWireList(model);
    state.selectedTag = wires.empty() ? 1 : std::stoll(wires.front());
    const viewer::ViewTransform view;
    const QImage image = viewer::RenderSceneImage(viewer::BuildScene(model, state), view.matrix(), kPictureSide);
    if (image.isNull()) {
        err << viewer::kImageErrorMessage << "\n";
        return 1;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    if (!atomicfile::WriteFileAtomically(path, std::string_view(bytes.constData(), bytes.size())).empty()) {
        err << atomicfile::UnableToWriteMessage(path) << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunView(Invocation& inv)
{
    viewer::ViewMode mode = viewer::ViewMode::Center;
    bool dump = false;
    std::string listing, png;
    const std::vector<std::string>& a = inv.args;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--mode" && i + 1 < a.size()) {
            if (!readMode(a[++i], mode)) {
                inv.err << "Unknown view mode: " << a[i] << "\n";
                return 2;
            }
        } else if (a[i] == "--dump") {
            dump = true;
        } else if (a[i] == "--png" && i + 1 < a.size()) {
            png = a[++i];
        } else if (!a[i].empty() && a[i][0] != '-' && listing.empty()) {
            listing = a[i];
        } else {
            inv.err << "Unexpected argument: " << a[i] << "\n";
            return 2;
        }
    }
    if (listing.empty() || (!dump && png.empty())) {
        inv.err << (listing.empty() ? "A listing is missing." : "Nothing to do: give --dump or --png.") << "\n";
        return 2;
    }
    viewer::ViewerModel model = viewer::ReadViewerModel(listing);
    if (model.ReadError == viewer::readerror::kNone)
        viewer::FitModelToView(model, mode);
    if (dump)
        inv.out << viewer::ViewerModelJson(model) << "\n";
    if (model.ReadError != viewer::readerror::kNone) {
        if (!dump)
            inv.err << viewer::kReadErrorMessage << "\n";
        return 1;
    }
    return png.empty() ? 0 : savePicture(model, png, inv.err);
}

} // namespace vrnnec::necdeck
