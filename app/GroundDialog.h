// The ground parameters dialog: its own five ground controls, copied from the main
// window when it shows and back on "OK" / "OK and close".
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TFormGND;
}
namespace vrnnec {

class GroundControls;

class TFormGND : public QDialog {
    Q_OBJECT
public:
    // `mainGround` are the main window's ground controls, the source and the target of
    // the copies.
    TFormGND(GroundControls* mainGround, QWidget* parent);
    ~TFormGND() override;

    Ui::TFormGND& ui() { return *ui_; }
    GroundControls& groundControls() { return *ground_; }

    // Copies texts, checked and enabled states of the five controls from the main
    // window (done on every showing) or back to it.
    void copyFromMainWindow();
    void copyToMainWindow();

    // Button handlers.
    void GNDChangeParSetButtonClick();    // "OK"
    void GNDChangeParOKButtonClick();     // "OK and close"
    void GNDChangeParCancelButtonClick(); // "Close"

signals:
    // The values went back to the main window ("OK" or "OK and close").
    void groundParametersSet();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::TFormGND> ui_;
    GroundControls* ground_ = nullptr;
    GroundControls* mainGround_ = nullptr;
};

} // namespace vrnnec
