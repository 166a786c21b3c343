// "Angles for RP calculations": re-runs the deck of the last calculation (`Indata.txo`)
// with its pattern cards rewritten for other angles. It stays on top, the main window is
// disabled while it is open, and closing it copies the angles back to the main window's
// diagram angle fields and scroll bars.
#pragma once

#include <QWidget>

#include <functional>

class QLineEdit;
class QPushButton;
class QScrollBar;

namespace vrnnec {

class TForm1;

class TAnglesRPForm : public QWidget {
    Q_OBJECT
public:
    // Takes the angles of `window`'s diagram fields and bars.
    explicit TAnglesRPForm(TForm1& window);

    void SetAnglesRPFormAndStartNEC2ButtonClick();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Both fields read and within range; else the message.
    bool readAngles(double& elevation, double& azimuth);

    TForm1& window_;
    QLineEdit* elevationField_;
    QLineEdit* azimuthField_;
    QScrollBar* elevationBar_;
    QScrollBar* azimuthBar_;
    QPushButton* closeButton_;
    QPushButton* runButton_;
    bool running_ = false; // the window stays open while its run lasts
};

} // namespace vrnnec
