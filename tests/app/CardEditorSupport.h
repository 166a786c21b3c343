// Opens the card table editor of a window test on a deck, as "Code editor" does, active
// and with the focus in the table; nullptr when the deck opens no editor.
#pragma once

#include "app/EditorCommands.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/TableEditorForm.h"

#include <QApplication>
#include <QTableView>

inline vrnnec::TEditForm* OpenCardEditor(vrnnec::TForm1& w, const QString& deck)
{
    w.ui().GeometryNEC2->setPlainText(deck);
    w.ui().NEC2CodeEditorButton->setEnabled(true);
    w.ui().NEC2CodeEditorButton->click();
    auto* commands = w.findChild<vrnnec::EditorCommands*>(QStringLiteral("EditorCommands"));
    vrnnec::TEditForm* editor = commands ? commands->tableEditor() : nullptr;
    if (editor) {
        QApplication::setActiveWindow(editor);
        editor->codeTable()->setFocus();
    }
    return editor;
}
