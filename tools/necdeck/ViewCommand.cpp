// necdeck view: reads a listing as the 3-D viewer reads Outdata.txo and prints its model
// after the fit as JSON.
#include "Subcommand.h"

#include "viewer/ViewFit.h"
#include "viewer/ViewerJson.h"
#include "viewer/ViewerModel.h"

#include <ostream>

namespace vrnnec::necdeck {

namespace {

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

} // namespace

int RunView(Invocation& inv)
{
    viewer::ViewMode mode = viewer::ViewMode::Center;
    bool dump = false;
    std::string listing;
    const std::vector<std::string>& a = inv.args;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] == "--mode" && i + 1 < a.size()) {
            if (!readMode(a[++i], mode)) {
                inv.err << "Unknown view mode: " << a[i] << "\n";
                return 2;
            }
        } else if (a[i] == "--dump") {
            dump = true;
        } else if (!a[i].empty() && a[i][0] != '-' && listing.empty()) {
            listing = a[i];
        } else {
            inv.err << "Unexpected argument: " << a[i] << "\n";
            return 2;
        }
    }
    if (listing.empty() || !dump) {
        inv.err << (listing.empty() ? "A listing is missing." : "Nothing to do: give --dump.") << "\n";
        return 2;
    }
    viewer::ViewerModel model = viewer::ReadViewerModel(listing);
    if (model.ReadError == viewer::readerror::kNone)
        viewer::FitModelToView(model, mode);
    inv.out << viewer::ViewerModelJson(model) << "\n";
    return model.ReadError == viewer::readerror::kNone ? 0 : 1;
}

} // namespace vrnnec::necdeck
