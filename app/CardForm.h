// The card dialog `TCardForm` ("Card: LD"): one card row in `CardGrid` under the
// captions of its fields, filled with the card's defaults when the row has no fields;
// "OK" replaces the table row (one undoable step), "Help" opens the card help
// `TCardHelpForm` ("Short description of card fields.").
#pragma once

#include "editor/CardDefinitions.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableWidget;

namespace vrnnec {

namespace editor {
class CardTableModel;
}
class CardFieldDelegate;
class UserDialogs;

class TCardHelpForm : public QWidget {
    Q_OBJECT
public:
    explicit TCardHelpForm(const std::vector<std::string_view>& lines);
    QPlainTextEdit* memo() const { return memo_; }

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* memo_ = nullptr;
};

class TCardForm : public QWidget {
    Q_OBJECT
public:
    TCardForm(editor::CardTableModel& model, int row, const editor::CardDefinition& card, char separator,
              UserDialogs& dialogs);
    ~TCardForm() override;

    QTableWidget* cardGrid() const { return grid_; }
    QLabel* statusLine() const { return status_; }
    TCardHelpForm* helpForm() const { return help_.data(); }
    // The table row the dialog works on (it follows moves of the row).
    int tableRow() const { return row_.row(); }

    void EditCardOKButtonClick();
    void CardHelpButtonClick();

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool columnsSized_ = false;
    editor::CardRow values() const;
    void setValues(const editor::CardRow& row);
    void fillGaps(int column);

    editor::CardTableModel& model_;
    QPersistentModelIndex row_;
    const editor::CardDefinition& card_;
    char separator_;
    UserDialogs& dialogs_;
    QTableWidget* grid_ = nullptr;
    CardFieldDelegate* delegate_ = nullptr;
    QLabel* status_ = nullptr;
    QPointer<TCardHelpForm> help_;
};

} // namespace vrnnec
