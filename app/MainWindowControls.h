// Every control of the main window in one struct: the frame (`TForm1`, `PageControl1`
// and the actions shared by pages), the five pages and the controls of the pages that do
// not keep theirs private ("Data sheet" does). Object names are unique in the window, so
// the members of the generated form structs do not clash and `controls.X` names the same
// widget as `findChild("X")`.
//
// The window fills the frame's part with its setupUi; each page fills its own part
// when the window creates it, before the page goes into `PageControl1`.
#pragma once

#include "app/CurrentsPage.h"
#include "app/DataSheetPage.h"
#include "app/NEC2InputPage.h"
#include "app/RPPlotsPage.h"
#include "app/ResultsTablePage.h"
#include "ui_MainWindowFrame.h"

namespace vrnnec {

struct MainWindowControls : Ui::MainWindowFrame {
    // The pages in the order of their tabs.
    vrnnec::DataSheetPage* TabSheet1 = nullptr;    // "Data sheet"
    vrnnec::ResultsTablePage* TabSheet3 = nullptr; // "Table of results"
    vrnnec::RPPlotsPage* TabSheet2 = nullptr;      // "RP plots"
    vrnnec::NEC2InputPage* TabSheet4 = nullptr;    // "NEC-2 input"
    vrnnec::CurrentsPage* TabSheet5 = nullptr;     // "Currents and fields"
};

} // namespace vrnnec
