// The page "Data sheet" (`TabSheet1`): the antenna file and its memo, the calculation
// switches, the ground model, the angles of the radiation pattern and the group of the
// dielectric coated wires. The page owns its controls; the window reads the values the
// calculations need and shows what the file and the runs give through the calls below,
// which need the page built (the window builds it with itself).
#pragma once

#include "app/LazyPage.h"
#include "app/RunSession.h"
#include "common/CoatParameters.h"
#include "common/ConversionOptions.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;

namespace Ui {
class DataSheetPage;
}

namespace vrnnec {

struct AntennaPreview;
class GroundControls;

class DataSheetPage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls when first needed and connects the rules within the
    // page: the scroll bars write the angle and shortening fields.
    explicit DataSheetPage(QWidget* parent = nullptr);
    ~DataSheetPage() override;

    // Values read from the fields: `refusal` is empty when every field converted, else
    // the conversion message of the first that did not (and `value` is incomplete).
    template <typename T>
    struct Checked {
        T value{};
        QString refusal;
        bool ok() const { return refusal.isEmpty(); }
    };
    // What both calculations read alike: the segmentation and kernel switches, the
    // pattern angles (theta from the elevation) and the ground.
    Checked<conversion::ConversionOptions> conversionOptions() const;
    // The frequency field, MHz.
    Checked<double> frequencyMHz() const;
    // The coat group: radii, permittivity, shortening and the axes to shrink.
    Checked<coat::CoatInputs> coatInputs() const;
    // "Show NEC-2 input only": convert without running the engine.
    bool convertOnly() const;

    // The antenna file's path as shown.
    QString antennaPath() const;
    void setAntennaPath(const QString& path);
    // Shows what a picked or refreshed antenna file holds: the ground choices its ground
    // type allows, its frequency, its distinct wire radii; shrinking is offered only for
    // an antenna of one wire radius (else the shortening goes back to 0).
    void showPreview(const AntennaPreview& preview);
    // The frequency field: set in general format, or as a text (unchanged when equal).
    void setFrequency(double megahertz);
    QString frequencyText() const;
    void setFrequencyText(const QString& text);
    // Appends result lines to the memo and shows the newest.
    void appendToMemo(const QStringList& lines);
    void appendToMemo(const std::vector<std::string>& lines);
    // The wait cursor over what a calculation of the coated wires (the coat group and
    // "Calculate") or of the original file (the page and its button) stands for.
    void setCalculationBusy(bool coated, bool busy);

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
    // Puts the angle scroll bars at saved positions, brought into their ranges.
    void setAngleBarPositions(std::optional<long long> elevation, std::optional<long long> azimuth);

    // The ground controls of the window (the ground parameters dialog copies to and from
    // them).
    GroundControls& groundControls() const { return *ground_; }

    // The settings file's values of the page's fields and switches, by control name;
    // nothing (or false) for a name the page does not have.
    std::optional<QString> settingText(const QString& control) const;
    std::optional<bool> settingFlag(const QString& control) const;
    bool applySettingText(const QString& control, const QString& text);
    bool applySettingFlag(const QString& control, bool checked);

    // The page's buttons that are entries of window commands, for the window to bind.
    std::vector<std::pair<QAbstractButton*, Command>> commandEntries() const;
    // Gives the buttons their mnemonics and adds to `window` the keys that click them:
    // Ctrl+O "Find VORNA file", F9 "Calculate at original of VORNA file", F5 "Refresh".
    void installKeys(QWidget& window);

signals:
    void antennaPathChanged(const QString& path);
    // The texts the other pages mirror.
    void elevationTextChanged(const QString& text);
    void azimuthTextChanged(const QString& text);
    void frequencyTextChanged(const QString& text);
    // A value that changes the deck of the next calculation changed (ground values, coat
    // group, conversion switches).
    void conversionInputChanged();
    // The context menu was asked for over the angle or the coat group, at `globalPosition`.
    void accessoriesMenuRequested(const QPoint& globalPosition);

protected:
    void build() override;

private:
    std::unique_ptr<Ui::DataSheetPage> ui_;
    GroundControls* ground_ = nullptr;
};

} // namespace vrnnec
