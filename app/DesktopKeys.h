// The keys a desktop user tries first on the main window: mnemonics on the buttons of
// "Data sheet" ("Table of results" gives its own), Ctrl+O for "Find VORNA file", F9 for "Calculate
// at original of VORNA file", F5 for "Refresh", Ctrl+Q to close; and the antenna file's
// name in the window title after the caption.
#pragma once

#include <QString>

namespace vrnnec {

class TForm1;
struct MainWindowControls;

// The title of the main window with `antennaPath` picked (none when empty).
QString MainWindowTitle(const QString& caption, const QString& antennaPath);

// Sets the mnemonics of the first page, adds the key actions to the window and keeps its
// title in step with the antenna file's name; `controls` holds the first page built.
void InstallDesktopKeys(TForm1& window, MainWindowControls& controls);

} // namespace vrnnec
