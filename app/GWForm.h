// The wire tools `TGWForm` ("Wire (GW) editing tools") on one GW row of the card table:
// the wire in named fields with its length shown as it is typed, flip, a dielectric
// coat written as a distributed-inductance LD card, and the replacement of a coordinate
// value in every GW row. The window keeps its row by a persistent index, so rows
// inserted or removed above it do not move its writes; every change it makes to the
// table is one step of the table's undo stack.
#pragma once

#include "editor/CardTableModel.h"

#include <QPersistentModelIndex>
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vrnnec {

class UserDialogs;

class TGWForm : public QWidget {
    Q_OBJECT
public:
    // Opens on `row` of `model`; `column` is the column of the table cursor.
    TGWForm(editor::CardTableModel& model, const QPersistentModelIndex& row, int column, char separator,
            UserDialogs& dialogs);
    ~TGWForm() override;

    // The row the window writes to (follows inserts and removals above it).
    int wireRow() const { return row_.row(); }

    void EditGWSaveCloseButtonClick();
    void FlipWireDirectionButtonClick();
    void IsolateGWButtonClick();
    void GWChangeCorrButtonClick();

signals:
    // "Make isolation" inserted its LD row at `row` (the table selects it).
    void loadRowInserted(int row);
    // "OK (make changes)" met a coordinate cell of the table that does not read (the
    // table selects it).
    void tableCellRefused(int row, int column);
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Wire {
        long long tag = 0, segments = 0;
        double coordinates[6] = {};
        double radius = 0;
    };
    // The wire fields read; false (with the message shown) when one does not read.
    bool readWire(Wire& wire);
    // The message of a wire field that does not read, naming the row and the card's
    // `field` (1 tag, 2 segments, 3 to 8 the coordinates, 9 the radius); the field's
    // text is selected, and with `focus` the field takes the focus.
    void refuseField(int field, bool focus);
    // Writes cells 1 to 9 of the wire's row from `wire` (undoable).
    void writeWire(const Wire& wire);
    // The lengths of the wire as typed. While `leaving` is false (the user is typing),
    // numbers not yet finished are waited for; when he leaves a field they are refused.
    void showLengths(bool leaving);
    QString text(double value) const;

    editor::CardTableModel& model_;
    QPersistentModelIndex row_;
    char separator_;
    UserDialogs& dialogs_;

    QLineEdit* tagField_;
    QLineEdit* segsField_;
    QLineEdit* coordinateFields_[6];
    QLineEdit* radiusField_;
    QLabel* lengthText_;
    QLabel* isolationNote_;
    QLineEdit* epsField_;
    QLineEdit* coatRadiusField_;
    QLineEdit* bareRadiusField_;
    QLineEdit* findField_;
    QLineEdit* changeField_;
    QRadioButton* axisButtons_[4];
    QCheckBox* mirrorCheck_;
};

} // namespace vrnnec
