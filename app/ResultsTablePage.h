// The page "Table of results" (`TabSheet3`): the results table, newest run on top, the
// second set of file and calculation buttons, the parameter change group and the memo
// `ImpedanceScreen1`. The page owns its controls; the window reaches them through the
// typed calls below.
#pragma once

#include "app/LazyPage.h"
#include "app/RunSession.h"
#include "results/RunTexts.h"

#include <QList>
#include <QString>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Ui {
class ResultsTablePage;
}

class QAbstractButton;
class QMenu;
class QTableWidget;

namespace vrnnec {

class ResultsTablePage : public LazyPage {
    Q_OBJECT
public:
    // The page builds its controls when first needed and sets up the results table.
    explicit ResultsTablePage(QWidget* parent = nullptr);
    ~ResultsTablePage() override;

    // The page's buttons that are entries of a window command, for TForm1::bindEntry.
    QList<std::pair<QAbstractButton*, Command>> commandEntries();
    // `menu` pops up over the results table.
    void setTableMenu(QMenu* menu);

    // `VRNfileName1`: the antenna file the buttons act on.
    void setAntennaFileName(const QString& path);

    // A reading of the listing: clearSummary() empties `ImpedanceScreen1` at its start;
    // appendRun() adds its summary lines and replays its steps on the table (a step that
    // adds a row inserts a new top row unless the top row is still empty).
    void clearSummary();
    void appendRun(const std::vector<std::string>& summaryLines, const std::vector<results::TableStep>& steps);
    // The data rows of the table, top (newest) first, each cell's text ("" when empty).
    std::vector<std::vector<QString>> rows();

    // The parameter change group. The file's own height and frequency fill the fields;
    // the group is unchecked and, when `offerChange`, may be checked.
    void resetParameterChange(double fileHeightM, double fileFrequencyMHz, bool offerChange);
    // The group's rule, applied whenever "Enable changing" is toggled: the fields and
    // "Change ground parameters" are enabled while the box is checked and enabled; else
    // they are disabled and the fields show the file's own values again.
    void applyParameterChange(double fileHeightM, double fileFrequencyMHz);
    // Whether "Enable changing" is checked, and the texts of height and frequency.
    bool changesParameters();
    QString heightText();
    QString frequencyText();
    // Shows a height (m) or a frequency text (the latter only when it differs).
    void setHeight(double heightM);
    void setFrequencyText(const QString& text);

    // A calculation of `calculation` runs: the page and its button of that command show
    // the wait cursor; `busy` false puts the cursors back.
    void showBusy(Command calculation, bool busy);

signals:
    // The user (or a setter) changed the height or the frequency field.
    void heightTextChanged(const QString& text);
    void frequencyTextChanged(const QString& text);
    // "Enable changing" was toggled: the window applies the rule with the file's values.
    void parameterChangeToggled();
    // "Change ground parameters".
    void groundParametersRequested();

protected:
    void build() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addRow();

    std::unique_ptr<Ui::ResultsTablePage> ui_;
    QTableWidget* table_ = nullptr;
};

} // namespace vrnnec
