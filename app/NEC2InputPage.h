// The page "NEC-2 input" (`TabSheet4`): the deck text `GeometryNEC2` with its edit
// switch, the engine's result sheet and the buttons on the current deck.
#pragma once

#include "app/LazyPage.h"

namespace Ui {
class NEC2InputPage;
}

namespace vrnnec {

class NEC2InputPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls into `controls`; "Enable text editing" makes the
    // deck text editable.
    explicit NEC2InputPage(Ui::NEC2InputPage& controls, QWidget* parent = nullptr);

protected:
    void build() override;

private:
    Ui::NEC2InputPage& controls_;
};

} // namespace vrnnec
