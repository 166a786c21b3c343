#include "viewer/ViewerWindow.h"

#include "common/NumberText.h"
#include "engine/PatternDeck.h"
#include "viewer/PictureExtent.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewerPicture.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>

namespace vrnnec::viewer {

namespace {

QSlider* slider(QWidget* parent, const char* name, int maximum, int position, const char* hint, QRect geometry)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, maximum);
    s->setValue(position);
    s->setToolTip(QString::fromLatin1(hint));
    s->setGeometry(geometry);
    return s;
}

QSpinBox* upDown(QWidget* parent, const char* name, int low, int high, int position, const char* hint, QRect geometry)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(low, high);
    s->setValue(position);
    s->setToolTip(QString::fromLatin1(hint));
    s->setGeometry(geometry);
    return s;
}

template <typename Button>
Button* button(QWidget* parent, const char* name, const char* caption, const char* hint, QRect geometry)
{
    auto* b = new Button(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    if (hint != nullptr)
        b->setToolTip(QString::fromLatin1(hint));
    b->setGeometry(geometry);
    return b;
}

} // namespace

TFormV::TFormV(MessageSink showMessage, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint
                  | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      showMessage_(std::move(showMessage))
{
    setObjectName(QStringLiteral("TFormV"));
    setWindowTitle(QStringLiteral("NEC-2 viewer"));
    setToolTip(QStringLiteral("Red  - Sources, Blue - NT or TL ports, Yellow - Loads."));
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    createControls();
    connectControls();
}

TFormV::~TFormV() = default;

void TFormV::createControls()
{
    picture_ = new ViewerPicture(this);
    picture_->setGeometry(5, 5, kClientWidth - 10, kClientWidth - 10);

    TrackBar1 = slider(this, "TrackBar1", 36, kInitialRotation, "Rotation along  Z axis", {5, 310, 148, 22});
    TrackBar2 = slider(this, "TrackBar2", 36, kInitialRotation, "Rotation in X-Y plane", {157, 310, 148, 22});
    View1Check = button<QRadioButton>(this, "View1Check", "Center", "Center of antenna at X,Y,Z=0", {5, 334, 90, 22});
    View2Check = button<QRadioButton>(this, "View2Check", "Z adjusted", "Image begin at Z=0", {95, 334, 105, 22});
    View3Check = button<QRadioButton>(this, "View3Check", "Real view", "Real view of antenna including height",
                                      {200, 334, 105, 22});
    View1Check->setChecked(true);
    LSUpDown = upDown(this, "LSUpDown", 0, 200, 10, "Zoom image", {5, 360, 70, 24});
    UpDownX = upDown(this, "UpDownX", -10000, 10000, 0, "X translation", {80, 360, 72, 24});
    UpDownY = upDown(this, "UpDownY", -10000, 10000, 0, "Y translation", {157, 360, 72, 24});
    UpDownZ = upDown(this, "UpDownZ", -10000, 10000, 0, "Z translation", {234, 360, 71, 24});

    WireNViewerComboBox = new QComboBox(this);
    WireNViewerComboBox->setObjectName(QStringLiteral("WireNViewerComboBox"));
    WireNViewerComboBox->setEditable(true);
    WireNViewerComboBox->setInsertPolicy(QComboBox::NoInsert);
    WireNViewerComboBox->setToolTip(QStringLiteral("Wire (tag)"));
    WireNViewerComboBox->setGeometry(5, 390, 70, 24);
    WireInfoStaticText = new QLabel(this);
    WireInfoStaticText->setObjectName(QStringLiteral("WireInfoStaticText"));
    WireInfoStaticText->setToolTip(QStringLiteral("Wire parameters (in meters)"));
    WireInfoStaticText->setWordWrap(true);
    WireInfoStaticText->setGeometry(80, 386, 225, 32);

    ShowCurCheckBox = button<QCheckBox>(this, "ShowCurCheckBox", "Currents", "Show currents", {5, 422, 80, 22});
    ZoomCurTrackBar = slider(this, "ZoomCurTrackBar", 20, 10, "Zoom currents", {85, 422, 140, 22});
    PhaseCurCheckBox =
        button<QCheckBox>(this, "PhaseCurCheckBox", "Phase", "Show currents with phase", {230, 422, 75, 22});
    ShowPatchesCheckBox = button<QCheckBox>(this, "ShowPatchesCheckBox", "Show patches", nullptr, {5, 448, 110, 22});
    PatchSizeTrackBar = slider(this, "PatchSizeTrackBar", 20, 10, "Zoom patches", {115, 448, 110, 22});
    CloseViewerButton = button<QPushButton>(this, "CloseViewerButton", "Close", nullptr, {230, 446, 75, 26});

    PatternCheckBox = button<QCheckBox>(this, "PatternCheckBox", "Pattern",
                                        "Show the radiation pattern around the wires", {5, 478, 80, 22});
    auto* stepLabel = new QLabel(QStringLiteral("Step, deg"), this);
    stepLabel->setGeometry(90, 478, 60, 22);
    PatternStepField = new QLineEdit(QString::number(engine::kDefaultPatternStep), this);
    PatternStepField->setObjectName(QStringLiteral("PatternStepField"));
    PatternStepField->setToolTip(QStringLiteral("Pattern step: 1 to 30 degrees, dividing 90"));
    PatternStepField->setGeometry(150, 478, 40, 22);
    PatternInfoStaticText = new QLabel(this);
    PatternInfoStaticText->setObjectName(QStringLiteral("PatternInfoStaticText"));
    PatternInfoStaticText->setToolTip(QStringLiteral("Maximum gain of the pattern and its direction"));
    PatternInfoStaticText->setGeometry(5, 502, 300, 22);

    for (QObject* child : children())
        if (auto* control = qobject_cast<QWidget*>(child); control != nullptr && control != picture_)
            designedPlaces_.emplace_back(control, control->geometry());

    ViewerMenu = new QMenu(this);
    ViewerMenu->setObjectName(QStringLiteral("ViewerMenu"));
    RestoreItemMenu = ViewerMenu->addAction(QStringLiteral("Reset"));
    RestoreItemMenu->setObjectName(QStringLiteral("RestoreItemMenu"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    resetControls();
}

void TFormV::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int w = std::max(width(), kClientWidth), h = std::max(height(), kClientHeight);
    picture_->setGeometry(5, 5, w - 10, h - kControlsHeight);
    const int down = h - kClientHeight;
    for (const auto& [control, place] : designedPlaces_)
        control->setGeometry(place.translated(0, down));
}

void TFormV::connectControls()
{
    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        if (hasModel()) {
            view_.setRotationZ(position);
            applyView();
        }
    });
    connect(TrackBar2, &QSlider::valueChanged, this, [this](int position) {
        if (hasModel()) {
            view_.setRotationXY(position);
            applyView();
        }
    });
    int axis = 0;
    for (QSpinBox* shift : {UpDownX, UpDownY, UpDownZ}) {
        connect(shift, &QSpinBox::valueChanged, this, [this, axis](int position) {
            if (hasModel()) {
                view_.setShift(axis, position);
                applyView();
            }
        });
        ++axis;
    }
    connect(LSUpDown, &QSpinBox::valueChanged, this, [this] { sceneChanged(); });
    for (QRadioButton* mode : {View1Check, View2Check, View3Check})
        connect(mode, &QRadioButton::clicked, this, [this] { NewZPos(); });
    connect(ShowCurCheckBox, &QCheckBox::clicked, this, [this](bool checked) {
        ZoomCurTrackBar->setEnabled(checked);
        PhaseCurCheckBox->setEnabled(checked);
        sceneChanged();
    });
    connect(ZoomCurTrackBar, &QSlider::valueChanged, this, [this] { sceneChanged(); });
    connect(PhaseCurCheckBox, &QCheckBox::clicked, this, [this] { sceneChanged(); });
    connect(ShowPatchesCheckBox, &QCheckBox::clicked, this, [this](bool checked) {
        PatchSizeTrackBar->setEnabled(checked);
        sceneChanged();
    });
    connect(PatchSizeTrackBar, &QSlider::valueChanged, this, [this](int position) {
        if (ShowPatchesCheckBox->isChecked() && hasModel() && !model_->Patches.empty()) {
            patchScale_ = ZoomFactor(position);
            sceneChanged();
        }
    });
    connect(WireNViewerComboBox->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { WireNViewerComboBoxChange(); });
    connect(WireNViewerComboBox, &QComboBox::activated, this, [this] { WireNViewerComboBoxChange(); });
    connect(CloseViewerButton, &QPushButton::clicked, this, [this] { close(); });
    connect(PatternCheckBox, &QCheckBox::clicked, this, [this] { PatternCheckBoxClick(); });
    connect(RestoreItemMenu, &QAction::triggered, this, [this] {
        if (hasModel())
            DrawNewPicture();
    });
    auto popup = [this](const QPoint& at) { ViewerMenu->popup(at); };
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint& p) { popup(mapToGlobal(p)); });
    connect(picture_, &ViewerPicture::contextMenuWanted, this, popup);
    connect(picture_, &ViewerPicture::rotated, this, [this](int stepsZ, int stepsXY) {
        TrackBar1->setValue(std::clamp(TrackBar1->value() + stepsZ, TrackBar1->minimum(), TrackBar1->maximum()));
        TrackBar2->setValue(std::clamp(TrackBar2->value() + stepsXY, TrackBar2->minimum(), TrackBar2->maximum()));
    });
    connect(picture_, &ViewerPicture::zoomed, this,
            [this](int steps) { LSUpDown->setValue(LSUpDown->value() + steps); });
}

