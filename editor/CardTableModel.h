// The table of card rows as one Qt item model, shared by the card table editor, the
// card dialog and the wire tools. Column 0 is "Card ID", columns 1 to 10 the fields.
// Every change goes through the model's undo stack, so inserts, deletes, moves and row
// replacements can be undone; rows keep their persistent indexes through all of them.
#pragma once

#include "editor/CardRows.h"

#include <QAbstractTableModel>
#include <QUndoStack>

#include <vector>

namespace vrnnec::editor {

class CardTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CardTableModel(std::vector<CardRow> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A cell's text (undoable); the text is kept as typed. A text with a line break is
    // refused (false).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const std::vector<CardRow>& rows() const { return rows_; }
    const CardRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

    // Undoable changes of whole rows.
    void replaceRow(int index, const CardRow& row, const QString& text = QStringLiteral("Change row"));
    void insertEmptyRow(int index);
    void removeRowAt(int index);
    // Moves the row at `from` so that it stands at `to` afterwards.
    void moveRowTo(int from, int to);

    QUndoStack& undoStack() { return undoStack_; }

    // The primitive changes the undo commands are made of.
    void putRow(int index, const CardRow& row);
    void putInsertedRow(int index, const CardRow& row);
    CardRow takeRow(int index);
    void putMovedRow(int from, int to);

private:
    std::vector<CardRow> rows_;
    QUndoStack undoStack_;
};

} // namespace vrnnec::editor
