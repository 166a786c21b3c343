// The settings file glue: the key table names the controls; "Data sheet" reads and sets
// its own, the others are found here by object name among the page controls (the ground
// dialog has controls of the same names).
#include "app/CurrentsPage.h"
#include "app/DataSheetPage.h"
#include "app/IniFile.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/SettingsFile.h"
#include "app/SwrReferenceFields.h"
#include "app/UserDialogs.h"
#include "app/WorkPlacesKeeper.h"

#include <QDir>

#include <map>
#include <utility>

namespace vrnnec {

namespace {

QString controlName(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

void TForm1::loadSettings()
{
    IniFile ini;
    ini.load(settingsPath().toStdString()); // a missing file leaves every default
    const settings::Loaded loaded = settings::load(ini, programFolder_.toStdString(), localenum::decimalSeparator());

    QDir::setCurrent(QString::fromStdString(loaded.currentDir)); // a failure is ignored

    // The reference impedance fields, checked as each is read also while their page is
    // not built yet.
    QString swrR = QString::fromLatin1(swrfields::kDefaultRText);
    QString swrX = QString::fromLatin1(swrfields::kDefaultXText);
    bool swrRead = false;
    for (const auto& [control, text] : loaded.texts) {
        const QString name = controlName(control);
        const QString value = QString::fromStdString(text);
        if (dataSheetPage().applySettingText(name, value))
            continue;
        if (name == QLatin1String("ZSwrReNEC2Field") || name == QLatin1String("ZSwrImNEC2Field")) {
            (name == QLatin1String("ZSwrReNEC2Field") ? swrR : swrX) = value;
            takeSwrReference(swrR, swrX);
            swrRead = true;
        }
    }
    if (swrRead)
        currents_->setSwrReferenceTexts({swrR, swrX});
    dataSheetPage().setAngleBarPositions(loaded.elevationBar, loaded.azimuthBar);
    for (const auto& [control, checked] : loaded.flags) {
        const QString name = controlName(control);
        // The flags of "NEC-2 input" wait for their page to be built.
        if (!dataSheetPage().applySettingFlag(name, checked) && !nec2Input_->applySavedFlag(name, checked))
            pendingFlags_.emplace_back(name, checked);
    }
    workPlaces_->load(ini);

    if (!loaded.message.empty())
        dialogs().showMessage(QString::fromStdString(loaded.message));
}

void TForm1::applyPendingSettings()
{
    for (const auto& [name, checked] : std::exchange(pendingFlags_, {}))
        nec2Input_->applySavedFlag(name, checked);
}

void TForm1::saveSettings()
{
    buildPages(); // the settings of every page are written
    std::map<std::string, std::string, std::less<>> values;
    for (const settings::Key& key : settings::keys()) {
        const QString name = controlName(key.control);
        QString text;
        switch (key.kind) {
        case settings::Kind::Path: continue;
        case settings::Kind::Flag: {
            std::optional<bool> checked = nec2Input_->savedFlag(name);
            if (!checked)
                checked = dataSheetPage().settingFlag(name);
            if (checked)
                text = *checked ? QStringLiteral("1") : QStringLiteral("0");
            break;
        }
        case settings::Kind::Text:
        case settings::Kind::Number:
            if (const std::optional<QString> value = dataSheetPage().settingText(name))
                text = *value;
            else if (name == QLatin1String("ZSwrReNEC2Field"))
                text = currentsPage().swrReferenceTexts().r;
            else if (name == QLatin1String("ZSwrImNEC2Field"))
                text = currentsPage().swrReferenceTexts().x;
            break;
        }
        values.emplace(std::string(key.control), text.toStdString());
    }
    const std::string message = settings::save(settingsPath().toStdString(), QDir::currentPath().toStdString(), values);
    if (!message.empty())
        dialogs().showMessage(QString::fromStdString(message));
    else if (const QString more = workPlaces_->save(settingsPath()); !more.isEmpty())
        dialogs().showMessage(more);
}

} // namespace vrnnec