void TFormV::resetControls()
{
    QWidget* all[] = {TrackBar1,        TrackBar2,       LSUpDown,        UpDownX,          UpDownY,
                      UpDownZ,          ShowCurCheckBox, ZoomCurTrackBar, PhaseCurCheckBox, ShowPatchesCheckBox,
                      PatchSizeTrackBar};
    std::vector<std::unique_ptr<QSignalBlocker>> blocks;
    for (QWidget* w : all)
        blocks.push_back(std::make_unique<QSignalBlocker>(w));
    ShowCurCheckBox->setChecked(false);
    PhaseCurCheckBox->setChecked(false);
    PhaseCurCheckBox->setEnabled(false);
    ZoomCurTrackBar->setValue(10);
    ZoomCurTrackBar->setEnabled(false);
    ShowPatchesCheckBox->setChecked(false);
    ShowPatchesCheckBox->setEnabled(false);
    PatchSizeTrackBar->setValue(10);
    PatchSizeTrackBar->setEnabled(false);
    TrackBar1->setValue(kInitialRotation);
    TrackBar2->setValue(kInitialRotation);
    LSUpDown->setValue(10);
    UpDownX->setValue(0);
    UpDownY->setValue(0);
    UpDownZ->setValue(0);
    view_.reset();
    patchScale_ = 1;
}

