// The cell editor of the card grids: a line edit whose text is checked at every change
// (the number check in the fields, the identifier rule in "Card ID"). A field that does
// not read is reported through fieldChecked(false) and stays in editing with its text;
// no modal box interrupts the typing.
#pragma once

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

namespace vrnnec {

class CardFieldDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // `identifierRule`: column 0 is the typed "Card ID" cell.
    CardFieldDelegate(char separator, bool identifierRule, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The open cell editor, if any.
    QLineEdit* openEditor() const { return editor_.data(); }
    // Writes the open editor's text into its cell and closes it.
    void commitOpenEditor();

protected:
    // Enter in a field whose text does not read keeps the field in editing.
    bool eventFilter(QObject* object, QEvent* event) override;

signals:
    // After every change of a field's text: whether it reads as a number so far.
    void fieldChecked(bool readable);
    // The identifier cell got its two characters and was closed.
    void identifierEntered(const QPersistentModelIndex& index);

private:
    void textEdited(QLineEdit* editor, const QPersistentModelIndex& index, const QString& text);

    char separator_;
    bool identifierRule_;
    mutable QPointer<QLineEdit> editor_;
    mutable QPersistentModelIndex editorIndex_;
};

} // namespace vrnnec
