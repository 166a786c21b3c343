// The page "Data sheet" (`TabSheet1`): the antenna file and its memo, the calculation
// switches, the ground model, the angles of the radiation pattern and the group of the
// dielectric coated wires.
#pragma once

#include <QWidget>

namespace Ui {
class DataSheetPage;
}

namespace vrnnec {

class DataSheetPage : public QWidget {
    Q_OBJECT
public:
    // Builds the page's controls into `controls` and connects the rules within the page:
    // the scroll bars write the angle and shortening fields.
    explicit DataSheetPage(Ui::DataSheetPage& controls, QWidget* parent = nullptr);
};

} // namespace vrnnec
