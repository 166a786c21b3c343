#include "app/RowClipboardKeys.h"

#include "editor/RowClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

#include <set>

namespace vrnnec {

namespace {

// The rows of the selection in table order, else the current row.
std::vector<int> chosenRows(const editor::CardTableModel& model, const QTableView& table)
{
    std::set<int> rows;
    if (table.selectionModel() != nullptr)
        for (const QModelIndex& index : table.selectionModel()->selectedIndexes())
            rows.insert(index.row());
    if (rows.empty() && table.currentIndex().isValid())
        rows.insert(table.currentIndex().row());
    std::vector<int> valid;
    for (int row : rows)
        if (row >= 0 && row < model.rowCount())
            valid.push_back(row);
    return valid;
}

} // namespace

void CopyCardRows(editor::CardTableModel& model, const QTableView& table, char separator)
{
    std::vector<editor::CardRow> rows;
    for (int row : chosenRows(model, table))
        rows.push_back(model.row(row));
    if (!rows.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(editor::RowsToDeckText(rows, separator)));
}

void CutCardRows(editor::CardTableModel& model, QTableView& table, char separator)
{
    const std::vector<int> rows = chosenRows(model, table);
    if (rows.empty())
        return;
    CopyCardRows(model, table, separator);
    const int column = std::max(0, table.currentIndex().column());
    model.undoStack().beginMacro(QStringLiteral("Cut rows"));
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        // The table keeps one row, as Shift+Del does.
        if (model.rowCount() >= 2)
            model.removeRowAt(*row);
        else
            model.replaceRow(*row, editor::CardRow{}, QStringLiteral("Clear row"));
    }
    model.undoStack().endMacro();
    table.setCurrentIndex(model.index(std::min(rows.front(), model.rowCount() - 1), column));
}

int PasteCardRows(editor::CardTableModel& model, QTableView& table, char separator)
{
    const std::vector<editor::CardRow> rows =
        editor::DeckTextToRows(QGuiApplication::clipboard()->text().toStdString(), separator);
    if (rows.empty())
        return 0;
    const QModelIndex current = table.currentIndex();
    const int at = current.isValid() ? current.row() : model.rowCount();
    model.undoStack().beginMacro(QStringLiteral("Paste rows"));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = at + static_cast<int>(i);
        model.insertEmptyRow(row);
        model.replaceRow(row, rows[i], QStringLiteral("Paste row"));
    }
    model.undoStack().endMacro();
    table.setCurrentIndex(model.index(at, std::max(0, current.column())));
    return static_cast<int>(rows.size());
}

bool HandleRowClipboardKey(const QKeyEvent& event, editor::CardTableModel& model, QTableView& table,
                           char separator)
{
    // Only Ctrl with C, X and V: the platform's other bindings (Shift+Ins, Shift+Del)
    // keep their meaning of the editor (insert and delete a row).
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_C: CopyCardRows(model, table, separator); return true;
    case Qt::Key_X: CutCardRows(model, table, separator); return true;
    case Qt::Key_V: PasteCardRows(model, table, separator); return true;
    default: break;
    }
    return false;
}

} // namespace vrnnec
