#include "app/DataSheetPage.h"

#include "app/LocaleNumbers.h"
#include "app/ResultMemo.h"
#include "common/NumberText.h"
#include "ui_DataSheetPage.h"

namespace vrnnec {

namespace {

// Calls `write` with the bar's position whenever the user moves the bar (not when a
// program sets it).
template <typename Write>
void onUserScroll(QScrollBar* bar, QObject* context, Write write)
{
    QObject::connect(bar, &QAbstractSlider::actionTriggered, context,
                     [bar, write](int) { write(bar->sliderPosition()); });
}

} // namespace

DataSheetPage::DataSheetPage(Ui::DataSheetPage& controls, QWidget* parent) : QWidget(parent)
{
    controls.setupUi(this);
    resultmemo::setUp(*controls.Memo1, false);

    QLineEdit* elevation = controls.AngleElevField;
    QLineEdit* azimuth = controls.AngleAzField;
    QLineEdit* shortening = controls.UkorField;
    onUserScroll(controls.AngleElevSetBar, this,
                 [elevation](int position) { elevation->setText(QString::number(position)); });
    onUserScroll(controls.AngleAzSetBar, this,
                 [azimuth](int position) { azimuth->setText(QString::number(position)); });
    onUserScroll(controls.UkorBar, this, [shortening](int position) {
        shortening->setText(QString::fromStdString(
            numtext::withSeparator(numtext::decimals(position / 10.0, 1), localenum::decimalSeparator())));
    });
}

} // namespace vrnnec
