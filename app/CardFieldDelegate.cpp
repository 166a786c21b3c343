#include "app/CardFieldDelegate.h"

#include "editor/CardRows.h"

#include <QKeyEvent>

namespace vrnnec {

CardFieldDelegate::CardFieldDelegate(char separator, bool identifierRule, QObject* parent)
    : QStyledItemDelegate(parent), separator_(separator), identifierRule_(identifierRule)
{
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
        if (editor_.data() == editor)
            editor_.clear();
    });
}

QWidget* CardFieldDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setObjectName(QStringLiteral("CellEditor"));
    const QPersistentModelIndex cell(index);
    auto* self = const_cast<CardFieldDelegate*>(this);
    connect(editor, &QLineEdit::textEdited, self,
            [self, editor, cell](const QString& text) { self->textEdited(editor, cell, text); });
    editor_ = editor;
    editorIndex_ = cell;
    return editor;
}

void CardFieldDelegate::commitOpenEditor()
{
    if (QLineEdit* editor = editor_.data()) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        editor_.clear();
    }
}

bool CardFieldDelegate::eventFilter(QObject* object, QEvent* event)
{
    // Ctrl+Z and Ctrl+Shift+Z stay with the cell while it has typing of its own to undo
    // or redo; otherwise they pass to the window (the card table's undo).
    if (event->type() == QEvent::ShortcutOverride && object == editor_.data()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool undo = key->key() == Qt::Key_Z && modifiers == Qt::ControlModifier;
        const bool redo = key->key() == Qt::Key_Z && modifiers == (Qt::ControlModifier | Qt::ShiftModifier);
        if ((undo && !editor_->isUndoAvailable()) || (redo && !editor_->isRedoAvailable())) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && object == editor_.data() && editorIndex_.column() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter)
            && !editor::CheckFieldText(editor_->text().toLatin1().toStdString(), separator_)) {
            emit fieldChecked(false);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void CardFieldDelegate::textEdited(QLineEdit* editor, const QPersistentModelIndex& index, const QString& text)
{
    if (index.column() == 0) {
        if (!identifierRule_)
            return;
        const auto id = editor::TypedIdentifier(text.toLatin1().toStdString());
        if (!id)
            return;
        editor->setText(QString::fromLatin1(id->c_str()));
        commitOpenEditor();
        emit identifierEntered(index);
        return;
    }
    emit fieldChecked(editor::CheckFieldText(text.toLatin1().toStdString(), separator_));
}

} // namespace vrnnec
