// The page "NEC-2 input" (`TabSheet4`): the deck text `GeometryNEC2` with its edit
// switch, the engine's result sheet and the buttons on the current deck.
#pragma once

#include <QWidget>

namespace Ui {
class NEC2InputPage;
}

namespace vrnnec {

class NEC2InputPage : public QWidget {
    Q_OBJECT
public:
    // Builds the page's controls into `controls`; "Enable text editing" makes the deck
    // text editable.
    explicit NEC2InputPage(Ui::NEC2InputPage& controls, QWidget* parent = nullptr);
};

} // namespace vrnnec
