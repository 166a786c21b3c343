// The five ground controls (`PGround`, `SNGround`, `EPSField`, `SigmaField`,
// `GroundListComboBox`) with their rules; the main window and the ground parameters
// dialog each have one set.
#pragma once

#include "app/GroundModel.h"

#include <QObject>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace vrnnec {

class GroundControls : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QRadioButton* perfect = nullptr;
        QRadioButton* sommerfeld = nullptr;
        QLineEdit* eps = nullptr;
        QLineEdit* sigma = nullptr;
        QComboBox* standard = nullptr;
    };

    // Fills the standard grounds into the combo box and connects the rules.
    GroundControls(const Widgets& widgets, QObject* parent);

    ground::ControlsState state() const;
    // Sets texts, checked and enabled states without applying a standard ground.
    void setState(const ground::ControlsState& state);
    // Sets the text of `GroundListComboBox` without applying a standard ground.
    void setStandardText(const QString& text);

    // Click handlers: a checked "Perfect" disables the three ground value controls, a
    // checked "Sommrefeld/Norton" enables them.
    void PGroundClick();
    void SNGroundClick();
    // Writes the standard ground named by the combo box text into the Eps and Sigma
    // fields; text that names no standard ground changes nothing.
    void GroundListComboBoxChange();

signals:
    // A ground radio button was clicked (after its rule ran).
    void groundChoiceClicked();

private:
    void setValuesEnabled(bool enabled);

    Widgets widgets_;
};

} // namespace vrnnec
