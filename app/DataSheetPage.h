// The page "Data sheet" (`TabSheet1`): the antenna file and its memo, the calculation
// switches, the ground model, the angles of the radiation pattern and the group of the
// dielectric coated wires.
#pragma once

#include "app/LazyPage.h"

#include <QString>

class QLineEdit;
class QScrollBar;

namespace Ui {
class DataSheetPage;
}

namespace vrnnec {

class DataSheetPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls into `controls` and connects the rules within the
    // page: the scroll bars write the angle and shortening fields.
    explicit DataSheetPage(Ui::DataSheetPage& controls, QWidget* parent = nullptr);

    // The angles of the radiation pattern as shown: the texts of `AngleElevField` and
    // `AngleAzField` and the positions of their scroll bars.
    struct PatternAngles {
        QString elevationText, azimuthText;
        int elevationPosition = 0, azimuthPosition = 0;
    };
    PatternAngles patternAngles() const;
    // Sets the angles: the scroll bars to the angles truncated, the fields to them in
    // general format (which the fields' mirrors then copy on).
    void setPatternAngles(double elevation, double azimuth);

protected:
    void build() override;

private:
    Ui::DataSheetPage& controls_;
    QLineEdit* elevationField_;
    QLineEdit* azimuthField_;
    QScrollBar* elevationBar_;
    QScrollBar* azimuthBar_;
};

} // namespace vrnnec