ViewMode TFormV::viewMode() const
{
    if (View2Check->isChecked())
        return ViewMode::ZAdjusted;
    if (View3Check->isChecked())
        return ViewMode::RealView;
    return ViewMode::Center;
}

bool TFormV::load(engine::ViewerSections sections)
{
    ClearModel();
    ViewerModel model = BuildViewerModel(sections);
    if (model.ReadError != readerror::kNone) {
        showMessage_(QString::fromLatin1(kReadErrorMessage));
        return false;
    }
    sections_ = std::move(sections);
    model_ = std::move(model);
    {
        const QSignalBlocker block(WireNViewerComboBox);
        WireNViewerComboBox->clear();
        for (const std::string& wire : FillWireList(*model_))
            WireNViewerComboBox->addItem(QString::fromStdString(wire));
        WireNViewerComboBox->setCurrentIndex(0);
    }
    ShowWireInfo();
    if (!DrawNewPicture()) {
        ClearModel();
        return false;
    }
    return true;
}

bool TFormV::DrawNewPicture()
{
    if (!hasModel())
        return false;
    resetControls();
    if (!OpenGLAvailable()) {
        model_->ReadError = readerror::kNoPixelFormat;
        showMessage_(QString::fromLatin1(kImageErrorMessage));
        return false;
    }
    FitModelToView(*model_, viewMode());
    if (model_->ReadError != readerror::kNone) {
        showMessage_(QString::fromLatin1(kReadErrorMessage));
        return false;
    }
    ShowPatchesCheckBox->setEnabled(!model_->Patches.empty());
    applyView();
    sceneChanged();
    return true;
}

void TFormV::NewZPos()
{
    if (!hasModel() || !sections_)
        return;
    ViewerModel model = BuildViewerModel(*sections_);
    if (model.ReadError == readerror::kNone)
        FitModelToView(model, viewMode());
    if (model.ReadError != readerror::kNone) {
        showMessage_(QString::fromLatin1(kReadErrorMessage));
        return;
    }
    model_ = std::move(model);
    sceneChanged();
    if (viewMode() == ViewMode::RealView)
        offerCentreView();
}

void TFormV::offerCentreView()
{
    if (!ask_ || !hasModel()
        || !OutsideThePicture(*model_, view_.matrix(), ZoomFactor(LSUpDown->value()), picture_->width(),
                              picture_->height()))
        return;
    if (!ask_(QString::fromLatin1(kOutsidePictureQuestion)))
        return;
    View1Check->setChecked(true);
    NewZPos();
}

