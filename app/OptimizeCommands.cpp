#include "app/OptimizeCommands.h"

#include "app/EditorCommands.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/NEC2InputPage.h"
#include "app/OptimizeForm.h"
#include "app/TableEditorForm.h"
#include "app/UserDialogs.h"
#include "editor/CardRows.h"
#include "engine/EngineJobs.h"

namespace vrnnec {

OptimizeCommands::OptimizeCommands(TForm1& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("OptimizeCommands"));
    connect(&window.nec2InputPage(), &NEC2InputPage::optimizeRequested, this, [this] { OptimizeButtonClick(); });
}

TOptimizeForm* OptimizeCommands::optimizeForm() const
{
    return form_.data();
}

OptimizeCommands::~OptimizeCommands()
{
    delete form_.data();
}

void OptimizeCommands::OptimizeButtonClick()
{
    if (form_ && form_->isRunning()) {
        // A run goes on: its window comes forward, the run and its best so far stay.
        form_->showNormal();
        form_->raise();
        form_->activateWindow();
        return;
    }
    const std::vector<std::string> deck = window_.nec2InputPage().deckLines();
    OptimizeContext context;
    context.programFolder = window_.programFolder();
    context.workingFolder = window_.workingFolder();
    context.dialogs = &window_.dialogs();
    context.reference = window_.session().EditWindowSwrReference;
    context.jobs = engine::EngineJobs(context.workingFolder, context.programFolder);
    delete form_.data();
    startDeck_ = deck;
    form_ = new TOptimizeForm(context, deck);
    if (const auto tag = analyses::FirstWireTag(deck))
        form_->addVariable(QStringLiteral("length"), *tag, QString(), QString(), QString());
    form_->addGoal(QStringLiteral("swr"), QStringLiteral("1"), QStringLiteral("1"));
    form_->onApply = [this](const std::vector<std::string>& best) { applyDeck(best); };
    form_->show();
    form_->activateWindow();
}

void OptimizeCommands::applyDeck(const std::vector<std::string>& deck)
{
    const char separator = localenum::decimalSeparator();
    auto* editorCommands = window_.findChild<EditorCommands*>(QStringLiteral("EditorCommands"));
    if (TEditForm* table = editorCommands ? editorCommands->tableEditor() : nullptr) {
        // The open card table: the GW row of each changed wire replaced, as one step, when
        // the table still holds the row as the optimization began from it.
        editor::CardTableModel& model = table->model();
        std::vector<editor::CardRow> current;
        for (int i = 0; i < model.rowCount(); ++i)
            current.push_back(model.row(i));
        std::string message;
        const auto merged = analyses::MergeBestRows(current, startDeck_, deck, separator, message);
        if (!merged) {
            window_.dialogs().showMessage(QString::fromStdString(message));
            return;
        }
        model.undoStack().beginMacro(QStringLiteral("Optimize"));
        for (int i = 0; i < model.rowCount(); ++i)
            if (model.row(i) != (*merged)[static_cast<std::size_t>(i)])
                model.replaceRow(i, (*merged)[static_cast<std::size_t>(i)], QStringLiteral("Optimize"));
        model.undoStack().endMacro();
        return;
    }
    std::string message;
    const auto merged = analyses::MergeBestDeck(window_.nec2InputPage().deckLines(), startDeck_, deck, message);
    if (!merged) {
        window_.dialogs().showMessage(QString::fromStdString(message));
        return;
    }
    const auto rows = editor::LoadDeckTable(*merged, separator);
    if (!rows)
        return;
    const editor::StoreResult stored = editor::StoreDeckTable(*merged, *rows, separator);
    if (!stored.ok) {
        window_.dialogs().showMessage(QString::fromStdString(stored.message));
        return;
    }
    window_.nec2InputPage().editDeckLines(stored.deck);
}

} // namespace vrnnec
