// necdeck view: reads a listing as the 3-D viewer reads Outdata.txo, prints its model
// after the fit as JSON, and renders the viewer's default picture into a PNG file.
#include "CommandSupport.h"
#include "Subcommand.h"

#include "common/AtomicFile.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerJson.h"
#include "viewer/ViewerModel.h"

#include <QBuffer>

#include <optional>
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
    std::string png;
    std::optional<std::string> badMode;
    std::vector<std::string> files;
    const auto apply = [&](const std::string& a, const std::string& v) {
        if (a == "--dump")
            dump = true;
        else if (a == "--png")
            png = v;
        else if (!readMode(v, mode))
            badMode = v;
        return true;
    };
    if (const int code = ScanCommandLine(inv.args, {"--mode", "--png"}, {"--dump"}, apply, files, inv.err); code != 0)
        return code;
    if (badMode) {
        inv.err << "Unknown view mode: " << *badMode << "\n";
        return 2;
    }
    if (files.size() > 1) {
        inv.err << "Unexpected argument: " << files[1] << "\n";
        return 2;
    }
    const std::string listing = files.empty() ? std::string() : files.front();
    if (listing.empty() || (!dump && png.empty())) {
        inv.err << (listing.empty() ? "A listing is missing." : "Nothing to do: give --dump or --png.") << "\n";
        return 2;
    }
    if (const int code = CheckFiles({{listing, "listing"}}, {{png, "picture"}}, {}, inv.err); code != 0)
        return code;
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
