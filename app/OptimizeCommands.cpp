#include "app/OptimizeCommands.h"

#include "app/DeckFileCommands.h"
#include "app/EditorCommands.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/MainWindowControls.h"
#include "app/OptimizeForm.h"
#include "app/TableEditorForm.h"
#include "app/UserDialogs.h"
#include "editor/CardRows.h"
#include "engine/EngineJobs.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace vrnnec {

namespace {

// The layout that holds `widget` directly, searched from `layout` down.
QBoxLayout* layoutOf(QLayout* layout, QWidget* widget)
{
    if (!layout)
        return nullptr;
    if (layout->indexOf(widget) >= 0)
        return qobject_cast<QBoxLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i)
        if (QBoxLayout* found = layoutOf(layout->itemAt(i)->layout(), widget))
            return found;
    return nullptr;
}

} // namespace

OptimizeCommands::OptimizeCommands(TForm1& window) : QObject(&window), window_(window)
{
    setObjectName(QStringLiteral("OptimizeCommands"));
    QPushButton* editorButton = window.ui().NEC2CodeEditorButton;
    button_ = new QPushButton(QStringLiteral("Optimize…"), editorButton->parentWidget());
    button_->setObjectName(QStringLiteral("OptimizeButton"));
    button_->setEnabled(editorButton->isEnabled());
    if (QBoxLayout* row = layoutOf(editorButton->parentWidget()->layout(), editorButton))
        row->insertWidget(row->indexOf(editorButton) + 1, button_);
    editorButton->installEventFilter(this);
    connect(button_, &QPushButton::clicked, this, [this] { OptimizeButtonClick(); });
}

TOptimizeForm* OptimizeCommands::optimizeForm() const
{
    return form_.data();
}

OptimizeCommands::~OptimizeCommands()
{
    delete form_.data();
}

bool OptimizeCommands::eventFilter(QObject* watched, QEvent* event)
{
    // Enabled with "Code editor": both need a deck on the page.
    if (event->type() == QEvent::EnabledChange && watched == window_.ui().NEC2CodeEditorButton)
        button_->setEnabled(window_.ui().NEC2CodeEditorButton->isEnabled());
    return QObject::eventFilter(watched, event);
}

void OptimizeCommands::OptimizeButtonClick()
{
    const std::vector<std::string> deck = deckmemo::lines(*window_.ui().GeometryNEC2);
    OptimizeContext context;
    context.programFolder = window_.programFolder();
    context.workingFolder = window_.workingFolder();
    context.dialogs = &window_.dialogs();
    context.reference = window_.session().EditWindowSwrReference;
    context.jobs = engine::EngineJobs(context.workingFolder, context.programFolder);
    delete form_.data();
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
    const auto rows = editor::LoadDeckTable(deck, separator);
    if (!rows)
        return;
    auto* editorCommands = window_.findChild<EditorCommands*>(QStringLiteral("EditorCommands"));
    if (TEditForm* table = editorCommands ? editorCommands->tableEditor() : nullptr) {
        // The open card table: each GW row of a changed wire replaced, as one step.
        editor::CardTableModel& model = table->model();
        model.undoStack().beginMacro(QStringLiteral("Optimize"));
        for (const editor::CardRow& row : *rows) {
            if (row[0] != "GW")
                continue;
            for (int i = 0; i < model.rowCount(); ++i)
                if (model.row(i)[0] == "GW" && model.row(i)[1] == row[1]) {
                    if (model.row(i) != row)
                        model.replaceRow(i, row, QStringLiteral("Optimize"));
                    break;
                }
        }
        model.undoStack().endMacro();
        return;
    }
    const editor::StoreResult stored = editor::StoreDeckTable(deck, *rows, separator);
    if (!stored.ok) {
        window_.dialogs().showMessage(QString::fromStdString(stored.message));
        return;
    }
    QPlainTextEdit* memo = window_.ui().GeometryNEC2;
    QString text;
    for (std::size_t i = 0; i < stored.deck.size(); ++i)
        text += (i > 0 ? QStringLiteral("\n") : QString()) + QString::fromLatin1(stored.deck[i].c_str());
    QTextCursor cursor(memo->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    memo->document()->setModified(true);
}

} // namespace vrnnec
