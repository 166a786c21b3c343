#include "editor/CardTableModel.h"

#include <QUndoCommand>

namespace vrnnec::editor {

namespace {

QString cellText(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

class ReplaceRowCommand : public QUndoCommand {
public:
    ReplaceRowCommand(CardTableModel& model, int index, CardRow row, const QString& text)
        : QUndoCommand(text), model_(model), index_(index), before_(model.row(index)), after_(std::move(row))
    {}
    void redo() override { model_.putRow(index_, after_); }
    void undo() override { model_.putRow(index_, before_); }

private:
    CardTableModel& model_;
    int index_;
    CardRow before_, after_;
};

class InsertRowCommand : public QUndoCommand {
public:
    InsertRowCommand(CardTableModel& model, int index)
        : QUndoCommand(QStringLiteral("Insert row")), model_(model), index_(index)
    {}
    void redo() override { model_.putInsertedRow(index_, CardRow{}); }
    void undo() override { model_.takeRow(index_); }

private:
    CardTableModel& model_;
    int index_;
};

class RemoveRowCommand : public QUndoCommand {
public:
    RemoveRowCommand(CardTableModel& model, int index)
        : QUndoCommand(QStringLiteral("Delete row")), model_(model), index_(index), row_(model.row(index))
    {}
    void redo() override { model_.takeRow(index_); }
    void undo() override { model_.putInsertedRow(index_, row_); }

private:
    CardTableModel& model_;
    int index_;
    CardRow row_;
};

class MoveRowCommand : public QUndoCommand {
public:
    MoveRowCommand(CardTableModel& model, int from, int to)
        : QUndoCommand(QStringLiteral("Move row")), model_(model), from_(from), to_(to)
    {}
    void redo() override { model_.putMovedRow(from_, to_); }
    void undo() override { model_.putMovedRow(to_, from_); }

private:
    CardTableModel& model_;
    int from_, to_;
};

} // namespace

CardTableModel::CardTableModel(std::vector<CardRow> rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows))
{}

int CardTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CardTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kCardColumns;
}

QVariant CardTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cellText(row(index.row())[static_cast<std::size_t>(index.column())]);
}

QVariant CardTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return section == 0 ? QStringLiteral("Card ID") : QString::number(section);
}

Qt::ItemFlags CardTableModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool CardTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    CardRow changed = row(index.row());
    std::string& cell = changed[static_cast<std::size_t>(index.column())];
    const std::string text = value.toString().toLatin1().toStdString();
    if (text.find_first_of("\r\n") != std::string::npos)
        return false; // one cell is one part of one deck line
    if (cell == text)
        return true;
    cell = text;
    replaceRow(index.row(), changed, QStringLiteral("Edit cell"));
    return true;
}

void CardTableModel::replaceRow(int index, const CardRow& row, const QString& text)
{
    if (index < 0 || index >= rowCount() || this->row(index) == row)
        return;
    undoStack_.push(new ReplaceRowCommand(*this, index, row, text));
}

void CardTableModel::insertEmptyRow(int index)
{
    if (index >= 0 && index <= rowCount())
        undoStack_.push(new InsertRowCommand(*this, index));
}

void CardTableModel::removeRowAt(int index)
{
    if (index >= 0 && index < rowCount())
        undoStack_.push(new RemoveRowCommand(*this, index));
}

void CardTableModel::moveRowTo(int from, int to)
{
    if (from != to && from >= 0 && to >= 0 && from < rowCount() && to < rowCount())
        undoStack_.push(new MoveRowCommand(*this, from, to));
}

void CardTableModel::putRow(int index, const CardRow& row)
{
    rows_[static_cast<std::size_t>(index)] = row;
    emit dataChanged(this->index(index, 0), this->index(index, kCardColumns - 1));
}

void CardTableModel::putInsertedRow(int index, const CardRow& row)
{
    beginInsertRows(QModelIndex(), index, index);
    rows_.insert(rows_.begin() + index, row);
    endInsertRows();
}

CardRow CardTableModel::takeRow(int index)
{
    beginRemoveRows(QModelIndex(), index, index);
    CardRow row = rows_[static_cast<std::size_t>(index)];
    rows_.erase(rows_.begin() + index);
    endRemoveRows();
    return row;
}

void CardTableModel::putMovedRow(int from, int to)
{
    // Qt names the destination as the row the moved one goes before.
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    CardRow row = rows_[static_cast<std::size_t>(from)];
    rows_.erase(rows_.begin() + from);
    rows_.insert(rows_.begin() + to, row);
    endMoveRows();
}

} // namespace vrnnec::editor
