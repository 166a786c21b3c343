// The deck commands of the "NEC-2 input" page: "Read current NEC-2 input", "Open WCF
// file", "Save WCF file" and "View NEC-2 output file". The deck memo `GeometryNEC2`
// holds one deck line per text line, each byte of a deck file as one character
// (Latin-1), so deck files come back byte for byte.
#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QPlainTextEdit;

namespace vrnnec {

class TForm1;

namespace deckmemo {

// The memo's lines as deck bytes, each cut to 255 bytes (an empty text has no lines;
// a final line end gives a final empty line, so deck files come back as they were).
std::vector<std::string> lines(const QString& text);
std::vector<std::string> lines(const QPlainTextEdit& memo);
// The lines a run takes from the memo: as lines(), without a final empty line.
std::vector<std::string> runLines(const QPlainTextEdit& memo);
std::vector<std::string> runLines(const QString& text);
// Replaces the memo's text by the lines and marks the deck as changed (when the text
// differs); a deck read from a file clears the mark itself.
void setLines(QPlainTextEdit& memo, const std::vector<std::string>& lines);
// Selects line `index` (0-based) of the memo, scrolls it into view and shows the page
// the memo is on.
void selectLine(QPlainTextEdit& memo, int index);

} // namespace deckmemo

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

private:
    // True when the deck may be replaced: it is unchanged since it was last read,
    // opened or saved, or the user agrees to drop the changes.
    bool mayReplaceDeck();
    void showDeck(const std::vector<std::string>& lines);

    TForm1& window_;
};

} // namespace vrnnec
