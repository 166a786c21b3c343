// "Code editor" on the "NEC-2 input" page: the deck memo's lines into the card table
// editor, and its stored deck back into the memo. The main window stays disabled
// while the editor is open.
#pragma once

#include <QObject>
#include <QPointer>

namespace vrnnec {

class TEditForm;
class TGWForm;
class TForm1;

class EditorCommands : public QObject {
    Q_OBJECT
public:
    // Connects "Code editor"; lives as long as the window.
    explicit EditorCommands(TForm1& window);
    ~EditorCommands() override;

    void NEC2CodeEditorButtonClick();
    // The open table editor, if any.
    TEditForm* tableEditor() const;
    // The open wire tools, if any.
    TGWForm* wireTools() const;

protected:
    // Closing the main window (its close box stays live while it is disabled) closes
    // the card table editor first, which asks before its changes are dropped; when the
    // user keeps them, the main window stays open.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm1& window_;
    QPointer<TEditForm> editor_;
    QPointer<TGWForm> wireTools_;
};

} // namespace vrnnec
