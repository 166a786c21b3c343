#include "app/TableEditorForm.h"

#include "app/CardFieldDelegate.h"
#include "app/CardForm.h"
#include "app/RowClipboardKeys.h"
#include "app/UserDialogs.h"
#include "common/NumberText.h"
#include "editor/CardDefinitions.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cmath>

namespace vrnnec {

namespace {

const QString kDiscardQuestion = QStringLiteral("The table has been changed. Discard the changes?");

} // namespace

TEditForm::TEditForm(std::vector<editor::CardRow> rows, std::vector<std::string> deck, char separator,
                     UserDialogs& dialogs)
    : model_(std::move(rows)), deck_(std::move(deck)), separator_(separator), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TEditForm"));
    setWindowTitle(QStringLiteral("NEC-2 input code correction"));
    setAttribute(Qt::WA_DeleteOnClose);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("CodeTable"));
    table_->setModel(&model_);
    // A number never breaks over two lines ("8." above "74274E-07").
    table_->setWordWrap(false);
    table_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    delegate_ = new CardFieldDelegate(separator, true, table_);
    table_->setItemDelegate(delegate_);
    // Rows are dragged by their headings; the model takes the new order.
    QHeaderView* rowHeadings = table_->verticalHeader();
    rowHeadings->setSectionsMovable(true);
    connect(rowHeadings, &QHeaderView::sectionMoved, this, [this, rowHeadings](int, int from, int to) {
        const QSignalBlocker block(rowHeadings);
        rowHeadings->moveSection(to, from);
        model_.moveRowTo(from, to);
        table_->setCurrentIndex(model_.index(to, std::max(0, table_->currentIndex().column())));
    });
    table_->installEventFilter(this);
    table_->viewport()->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("EditStatusLine"));
    connect(delegate_, &CardFieldDelegate::fieldChecked, this, [this](bool readable) {
        status_->setText(readable ? QString() : QString::fromLatin1(editor::kNumberFormatMessage));
    });
    connect(delegate_, &CardFieldDelegate::identifierEntered, this, [this](const QPersistentModelIndex& index) {
        if (index.isValid())
            table_->setCurrentIndex(model_.index(index.row(), 1));
    });
    connect(delegate_, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                status_->clear();
                if (hint != QAbstractItemDelegate::RevertModelCache)
                    fillGaps(table_->currentIndex());
            });
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex&, const QModelIndex& previous) { fillGaps(previous); });

    auto* label =
        new QLabel(QStringLiteral("Additional tools: Ins (Right mouse);  Add/delete row: Shift+Ins/Shift+Del;"), this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("EditFormOKButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("EditFormCancelButton"));
    connect(ok, &QPushButton::clicked, this, [this] { EditFormOKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(label, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    // The window's shortcuts: they work wherever the focus is in the window. An open cell
    // with nothing of its own to undo is closed first (its text unchanged).
    connect(undo, &QAction::triggered, this, [this] {
        delegate_->commitOpenEditor();
        model_.undoStack().undo();
    });
    auto* redo = new QAction(this);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(redo, &QAction::triggered, this, [this] {
        delegate_->commitOpenEditor();
        model_.undoStack().redo();
    });
    addActions({undo, redo});

    resize(760, 420);
    setMinimumSize(560, 300);
    if (model_.rowCount() > 0)
        table_->setCurrentIndex(model_.index(0, 0));
}

TCardForm* TEditForm::cardForm() const
{
    return cardForm_.data();
}

TEditForm::~TEditForm()
{
    delete cardForm_.data();
}

void TEditForm::fillGaps(const QModelIndex& index)
{
    if (!index.isValid() || index.model() != &model_ || index.row() >= model_.rowCount())
        return;
    editor::CardRow row = model_.row(index.row());
    editor::FillFieldGaps(row, index.column(), separator_);
    model_.replaceRow(index.row(), row, QStringLiteral("Fill fields"));
}

void TEditForm::selectCell(int row, int column)
{
    const QModelIndex index = model_.index(row, column);
    if (!index.isValid())
        return;
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    table_->scrollTo(index);
}

void TEditForm::openTool(int row, int column)
{
    if (row < 0 || row >= model_.rowCount())
        return;
    const std::string id(numtext::trimBlanks(model_.row(row)[0]));
    switch (editor::ToolForCard(id)) {
    case editor::CardTool::WireTools:
        emit wireToolsRequested(QPersistentModelIndex(model_.index(row, 0)), column);
        break;
    case editor::CardTool::CardDialog: {
        delete cardForm_.data();
        cardForm_ = new TCardForm(model_, row, *editor::FindCardDefinition(id), separator_, dialogs_);
        connect(cardForm_.data(), &TCardForm::closed, this, [this] { setEnabled(true); });
        setEnabled(false);
        cardForm_->show();
        cardForm_->activateWindow();
        break;
    }
    case editor::CardTool::None: break;
    }
}

bool TEditForm::handleTableKey(QKeyEvent* event)
{
    const QModelIndex current = table_->currentIndex();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (HandleRowClipboardKey(*event, model_, *table_, separator_))
        return true;
    if (event->key() == Qt::Key_Insert && modifiers == Qt::ShiftModifier) {
        const int row = current.isValid() ? current.row() : 0;
        model_.insertEmptyRow(row);
        table_->setCurrentIndex(model_.index(row, 0));
        return true;
    }
    if (event->key() == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        if (current.isValid())
            openTool(current.row(), current.column());
        return true;
    }
    if (event->key() == Qt::Key_Delete && modifiers == Qt::ShiftModifier) {
        if (!current.isValid())
            return true;
        if (model_.rowCount() >= 2)
            model_.removeRowAt(current.row());
        else
            model_.replaceRow(current.row(), editor::CardRow{}, QStringLiteral("Clear row"));
        return true;
    }
    if (event->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        if (current.isValid())
            model_.setData(current, QString());
        return true;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return false;
}

bool TEditForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress && !delegate_->openEditor()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (handleTableKey(key)) {
            key->accept();
            return true;
        }
        return false;
    }
    if (watched == table_->viewport() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        const QModelIndex clicked = table_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        delegate_->commitOpenEditor();
        if (clicked.isValid()) {
            table_->setCurrentIndex(clicked);
            openTool(clicked.row(), clicked.column());
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TEditForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TEditForm::EditFormOKButtonClick()
{
    delegate_->commitOpenEditor();
    const editor::StoreResult result = editor::StoreDeckTable(deck_, model_.rows(), separator_);
    if (!result.ok) {
        if (result.row >= 0)
            selectCell(result.row, std::max(result.column, 0));
        dialogs_.showMessage(QString::fromStdString(result.message));
        return;
    }
    if (onStore)
        onStore(result.deck);
    stored_ = true;
    close();
}

void TEditForm::closeEvent(QCloseEvent* event)
{
    if (!stored_ && !model_.undoStack().isClean()
        && dialogs_.ask(kDiscardQuestion, UserDialogs::Buttons::YesNo, UserDialogs::Style::Warning)
            != UserDialogs::Answer::Yes) {
        event->ignore();
        return;
    }
    delete cardForm_.data();
    event->accept();
    emit closed();
}

void TEditForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (columnsSized_)
        return;
    // Each column an eleventh of the grid's client width, less 2 pixels.
    columnsSized_ = true;
    // The row numbers stand beside the grid's client area; they may not have their
    // width yet when the window first shows.
    const int client = table_->viewport()->width() - table_->verticalHeader()->sizeHint().width();
    const int width = static_cast<int>(std::lround(client / 11.0)) - 2;
    for (int column = 0; column < editor::kCardColumns; ++column)
        table_->setColumnWidth(column, width);
}

} // namespace vrnnec
