// The card table editor `TEditForm` ("NEC-2 input code correction"): the deck as one
// row per card in `CodeTable`, on the shared card table model. Ins or a right click
// opens the tool of the row's card; Shift+Ins and Shift+Del add and delete rows; rows
// are reordered by dragging their headings; Ctrl+Z and Ctrl+Shift+Z undo and redo every
// change. "OK" stores the rows into a deck; a failed store keeps the window open.
#pragma once

#include "editor/CardTableModel.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableView;

namespace vrnnec {

class CardFieldDelegate;
class TCardForm;
class UserDialogs;

class TEditForm : public QWidget {
    Q_OBJECT
public:
    // `deck`: the lines the rows were loaded from (their leading comments are kept).
    TEditForm(std::vector<editor::CardRow> rows, std::vector<std::string> deck, char separator, UserDialogs& dialogs);
    ~TEditForm() override;

    editor::CardTableModel& model() { return model_; }
    QTableView* codeTable() const { return table_; }
    QLabel* statusLine() const { return status_; }
    TCardForm* cardForm() const;

    // Called with the new deck when "OK" has stored the rows.
    std::function<void(const std::vector<std::string>&)> onStore;

    // Opens the tool of `row`'s card (Ins, right click); `column` is the cursor's.
    void openTool(int row, int column);
    // Makes the cell current and the only one selected, scrolled into view.
    void selectCell(int row, int column);
    void EditFormOKButtonClick();

signals:
    // "GW" rows: the wire tools, for the row and the cursor's column.
    void wireToolsRequested(const QPersistentModelIndex& row, int column);
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool columnsSized_ = false;
    void fillGaps(const QModelIndex& index);
    bool handleTableKey(QKeyEvent* event);

    editor::CardTableModel model_;
    std::vector<std::string> deck_;
    char separator_;
    UserDialogs& dialogs_;
    QTableView* table_ = nullptr;
    CardFieldDelegate* delegate_ = nullptr;
    QLabel* status_ = nullptr;
    QPointer<TCardForm> cardForm_;
    bool stored_ = false;
};

} // namespace vrnnec
