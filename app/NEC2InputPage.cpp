#include "app/NEC2InputPage.h"

#include "app/ResultMemo.h"
#include "ui_NEC2InputPage.h"

namespace vrnnec {

NEC2InputPage::NEC2InputPage(Ui::NEC2InputPage& controls, QWidget* parent)
    : LazyPage("TabSheet4", parent), controls_(controls)
{}

void NEC2InputPage::build()
{
    Ui::NEC2InputPage& controls = controls_;
    controls.setupUi(this);
    resultmemo::setUp(*controls.NEC2ResultSheetScreen, false);
    QPlainTextEdit* deck = controls.GeometryNEC2;
    connect(controls.EditNEC2InputCheck, &QCheckBox::toggled, this,
            [deck](bool checked) { deck->setReadOnly(!checked); });
}

} // namespace vrnnec
