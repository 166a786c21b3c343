// The page "NEC-2 input" (`TabSheet4`): the deck text `GeometryNEC2` with its edit
// switch, the engine's result sheet, the angles of the pattern cards and the buttons on
// the current deck. The page owns its controls; the window reaches them through the
// typed calls below.
#pragma once

#include "app/LazyPage.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QPushButton;

namespace Ui {
class NEC2InputPage;
}

namespace vrnnec {

enum class Command; // app/RunSession.h

class NEC2InputPage : public LazyPage {
    Q_OBJECT
public:
    explicit NEC2InputPage(QWidget* parent = nullptr);
    ~NEC2InputPage() override;

    // The deck as lines of bytes, each cut to 255 bytes; a final line end gives a final
    // empty line, so a deck file comes back as it was read.
    std::vector<std::string> deckLines() const;
    // The lines a run takes: as deckLines(), without a final empty line.
    std::vector<std::string> deckRunLines() const;
    // A rewrite by the program: replaces the deck when the lines differ and keeps it
    // marked as changed, as a typed change would.
    void setDeckLines(const std::vector<std::string>& lines);
    // As setDeckLines, as one step the user can undo; the deck is marked as changed.
    void editDeckLines(const std::vector<std::string>& lines);
    // Shows a deck just read from a file or saved: unchanged, with the buttons that act
    // on a deck enabled.
    void showDeckFromFile(const std::vector<std::string>& lines);
    bool isDeckModified() const;
    void setDeckModified(bool modified);
    // Selects line `index` (0-based) of the deck, brings it into view and shows the page.
    void selectDeckLine(int index);

    // Appends lines to the result sheet; the newest is the one in view.
    void appendResults(const QStringList& lines);
    void appendResults(const std::vector<std::string>& lines);

    // "Read admittance".
    bool readAdmittance() const;
    void setReadAdmittance(bool read);

    // "Angles for RP plots" and its elevation and azimuth fields, as typed; the fields
    // are enabled with the check box.
    bool anglesForPatterns() const;
    void setAnglesForPatterns(bool on);
    QString elevationText() const;
    QString azimuthText() const;
    void setElevationText(const QString& text);
    void setAzimuthText(const QString& text);

    // "Start NEC-2": disabled with a busy cursor over the page while its run goes on.
    void setStartEnabled(bool enabled);
    void setRunning(bool running);

    // The page's flags in the settings file, by the control name of their key
    // ("EditNEC2InputCheck", "ReadADMCheck"): nothing for another name or while the page
    // is not built; applying answers whether the name is the page's.
    std::optional<bool> savedFlag(const QString& control) const;
    bool applySavedFlag(const QString& control, bool checked);

    // The buttons that are entries of a command, for the window to bind to the
    // command's action (the page does not decide when they are enabled).
    std::vector<std::pair<QAbstractButton*, Command>> commandEntries() const;

signals:
    void readRequested();        // "Read Indata.txo"
    void openRequested();        // "Open WCF file"
    void saveRequested();        // "Save WCF file"
    void viewListingRequested(); // "View NEC-2 output file"
    void startRequested();       // "Start NEC-2"
    void codeEditorRequested();  // "Code editor"
    void optimizeRequested();    // "Optimize…"
    void anglesForPatternsClicked();
    void elevationEdited();
    void azimuthEdited();
    void deckEdited(); // any change of the deck text
    void readAdmittanceToggled();

protected:
    void build() override;

private:
    void setAngleFieldsEnabled(bool enabled);
    QCheckBox* savedFlagBox(const QString& control) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<Ui::NEC2InputPage> ui_;
    QPushButton* optimizeButton_ = nullptr;
};

} // namespace vrnnec
