#include "app/GroundControls.h"

#include "app/LocaleNumbers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

namespace vrnnec {

GroundControls::GroundControls(const Widgets& widgets, QObject* parent) : QObject(parent), widgets_(widgets)
{
    {
        const QSignalBlocker blocker(widgets_.standard);
        const QString text = widgets_.standard->currentText();
        widgets_.standard->clear();
        for (const ground::Preset& preset : ground::presets())
            widgets_.standard->addItem(
                QString::fromUtf8(preset.text.data(), static_cast<qsizetype>(preset.text.size())));
        widgets_.standard->setCurrentIndex(-1);
        widgets_.standard->setEditText(text);
    }

    connect(widgets_.perfect, &QRadioButton::clicked, this, [this] {
        PGroundClick();
        emit groundChoiceClicked();
    });
    connect(widgets_.sommerfeld, &QRadioButton::clicked, this, [this] {
        SNGroundClick();
        emit groundChoiceClicked();
    });
    // Choosing an item or typing; programmatic changes of the text do not apply a
    // standard ground.
    connect(widgets_.standard, &QComboBox::textActivated, this, [this] { GroundListComboBoxChange(); });
    if (QLineEdit* edit = widgets_.standard->lineEdit())
        connect(edit, &QLineEdit::textEdited, this, [this] { GroundListComboBoxChange(); });
}

ground::ControlsState GroundControls::state() const
{
    ground::ControlsState s;
    s.eps = widgets_.eps->text().toStdString();
    s.sigma = widgets_.sigma->text().toStdString();
    s.standard = widgets_.standard->currentText().toStdString();
    s.perfectChecked = widgets_.perfect->isChecked();
    s.sommerfeldChecked = widgets_.sommerfeld->isChecked();
    s.perfectEnabled = widgets_.perfect->isEnabled();
    s.sommerfeldEnabled = widgets_.sommerfeld->isEnabled();
    s.epsEnabled = widgets_.eps->isEnabled();
    s.sigmaEnabled = widgets_.sigma->isEnabled();
    s.standardEnabled = widgets_.standard->isEnabled();
    return s;
}

void GroundControls::setState(const ground::ControlsState& s)
{
    widgets_.eps->setText(QString::fromStdString(s.eps));
    widgets_.sigma->setText(QString::fromStdString(s.sigma));
    setStandardText(QString::fromStdString(s.standard));
    // Both radio buttons of a ground group are exclusive: set the checked one last so
    // that a state with both cleared is kept as well.
    widgets_.perfect->setAutoExclusive(false);
    widgets_.sommerfeld->setAutoExclusive(false);
    widgets_.perfect->setChecked(s.perfectChecked);
    widgets_.sommerfeld->setChecked(s.sommerfeldChecked);
    widgets_.perfect->setAutoExclusive(true);
    widgets_.sommerfeld->setAutoExclusive(true);
    widgets_.perfect->setEnabled(s.perfectEnabled);
    widgets_.sommerfeld->setEnabled(s.sommerfeldEnabled);
    widgets_.eps->setEnabled(s.epsEnabled);
    widgets_.sigma->setEnabled(s.sigmaEnabled);
    widgets_.standard->setEnabled(s.standardEnabled);
}

void GroundControls::setStandardText(const QString& text)
{
    const QSignalBlocker blocker(widgets_.standard);
    const int index = widgets_.standard->findText(text, Qt::MatchExactly);
    widgets_.standard->setCurrentIndex(index);
    widgets_.standard->setEditText(text);
}

void GroundControls::PGroundClick()
{
    if (widgets_.perfect->isChecked())
        setValuesEnabled(false);
}

void GroundControls::SNGroundClick()
{
    if (widgets_.sommerfeld->isChecked())
        setValuesEnabled(true);
}

void GroundControls::GroundListComboBoxChange()
{
    std::vector<std::string> items;
    for (int i = 0; i < widgets_.standard->count(); ++i)
        items.push_back(widgets_.standard->itemText(i).toStdString());
    const int index = ground::findItem(items, widgets_.standard->currentText().toStdString());
    std::string eps;
    std::string sigma;
    if (!ground::presetFieldTexts(index, localenum::decimalSeparator(), eps, sigma))
        return;
    widgets_.eps->setText(QString::fromStdString(eps));
    widgets_.sigma->setText(QString::fromStdString(sigma));
}

void GroundControls::setValuesEnabled(bool enabled)
{
    widgets_.eps->setEnabled(enabled);
    widgets_.sigma->setEnabled(enabled);
    widgets_.standard->setEnabled(enabled);
}

} // namespace vrnnec
