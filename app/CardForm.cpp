#include "app/CardForm.h"

#include "app/CardFieldDelegate.h"
#include "app/UserDialogs.h"
#include "editor/CardTableModel.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <numeric>
#include <vector>

namespace vrnnec {

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool isEscape(QEvent* event)
{
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
}

} // namespace

TCardHelpForm::TCardHelpForm(const std::vector<std::string_view>& lines)
{
    setObjectName(QStringLiteral("TCardHelpForm"));
    setWindowTitle(QStringLiteral("Short description of card fields."));
    setAttribute(Qt::WA_DeleteOnClose);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("CardHelpMemo"));
    memo_->setReadOnly(true);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QStringList text;
    for (std::string_view line : lines)
        text << latin1(line);
    memo_->setPlainText(text.join(QLatin1Char('\n')));
    memo_->installEventFilter(this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("CardHelpCloseButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memo_, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(520, 320);
}

bool TCardHelpForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == memo_ && isEscape(event)) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TCardHelpForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

TCardForm::TCardForm(editor::CardTableModel& model, int row, const editor::CardDefinition& card, char separator,
                     UserDialogs& dialogs)
    : model_(model), row_(model.index(row, 0)), card_(card), separator_(separator), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TCardForm"));
    setWindowTitle(QStringLiteral("Card:") + QLatin1Char(' ') + latin1(card.id));
    setAttribute(Qt::WA_DeleteOnClose);

    grid_ = new QTableWidget(1, editor::kCardColumns, this);
    grid_->setObjectName(QStringLiteral("CardGrid"));
    QStringList captions{QString()};
    for (std::string_view caption : card.captions)
        captions << latin1(caption);
    while (captions.size() < editor::kCardColumns)
        captions << QString();
    grid_->setHorizontalHeaderLabels(captions);
    grid_->verticalHeader()->hide();
    grid_->setWordWrap(false);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    delegate_ = new CardFieldDelegate(separator, false, grid_);
    grid_->setItemDelegate(delegate_);
    setValues(editor::CardDialogRow(card, model.row(row)));
    grid_->installEventFilter(this);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("CardStatusLine"));
    connect(delegate_, &CardFieldDelegate::fieldChecked, this, [this](bool readable) {
        status_->setText(readable ? QString() : QString::fromLatin1(editor::kNumberFormatMessage));
    });
    connect(delegate_, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                status_->clear();
                if (hint != QAbstractItemDelegate::RevertModelCache)
                    fillGaps(grid_->currentColumn());
            });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int, int, int, int previousColumn) { fillGaps(previousColumn); });

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("EditCardOKButton"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("EditCardCancelButton"));
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    help->setObjectName(QStringLiteral("CardHelpButton"));
    connect(ok, &QPushButton::clicked, this, [this] { EditCardOKButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(help, &QPushButton::clicked, this, [this] { CardHelpButtonClick(); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);

    setFixedSize(760, 130);
    grid_->setCurrentCell(0, 1);
}

TCardForm::~TCardForm()
{
    delete help_.data();
}

editor::CardRow TCardForm::values() const
{
    editor::CardRow row;
    for (int column = 0; column < editor::kCardColumns; ++column)
        if (const QTableWidgetItem* item = grid_->item(0, column))
            row[static_cast<std::size_t>(column)] = item->text().toLatin1().toStdString();
    return row;
}

void TCardForm::setValues(const editor::CardRow& row)
{
    for (int column = 0; column < editor::kCardColumns; ++column) {
        QTableWidgetItem* item = grid_->item(0, column);
        if (!item) {
            item = new QTableWidgetItem;
            if (column == 0)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid_->setItem(0, column, item);
        }
        item->setText(latin1(row[static_cast<std::size_t>(column)]));
    }
}

void TCardForm::fillGaps(int column)
{
    if (column < 0)
        return;
    editor::CardRow row = values();
    editor::FillFieldGaps(row, column, separator_);
    setValues(row);
}

bool TCardForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress && !delegate_->openEditor()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier && grid_->currentColumn() >= 1) {
            grid_->item(0, grid_->currentColumn())->setText(QString());
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            fillGaps(grid_->currentColumn());
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCardForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TCardForm::EditCardOKButtonClick()
{
    delegate_->commitOpenEditor();
    const editor::CardRow row = values();
    for (int column = 1; column < editor::kCardColumns; ++column) {
        const std::string& field = row[static_cast<std::size_t>(column)];
        if (!editor::IsStorableField(field, separator_)) {
            grid_->setCurrentCell(0, column);
            dialogs_.showMessage(QString::fromLatin1(editor::IncorrectNumbersMessage(row_.row(), row[0], column)));
            return;
        }
    }
    if (row_.isValid())
        model_.replaceRow(row_.row(), row, QStringLiteral("Card dialog"));
    close();
}

void TCardForm::CardHelpButtonClick()
{
    delete help_.data();
    help_ = new TCardHelpForm(card_.help);
    connect(help_.data(), &TCardHelpForm::closed, this, [this] { setEnabled(true); });
    setEnabled(false);
    help_->show();
    help_->activateWindow();
}

void TCardForm::closeEvent(QCloseEvent* event)
{
    delete help_.data();
    event->accept();
    emit closed();
}

void TCardForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (columnsSized_)
        return;
    // Each column an eleventh of the grid's client width, less 2 pixels; a caption
    // wider than that ("Step Num") widens its column, and the columns without a caption
    // give the room back.
    columnsSized_ = true;
    const int client = grid_->viewport()->width();
    const int width = static_cast<int>(std::lround(client / 11.0)) - 2;
    const QHeaderView* header = grid_->horizontalHeader();
    std::vector<int> widths(editor::kCardColumns, width);
    std::vector<int> spare;
    for (int column = 0; column < editor::kCardColumns; ++column) {
        const bool captioned = column > 0 && !grid_->horizontalHeaderItem(column)->text().isEmpty();
        if (captioned)
            widths[column] = std::max(width, header->sectionSizeHint(column));
        else if (column > 0)
            spare.push_back(column);
    }
    int excess = std::accumulate(widths.begin(), widths.end(), 0) - client;
    for (std::size_t i = 0; excess > 0 && i < spare.size(); ++i) {
        const int share = std::min((excess + static_cast<int>(spare.size() - i) - 1) / static_cast<int>(spare.size() - i),
                                   widths[spare[i]] - 16);
        widths[spare[i]] -= std::max(0, share);
        excess -= std::max(0, share);
    }
    for (int column = 0; column < editor::kCardColumns; ++column)
        grid_->setColumnWidth(column, widths[column]);
}

} // namespace vrnnec
