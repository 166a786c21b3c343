// The deck commands of the "NEC-2 input" page: "Read current NEC-2 input", "Open WCF
// file", "Save WCF file" and "View NEC-2 output file".
#pragma once

#include "app/DeckMemo.h" // the deck text as lines, which the callers of these commands also read

#include <QObject>
#include <QString>

namespace vrnnec {

class TForm1;

class DeckFileCommands : public QObject {
    Q_OBJECT
public:
    // Connects the page's buttons; lives as long as the window.
    explicit DeckFileCommands(TForm1& window);

    void ReadIndataButtonClick();
    void OpenNEC2ButtonClick();
    // Opens the deck file `name` as "Open WCF file" opens the chosen one.
    void OpenDeckFile(const QString& name);
    void SaveNEC2ButtonClick();
    void ViewOutdataButtonClick();

    // True when the window may close: the deck is unchanged since it was last read,
    // opened or saved, or the user saves it or drops the changes when asked.
    bool mayClose();

private:
    // True when the deck may be replaced: it is unchanged since it was last read,
    // opened or saved, or the user agrees to drop the changes.
    bool mayReplaceDeck();
    void showDeck(const std::vector<std::string>& lines);

    TForm1& window_;
};

} // namespace vrnnec
