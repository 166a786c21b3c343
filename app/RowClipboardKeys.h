// Ctrl+C, Ctrl+X and Ctrl+V on whole rows of a card table: the rows of the selection
// (or the current row) go to the clipboard as deck lines, and pasted deck lines become
// rows above the current row. Cut and paste are one undo step each.
#pragma once

#include "editor/CardTableModel.h"

class QKeyEvent;
class QTableView;

namespace vrnnec {

// True when the key was one of the three and has been handled.
bool HandleRowClipboardKey(const QKeyEvent& event, editor::CardTableModel& model, QTableView& table,
                           char separator);

// The three commands, for menus and tests.
void CopyCardRows(editor::CardTableModel& model, const QTableView& table, char separator);
void CutCardRows(editor::CardTableModel& model, QTableView& table, char separator);
// Returns the number of rows pasted.
int PasteCardRows(editor::CardTableModel& model, QTableView& table, char separator);

} // namespace vrnnec
