// The keys a desktop user tries first on the main window: mnemonics on the buttons of
// "Data sheet" ("Table of results" gives its own), Ctrl+O for "Find VORNA file", F9 for "Calculate
// at original of VORNA file", F5 for "Refresh", Ctrl+Q to close; and the antenna file's
// name in the window title after the caption.
#pragma once

#include <QString>

class QAbstractButton;
class QKeySequence;
class QWidget;

namespace vrnnec {

class TForm1;

// The title of the main window with `antennaPath` picked (none when empty).
QString MainWindowTitle(const QString& caption, const QString& antennaPath);

// A window-wide key, an action named `name` on `window`, that clicks `button`; a disabled
// button ignores it.
void AddButtonKey(QWidget& window, const QString& name, const QKeySequence& key, QAbstractButton* button);

// Has the first page set its mnemonics and keys, adds Ctrl+Q to the window and keeps its
// title in step with the antenna file's name.
void InstallDesktopKeys(TForm1& window);

} // namespace vrnnec
