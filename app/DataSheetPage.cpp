#include "app/DataSheetPage.h"

#include "app/LocaleNumbers.h"
#include "app/ResultMemo.h"
#include "common/NumberText.h"
#include "ui_DataSheetPage.h"

#include <cmath>

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

DataSheetPage::DataSheetPage(Ui::DataSheetPage& controls, QWidget* parent)
    : LazyPage("TabSheet1", parent), controls_(controls)
{}

void DataSheetPage::build()
{
    Ui::DataSheetPage& controls = controls_;
    controls.setupUi(this);
    resultmemo::setUp(*controls.Memo1, false);

    elevationField_ = controls.AngleElevField;
    azimuthField_ = controls.AngleAzField;
    elevationBar_ = controls.AngleElevSetBar;
    azimuthBar_ = controls.AngleAzSetBar;
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

DataSheetPage::PatternAngles DataSheetPage::patternAngles() const
{
    return {elevationField_->text(), azimuthField_->text(), elevationBar_->value(), azimuthBar_->value()};
}

void DataSheetPage::setPatternAngles(double elevation, double azimuth)
{
    elevationBar_->setValue(static_cast<int>(std::trunc(elevation)));
    azimuthBar_->setValue(static_cast<int>(std::trunc(azimuth)));
    elevationField_->setText(localenum::general(elevation));
    azimuthField_->setText(localenum::general(azimuth));
}

} // namespace vrnnec
