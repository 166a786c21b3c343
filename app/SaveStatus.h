// The status line of a window after it saved a file: "Saved CSV to /path/file.csv". A
// save that is tried clears the line first, so a failed save (whose message box says
// why) leaves no "Saved" text of an earlier save beside it.
#pragma once

#include <QString>

class QStatusBar;

namespace vrnnec::savestatus {

// Before a save is tried (after the file dialog gave a path).
void clear(QStatusBar& bar);
// After the save succeeded; `kind` is one of the messages::kSaved... kinds.
void saved(QStatusBar& bar, const char* kind, const QString& path);

} // namespace vrnnec::savestatus
