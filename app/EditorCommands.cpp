#include "app/EditorCommands.h"

#include "app/DeckFileCommands.h"
#include "app/GWForm.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/TableEditorForm.h"
#include "editor/CardRows.h"

#include <QPlainTextEdit>
#include <QTableView>

namespace vrnnec {

EditorCommands::EditorCommands(TForm1& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("EditorCommands"));
    connect(window.ui().NEC2CodeEditorButton, &QPushButton::clicked, this, [this] { NEC2CodeEditorButtonClick(); });
}

TEditForm* EditorCommands::tableEditor() const
{
    return editor_.data();
}

TGWForm* EditorCommands::wireTools() const
{
    return wireTools_.data();
}

EditorCommands::~EditorCommands()
{
    delete wireTools_.data();
    delete editor_.data();
}

void EditorCommands::NEC2CodeEditorButtonClick()
{
    QPlainTextEdit* memo = window_.ui().GeometryNEC2;
    const std::vector<std::string> deck = deckmemo::lines(*memo);
    const char separator = localenum::decimalSeparator();
    auto rows = editor::LoadDeckTable(deck, separator);
    if (!rows)
        return;
    delete editor_.data();
    editor_ = new TEditForm(std::move(*rows), deck, separator, window_.dialogs());
    editor_->onStore = [memo](const std::vector<std::string>& stored) {
        deckmemo::setLines(*memo, stored);
        memo->document()->setModified(true);
    };
    connect(editor_.data(), &TEditForm::closed, this, [this] { window_.setEnabled(true); });
    connect(editor_.data(), &TEditForm::wireToolsRequested, this,
            [this, separator](const QPersistentModelIndex& row, int column) {
                delete wireTools_.data();
                wireTools_ = new TGWForm(editor_->model(), row, column, separator, window_.dialogs());
                TEditForm* editor = editor_.data();
                connect(wireTools_.data(), &TGWForm::closed, editor, [editor] { editor->setEnabled(true); });
                connect(wireTools_.data(), &TGWForm::loadRowInserted, editor, [editor](int inserted) {
                    editor->codeTable()->setCurrentIndex(editor->model().index(inserted, 0));
                });
                connect(wireTools_.data(), &TGWForm::tableCellRefused, editor,
                        [editor](int refusedRow, int refusedColumn) { editor->selectCell(refusedRow, refusedColumn); });
                editor->setEnabled(false);
                wireTools_->show();
                wireTools_->activateWindow();
            });
    window_.setEnabled(false);
    editor_->show();
    editor_->activateWindow();
    editor_->codeTable()->setFocus();
}

} // namespace vrnnec
