// The pattern cards of the "NEC-2 input" page and the direct run of its deck: the check
// box "Angles for RP plots" with its two angle fields keeps the two pattern cards of the
// deck memo in line with the angles, and "Start NEC-2" runs the memo's deck through the
// calculation core and reads the results as a calculation does.
#pragma once

#include <QObject>
#include <QPointer>

namespace vrnnec {

class TAnglesRPForm;
class TForm1;

class DirectRunCommands : public QObject {
    Q_OBJECT
public:
    // Connects the page's controls; lives as long as the window.
    explicit DirectRunCommands(TForm1& window);
    ~DirectRunCommands() override;

    void StartNEC2ButtonClick();
    void AzimElevNEC2CheckClick();
    void Elevation1FieldChange();
    void Azimuth1FieldChange();
    // "Set Angles for RP calculations": opens the RP angles dialog.
    void SetAnglesforRPcalculationsClick();
    // The open RP angles dialog, if any.
    TAnglesRPForm* anglesDialog() const;

private:
    // Reads both angle fields and rewrites the deck's pattern cards when the angles are
    // acceptable; `outOfRange` is the message for angles that are not.
    void applyAngleRule(bool modeZeroElevationCounts, const char* outOfRange);

    TForm1& window_;
    QPointer<TAnglesRPForm> anglesDialog_;
};

} // namespace vrnnec
