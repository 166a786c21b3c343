#include "app/NEC2InputPage.h"

#include "app/DeckMemo.h"
#include "app/ResultMemo.h"
#include "app/RunSession.h"
#include "app/WaitCursor.h"
#include "ui_NEC2InputPage.h"

#include <QBoxLayout>
#include <QEvent>
#include <QTextCursor>
#include <QTextDocument>

namespace vrnnec {

namespace {

// The row layout below `layout` that holds `widget`.
QBoxLayout* layoutOf(QLayout* layout, QWidget* widget)
{
    if (layout == nullptr)
        return nullptr;
    if (layout->indexOf(widget) >= 0)
        return qobject_cast<QBoxLayout*>(layout);
    for (int i = 0; i < layout->count(); ++i)
        if (QBoxLayout* found = layoutOf(layout->itemAt(i)->layout(), widget))
            return found;
    return nullptr;
}

} // namespace

NEC2InputPage::NEC2InputPage(QWidget* parent) : LazyPage("TabSheet4", parent)
{}

NEC2InputPage::~NEC2InputPage() = default;

void NEC2InputPage::build()
{
    ui_ = std::make_unique<Ui::NEC2InputPage>();
    Ui::NEC2InputPage& u = *ui_;
    u.setupUi(this);
    resultmemo::setUp(*u.NEC2ResultSheetScreen, false);
    QPlainTextEdit* deck = u.GeometryNEC2;
    connect(u.EditNEC2InputCheck, &QCheckBox::toggled, this, [deck](bool checked) { deck->setReadOnly(!checked); });

    // "Optimize…" stands beside "Code editor" and is enabled with it: both need a deck.
    optimizeButton_ = new QPushButton(QStringLiteral("Optimize…"), u.NEC2CodeEditorButton->parentWidget());
    optimizeButton_->setObjectName(QStringLiteral("OptimizeButton"));
    optimizeButton_->setEnabled(u.NEC2CodeEditorButton->isEnabled());
    if (QBoxLayout* row = layoutOf(u.NEC2CodeEditorButton->parentWidget()->layout(), u.NEC2CodeEditorButton))
        row->insertWidget(row->indexOf(u.NEC2CodeEditorButton) + 1, optimizeButton_);
    u.NEC2CodeEditorButton->installEventFilter(this);

    connect(u.ReadIndataButton, &QPushButton::clicked, this, &NEC2InputPage::readRequested);
    connect(u.OpenNEC2Button, &QPushButton::clicked, this, &NEC2InputPage::openRequested);
    connect(u.SaveNEC2Button, &QPushButton::clicked, this, &NEC2InputPage::saveRequested);
    connect(u.ViewOutdataButton, &QPushButton::clicked, this, &NEC2InputPage::viewListingRequested);
    connect(u.StartNEC2Button, &QPushButton::clicked, this, &NEC2InputPage::startRequested);
    connect(u.NEC2CodeEditorButton, &QPushButton::clicked, this, &NEC2InputPage::codeEditorRequested);
    connect(optimizeButton_, &QPushButton::clicked, this, &NEC2InputPage::optimizeRequested);
    // The angle fields are enabled with "Angles for RP plots".
    connect(u.AzimElevNEC2Check, &QCheckBox::clicked, this, [this](bool checked) {
        setAngleFieldsEnabled(checked);
        emit anglesForPatternsClicked();
    });
    connect(u.Elevation1Field, &QLineEdit::textChanged, this, &NEC2InputPage::elevationEdited);
    connect(u.Azimuth1Field, &QLineEdit::textChanged, this, &NEC2InputPage::azimuthEdited);
    connect(u.GeometryNEC2, &QPlainTextEdit::textChanged, this, &NEC2InputPage::deckEdited);
    connect(u.ReadADMCheck, &QCheckBox::toggled, this, &NEC2InputPage::readAdmittanceToggled);
}

bool NEC2InputPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && ui_ && watched == ui_->NEC2CodeEditorButton)
        optimizeButton_->setEnabled(ui_->NEC2CodeEditorButton->isEnabled());
    return LazyPage::eventFilter(watched, event);
}

std::vector<std::string> NEC2InputPage::deckLines() const
{
    return deckmemo::lines(*ui_->GeometryNEC2);
}

