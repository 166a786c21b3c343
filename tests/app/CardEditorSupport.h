// Opens the card table editor of a window test on a deck, as "Code editor" does, active
// and with the focus in the table; nullptr when the deck opens no editor.
#pragma once

#include "app/EditorCommands.h"
#include "app/MainWindow.h"
#include "WindowControls.h"
#include "app/TableEditorForm.h"

#include <QApplication>
#include <QTableView>

inline vrnnec::TEditForm* OpenCardEditor(vrnnec::TForm1& w, const QString& deck)
{
    WindowControls(w).GeometryNEC2->setPlainText(deck);
    WindowControls(w).NEC2CodeEditorButton->setEnabled(true);
    WindowControls(w).NEC2CodeEditorButton->click();
    auto* commands = w.findChild<vrnnec::EditorCommands*>(QStringLiteral("EditorCommands"));
    vrnnec::TEditForm* editor = commands ? commands->tableEditor() : nullptr;
    if (editor) {
        QApplication::setActiveWindow(editor);
        editor->codeTable()->setFocus();
    }
    return editor;
}
