// The optimizer window `TOptimizeForm` ("Optimize"): the variables (kind, tag, axis,
// range, the deck's current value), the goals (kind, target, weight), the frequency or
// band, the method and the most evaluations; Start and Stop; while it runs the
// evaluations done, the failed ones, the elapsed time, a chart of the best goal against
// the evaluations and the best values so far. "Apply" hands the best deck to the window
// that opened it. The form only reads its controls, calls the optimizer core and writes
// the controls back.
#pragma once

#include "analyses/OptimizeRun.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QLineSeries;
class QValueAxis;

namespace vrnnec {

class UserDialogs;

struct OptimizeContext {
    QString programFolder;
    QString workingFolder;
    UserDialogs* dialogs = nullptr;
    engine::SwrReference reference{50, 0};
    int jobs = 1;
};

class TOptimizeForm : public QWidget {
    Q_OBJECT
public:
    TOptimizeForm(const OptimizeContext& context, std::vector<std::string> deck, QWidget* parent = nullptr);
    ~TOptimizeForm() override;

    // Called with the best deck when "Apply" is pressed.
    std::function<void(const std::vector<std::string>&)> onApply;

    // Adds a variable row (kind "length", "move" or "radius"; the range is left to the
    // user when min and max are empty).
    void addVariable(const QString& kind, long long tag, const QString& axis, const QString& min, const QString& max);
    void addGoal(const QString& kind, const QString& target, const QString& weight);

    void StartButtonClick();
    void StopButtonClick();
    void ApplyButtonClick();
    bool isRunning() const { return run_.isRunning(); }
    const analyses::OptimizeRun& run() const { return run_; }

signals:
    void finished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The request from the controls, or the message of the first control that does not read.
    std::optional<analyses::OptimizeRequest> readRequest(QString& message) const;
    void refreshCurrentValues();
    void onImproved(int evaluation, double goal, const std::vector<double>& values);
    void onFinished();
    void showBest(const std::vector<double>& values);
    void setRunning(bool running);

    OptimizeContext context_;
    std::vector<std::string> deck_;
    analyses::OptimizeRun run_;
    std::vector<analyses::OptimizeVariable> runVariables_;
    QElapsedTimer clock_;
    QTimer ticker_;

    QTableWidget* variables_ = nullptr;
    QTableWidget* goals_ = nullptr;
    QLineEdit* centre_ = nullptr;
    QLineEdit* band_ = nullptr;
    QSpinBox* points_ = nullptr;
    QComboBox* method_ = nullptr;
    QSpinBox* evaluations_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* apply_ = nullptr;
    QLabel* done_ = nullptr;
    QLabel* failed_ = nullptr;
    QLabel* elapsed_ = nullptr;
    QPlainTextEdit* best_ = nullptr;
    QLineSeries* series_ = nullptr;
    QValueAxis* axisX_ = nullptr;
    QValueAxis* axisY_ = nullptr;
};

} // namespace vrnnec