SceneState TFormV::sceneState() const
{
    SceneState state;
    state.showCurrents = ShowCurCheckBox->isChecked();
    state.withPhase = PhaseCurCheckBox->isChecked();
    state.currentZoom = ZoomFactor(ZoomCurTrackBar->value());
    state.imageZoom = ZoomFactor(LSUpDown->value());
    state.selectedTag = selectedTag();
    state.showPatches = ShowPatchesCheckBox->isChecked();
    state.patchScale = patchScale_;
    state.pattern = pattern();
    return state;
}

std::optional<long long> TFormV::selectedTag() const
{
    long long tag = 0;
    if (numtext::parseTrimmedInteger(WireNViewerComboBox->currentText().toStdString(), tag))
        return tag;
    return std::nullopt;
}

void TFormV::sceneChanged()
{
    sceneStale_ = true;
    PictRestore();
}

void TFormV::applyView()
{
    picture_->setProjection(view_.matrix());
}

void TFormV::PictRestore()
{
    if (!hasModel())
        return;
    if (sceneStale_) {
        scene_ = BuildScene(*model_, sceneState());
        ++sceneBuilds_;
        sceneStale_ = false;
        picture_->setScene(scene_);
    } else {
        picture_->update();
    }
}

void TFormV::ShowWireInfo()
{
    const std::optional<long long> tag = selectedTag();
    const char separator = QLocale().decimalPoint().at(0).toLatin1();
    std::string text;
    if (hasModel() && tag)
        text = WireInfoText(*model_, *tag, separator == 0 ? '.' : separator);
    WireInfoStaticText->setText(QString::fromStdString(text));
}

void TFormV::WireNViewerComboBoxChange()
{
    static const ViewerModel kNone;
    const std::string text =
        NormaliseWireSelection(WireNViewerComboBox->currentText().toStdString(), hasModel() ? *model_ : kNone);
    {
        const QSignalBlocker block(WireNViewerComboBox);
        WireNViewerComboBox->setCurrentText(QString::fromStdString(text));
    }
    sceneChanged();
    ShowWireInfo();
}

void TFormV::PatternCheckBoxClick()
{
    if (!PatternCheckBox->isChecked()) {
        dropPattern();
        sceneChanged();
        return;
    }
    const QString message = runPattern();
    if (!message.isEmpty()) {
        dropPattern();
        sceneChanged();
        showMessage_(message);
    }
}

QString TFormV::runPattern()
{
    long long step = 0;
    if (!numtext::parseTrimmedInteger(PatternStepField->text().toStdString(), step)
        || !engine::PatternStepAcceptable(step))
        return QString::fromLatin1(engine::kPatternStepMessage);
    if (!hasModel() || !patternHook_.lastDeck || !patternHook_.run)
        return QString::fromLatin1(kNoLastDeckMessage);
    const std::optional<std::vector<std::string>> deck = patternHook_.lastDeck();
    if (!deck)
        return QString::fromLatin1(kNoLastDeckMessage);
    const engine::FullPatternDeck full = engine::MakeFullPatternDeck(*deck, step);
    if (!full.message.empty())
        return QString::fromStdString(full.message);

    engine::CalculationRequest request;
    request.auxiliary = true;
    request.deckText = full.text;
    request.parse.fullPattern = true;
    const engine::CalculationResult result = patternHook_.run(request);
    if (result.outcome != engine::CalculationOutcome::Finished)
        return QString::fromStdString(result.message);
    if (!result.listing.complete())
        return QString::fromStdString(result.listing.message);
    PatternSurfaceResult surface = BuildPatternSurface(result.listing.blocks.front().fullPattern);
    if (!surface.surface)
        return QString::fromStdString(surface.message);
    pattern_ = std::move(surface.surface);
    const char separator = QLocale().decimalPoint().at(0).toLatin1();
    PatternInfoStaticText->setText(QString::fromStdString(PatternMaxText(*pattern_, separator == 0 ? '.' : separator)));
    sceneChanged();
    return {};
}

void TFormV::dropPattern()
{
    pattern_.reset();
    PatternCheckBox->setChecked(false);
    PatternInfoStaticText->clear();
}

void TFormV::ClearModel()
{
    dropPattern();
    model_.reset();
    sections_.reset();
    scene_ = Scene();
    sceneStale_ = true;
    picture_->clearScene();
}

void TFormV::closeEvent(QCloseEvent* event)
{
    ClearModel();
    QWidget::closeEvent(event);
}

} // namespace vrnnec::viewer
