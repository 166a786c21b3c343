#include "app/EditorCommands.h"

#include "app/GWForm.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/TableEditorForm.h"
#include "editor/CardRows.h"

#include <QEvent>
#include <QTableView>

namespace vrnnec {

EditorCommands::EditorCommands(TForm1& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("EditorCommands"));
    connect(&window.nec2InputPage(), &NEC2InputPage::codeEditorRequested, this,
            [this] { NEC2CodeEditorButtonClick(); });
    window.installEventFilter(this);
}

bool EditorCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_ && event->type() == QEvent::Close && editor_ && editor_->isVisible()) {
        if (!editor_->close()) {
            event->ignore();
            return true;
        }
        delete wireTools_.data();
    }
    return QObject::eventFilter(watched, event);
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
    NEC2InputPage* page = &window_.nec2InputPage();
    const std::vector<std::string> deck = page->deckLines();
    const char separator = localenum::decimalSeparator();
    auto rows = editor::LoadDeckTable(deck, separator);
    if (!rows)
        return;
    delete editor_.data();
    editor_ = new TEditForm(std::move(*rows), deck, separator, window_.dialogs());
    // One step of the deck text's undo: the deck as it was, with what the table sets
    // aside (late comments, empty lines), stays one Ctrl+Z away.
    editor_->onStore = [page](const std::vector<std::string>& stored) {
        if (stored != page->deckLines())
            page->editDeckLines(stored);
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
