// The read-only memos that list results (`Memo1`, `ImpedanceScreen`, `ImpedanceScreen1`,
// `NEC2ResultSheetScreen`): results are appended, never edited, and the newest result
// is the one in view.
#pragma once

#include <QStringList>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace vrnnec::resultmemo {

// Read-only. With `pageMenu`, the memo offers no menu of its own, so the page's popup
// menu works over it as over the rest of the page.
void setUp(QPlainTextEdit& memo, bool pageMenu);

// Appends the lines and brings the last of them into view.
void append(QPlainTextEdit& memo, const QStringList& lines);
void append(QPlainTextEdit& memo, const std::vector<std::string>& lines);

} // namespace vrnnec::resultmemo
