#include "app/AnglesRPForm.h"

#include "app/DataSheetPage.h"
#include "app/LocaleNumbers.h"
#include "app/MainWindow.h"
#include "app/RPPlotsPage.h"
#include "app/RunController.h"
#include "app/UserDialogs.h"
#include "common/AtomicFile.h"
#include "common/DeckText.h"
#include "editor/DeckFile.h"
#include "editor/PatternCards.h"
#include "engine/Calculation.h"

#include <QCloseEvent>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cmath>

namespace vrnnec {

namespace {

QScrollBar* angleBar(QWidget* parent, const char* name, int maximum, int position)
{
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QString::fromLatin1(name));
    bar->setRange(0, maximum);
    bar->setValue(position);
    return bar;
}

QLineEdit* angleField(QWidget* parent, const char* name, const QString& text)
{
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

} // namespace

TAnglesRPForm::TAnglesRPForm(TForm1& window) : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), window_(window)
{
    setObjectName(QStringLiteral("TAnglesRPForm"));
    setWindowTitle(QStringLiteral("Angles for RP calculations"));
    setAttribute(Qt::WA_DeleteOnClose);
    const DataSheetPage::PatternAngles angles = window.dataSheetPage().patternAngles();
    elevationField_ = angleField(this, "AngleElevFieldF", angles.elevationText);
    azimuthField_ = angleField(this, "AngleAzFieldF", angles.azimuthText);
    elevationBar_ = angleBar(this, "AngleElevSetBarF", 90, angles.elevationPosition);
    azimuthBar_ = angleBar(this, "AngleAzSetBarF", 360, angles.azimuthPosition);
    closeButton_ = new QPushButton(QStringLiteral("Close"), this);
    closeButton_->setObjectName(QStringLiteral("SetAnglesRPFormButton"));
    runButton_ = new QPushButton(QStringLiteral("OK (start NEC-2)"), this);
    runButton_->setObjectName(QStringLiteral("SetAnglesRPFormAndStartNEC2Button"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Elevation angle:"), this), 0, 0);
    grid->addWidget(elevationField_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("deg."), this), 0, 2);
    grid->addWidget(elevationBar_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Azimuth angle:"), this), 2, 0);
    grid->addWidget(azimuthField_, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("deg."), this), 2, 2);
    grid->addWidget(azimuthBar_, 3, 0, 1, 3);
    grid->addWidget(closeButton_, 4, 0);
    grid->addWidget(runButton_, 4, 1, 1, 2);

    for (auto [bar, field] : {std::pair{elevationBar_, elevationField_}, std::pair{azimuthBar_, azimuthField_}})
        connect(bar, &QAbstractSlider::actionTriggered, this,
                [bar, field](int) { field->setText(QString::number(bar->sliderPosition())); });
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(runButton_, &QPushButton::clicked, this, [this] { SetAnglesRPFormAndStartNEC2ButtonClick(); });
}

bool TAnglesRPForm::readAngles(double& elevation, double& azimuth)
{
    if (!localenum::readReal(elevationField_->text(), elevation) || !localenum::readReal(azimuthField_->text(), azimuth)
        || !editor::AnglesAcceptable(elevation, azimuth)) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kAnglesOutOfRangeMessage));
        return false;
    }
    return true;
}

void TAnglesRPForm::closeEvent(QCloseEvent* event)
{
    if (running_) {
        event->ignore();
        return;
    }
    window_.setEnabled(true);
    double elevation = 0;
    double azimuth = 0;
    if (readAngles(elevation, azimuth)) {
        window_.dataSheetPage().setPatternAngles(elevation, azimuth);
    }
    emit closed();
    event->accept();
}

void TAnglesRPForm::SetAnglesRPFormAndStartNEC2ButtonClick()
{
    double elevation = 0;
    double azimuth = 0;
    if (!readAngles(elevation, azimuth))
        return;
    const QString deckPath = window_.workingFile(QString::fromLatin1(engine::kDeckFile));
    if (!QFile::exists(deckPath)) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kInputFileNotFoundMessage));
        return;
    }
    std::optional<std::vector<std::string>> lines = editor::ReadDeckFile(deckPath.toStdString());
    if (!lines || lines->empty())
        return;
    if (editor::AsksForSeveralFrequencies(*lines)) {
        window_.dialogs().showMessage(QString::fromLatin1(editor::kOneFrequencyMessage));
        return;
    }
    const editor::RPRewrite rewrite = editor::RewriteRPCards(*lines, 90 - elevation, azimuth, false);
    if (rewrite.modeMessage)
        window_.dialogs().showMessage(QString::fromStdString(*rewrite.modeMessage));
    std::string text = decktext::JoinLines(*lines);

    engine::CalculationRequest request;
    request.programFolder = window_.programFolder();
    request.workingFolder = window_.workingFolder();
    request.deckText = std::move(text);
    request.parse.viewerSections = true; // the viewer shows what this reading read
    engine::Calculation calculation;
    const bool running = calculation.start(request);
    if (running) {
        runButton_->setCursor(Qt::WaitCursor);
        runButton_->setEnabled(false);
        closeButton_->setEnabled(false);
        running_ = true;
        const bool goOn = window_.runs().wait(calculation, this);
        running_ = false;
        runButton_->unsetCursor();
        runButton_->setEnabled(true);
        closeButton_->setEnabled(true);
        if (!goOn)
            return;
    }
    const engine::CalculationResult& result = calculation.result();
    if (result.outcome != engine::CalculationOutcome::Finished) {
        window_.dialogs().showMessage(QString::fromStdString(result.message));
        return;
    }
    window_.ReadEngineOutput(result.listing);
    close();
    window_.rpPlotsPage().enablePolarization();
}

} // namespace vrnnec
