// "Optimize…" on the "NEC-2 input" page: opens the optimizer window on the page's deck,
// and puts the best deck back, as the card editor's OK does, in one undoable step.
#pragma once

#include <QObject>
#include <QPointer>

#include <string>
#include <vector>

namespace vrnnec {

class TForm1;
class TOptimizeForm;

class OptimizeCommands : public QObject {
    Q_OBJECT
public:
    // Answers the page's "Optimize…"; lives as long as the window.
    explicit OptimizeCommands(TForm1& window);
    ~OptimizeCommands() override;

    // Opens the optimizer afresh on the page's deck; while a run goes on, brings its
    // window forward instead.
    void OptimizeButtonClick();
    TOptimizeForm* optimizeForm() const;
    // The wires the best deck changed into the open card table (one undo step there), else
    // into the deck text (one undo step of the text) as the card editor's OK would store
    // it; what else changed in the deck since the optimizer opened stays.
    void applyDeck(const std::vector<std::string>& deck);

private:
    TForm1& window_;
    QPointer<TOptimizeForm> form_;
    std::vector<std::string> startDeck_; // the deck the optimizer opened on
};

} // namespace vrnnec