std::vector<std::string> NEC2InputPage::deckRunLines() const
{
    return deckmemo::runLines(*ui_->GeometryNEC2);
}

void NEC2InputPage::setDeckLines(const std::vector<std::string>& lines)
{
    deckmemo::setLines(*ui_->GeometryNEC2, lines);
}

void NEC2InputPage::editDeckLines(const std::vector<std::string>& lines)
{
    QTextDocument* document = ui_->GeometryNEC2->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(deckmemo::text(lines));
    cursor.endEditBlock();
    document->setModified(true);
}

void NEC2InputPage::showDeckFromFile(const std::vector<std::string>& lines)
{
    Ui::NEC2InputPage& u = *ui_;
    deckmemo::setLines(*u.GeometryNEC2, lines);
    u.GeometryNEC2->document()->setModified(false);
    for (QWidget* w : {u.StartNEC2Button, u.SaveNEC2Button, u.NEC2CodeEditorButton})
        w->setEnabled(true);
}

bool NEC2InputPage::isDeckModified() const
{
    return ui_->GeometryNEC2->document()->isModified();
}

void NEC2InputPage::setDeckModified(bool modified)
{
    ui_->GeometryNEC2->document()->setModified(modified);
}

void NEC2InputPage::selectDeckLine(int index)
{
    deckmemo::selectLine(*ui_->GeometryNEC2, index);
}

void NEC2InputPage::appendResults(const QStringList& lines)
{
    resultmemo::append(*ui_->NEC2ResultSheetScreen, lines);
}

void NEC2InputPage::appendResults(const std::vector<std::string>& lines)
{
    resultmemo::append(*ui_->NEC2ResultSheetScreen, lines);
}

bool NEC2InputPage::readAdmittance() const
{
    return ui_->ReadADMCheck->isChecked();
}

void NEC2InputPage::setReadAdmittance(bool read)
{
    ui_->ReadADMCheck->setChecked(read);
}

bool NEC2InputPage::anglesForPatterns() const
{
    return ui_->AzimElevNEC2Check->isChecked();
}

void NEC2InputPage::setAnglesForPatterns(bool on)
{
    ui_->AzimElevNEC2Check->setChecked(on);
    setAngleFieldsEnabled(on);
}

QString NEC2InputPage::elevationText() const
{
    return ui_->Elevation1Field->text();
}

QString NEC2InputPage::azimuthText() const
{
    return ui_->Azimuth1Field->text();
}

void NEC2InputPage::setElevationText(const QString& text)
{
    if (ui_->Elevation1Field->text() != text)
        ui_->Elevation1Field->setText(text);
}

void NEC2InputPage::setAzimuthText(const QString& text)
{
    if (ui_->Azimuth1Field->text() != text)
        ui_->Azimuth1Field->setText(text);
}

void NEC2InputPage::setAngleFieldsEnabled(bool enabled)
{
    ui_->Elevation1Field->setEnabled(enabled);
    ui_->Azimuth1Field->setEnabled(enabled);
}

void NEC2InputPage::setStartEnabled(bool enabled)
{
    ui_->StartNEC2Button->setEnabled(enabled);
}

void NEC2InputPage::setRunning(bool running)
{
    showWaitCursor({this, ui_->StartNEC2Button}, running);
    ui_->StartNEC2Button->setEnabled(!running);
}

QCheckBox* NEC2InputPage::savedFlagBox(const QString& control) const
{
    if (!ui_)
        return nullptr;
    for (QCheckBox* box : {ui_->EditNEC2InputCheck, ui_->ReadADMCheck})
        if (box->objectName() == control)
            return box;
    return nullptr;
}

std::optional<bool> NEC2InputPage::savedFlag(const QString& control) const
{
    if (const QCheckBox* box = savedFlagBox(control))
        return box->isChecked();
    return std::nullopt;
}

bool NEC2InputPage::applySavedFlag(const QString& control, bool checked)
{
    QCheckBox* box = savedFlagBox(control);
    if (box == nullptr)
        return false;
    box->setChecked(checked);
    return true;
}

std::vector<std::pair<QAbstractButton*, Command>> NEC2InputPage::commandEntries() const
{
    return {{ui_->ViewerCallButton1, Command::Viewer}};
}

} // namespace vrnnec
