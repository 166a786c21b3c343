// "NEC-2 viewer" (`TFormV`): the segmented structure of the last run in 3-D with its
// controls. The window stays on top beside the main window without disabling it; the
// main window gives it the listing's viewer sections and a way to show messages.
#pragma once

#include "engine/Calculation.h"
#include "engine/ListingData.h"
#include "viewer/PatternSurface.h"
#include "viewer/Scene.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewTransform.h"
#include "viewer/ViewerModel.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;

namespace vrnnec::viewer {

class ViewerPicture;

// How the window reaches the program's runs for its pattern: the deck of the last
// calculation (its lines; none when there is no such deck), and a run of a request
// through the calculation core as the program runs it (busy window with "Stop"); the
// program fills in its folders.
struct PatternRunHook {
    std::function<std::optional<std::vector<std::string>>()> lastDeck;
    std::function<engine::CalculationResult(engine::CalculationRequest)> run;
};

inline constexpr const char* kOutsidePictureQuestion =
    "The antenna lies outside the picture in the real view. Show the centre view?";

inline constexpr const char* kNoLastDeckMessage = "The deck of the last calculation (Indata.txo) was not found.";

class TFormV : public QWidget {
    Q_OBJECT
public:
    using MessageSink = std::function<void(const QString&)>;
    // A yes/no question to the user; true for Yes.
    using QuestionSink = std::function<bool(const QString&)>;
    explicit TFormV(MessageSink showMessage, QWidget* parent = nullptr);
    ~TFormV() override;

    // Where "Real view" asks whether to show the centre view instead when the model lies
    // outside the picture; without it nothing is asked.
    void setQuestionSink(QuestionSink ask) { ask_ = std::move(ask); }

    // Builds the model of the sections, fills the wire list and sets up the picture.
    // False (after its message) when the model or the picture could not be set up; the
    // window then holds no model.
    bool load(engine::ViewerSections sections);

    // Full set-up: controls to their initial positions, the fit and the initial view.
    bool DrawNewPicture();
    // Redraw with the controls' states.
    void PictRestore();
    // A new view mode: the model is built and fitted again; the view stays.
    void NewZPos();
    void ShowWireInfo();
    void WireNViewerComboBoxChange();
    // Releases the model and the sections (and the pattern).
    void ClearModel();

    // The pattern: given the hook, ticking "Pattern" runs the last calculation's deck
    // with the full pattern card at the step of the field and draws the surface.
    void setPatternRunHook(PatternRunHook hook) { patternHook_ = std::move(hook); }
    // The handler of "Pattern": runs and shows the pattern when ticked (unticking it
    // again after a message when that fails), drops it when unticked.
    void PatternCheckBoxClick();
    const PatternSurface* pattern() const { return pattern_ ? &*pattern_ : nullptr; }

    bool hasModel() const { return model_.has_value(); }
    const ViewerModel* model() const { return model_ ? &*model_ : nullptr; }
    const ViewTransform& view() const { return view_; }
    ViewMode viewMode() const;
    ViewerPicture* picture() const { return picture_; }
    // The scene of the last redraw, and how often it was built.
    const Scene& scene() const { return scene_; }
    int sceneBuilds() const { return sceneBuilds_; }

    // Window size: the client area as designed, also its least size. A larger window
    // gives the room to the picture; the controls keep their places under it.
    static constexpr int kClientWidth = 310;
    static constexpr int kClientHeight = 528;
    // The client height that is not picture: its top margin and the controls under it.
    static constexpr int kControlsHeight = kClientHeight - (kClientWidth - 10);

    // The controls by their names.
    QSlider* TrackBar1;
    QSlider* TrackBar2;
    QRadioButton* View1Check;
    QRadioButton* View2Check;
    QRadioButton* View3Check;
    QSpinBox* LSUpDown;
    QSpinBox* UpDownX;
    QSpinBox* UpDownY;
    QSpinBox* UpDownZ;
    QComboBox* WireNViewerComboBox;
    QLabel* WireInfoStaticText;
    QCheckBox* ShowCurCheckBox;
    QSlider* ZoomCurTrackBar;
    QCheckBox* PhaseCurCheckBox;
    QCheckBox* ShowPatchesCheckBox;
    QSlider* PatchSizeTrackBar;
    QPushButton* CloseViewerButton;
    QCheckBox* PatternCheckBox;
    QLineEdit* PatternStepField;
    QLabel* PatternInfoStaticText;
    QMenu* ViewerMenu;
    QAction* RestoreItemMenu;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void connectControls();
    void resetControls();
    SceneState sceneState() const;
    void sceneChanged();
    void applyView();
    std::optional<long long> selectedTag() const;
    // Runs the pattern; the message when it fails.
    QString runPattern();
    void dropPattern();
    // In "Real view": when the model lies outside the picture, offers the centre view.
    void offerCentreView();

    MessageSink showMessage_;
    QuestionSink ask_;
    // The controls under the picture with their places in the window as designed.
    std::vector<std::pair<QWidget*, QRect>> designedPlaces_;
    ViewerPicture* picture_ = nullptr;
    std::optional<engine::ViewerSections> sections_;
    std::optional<ViewerModel> model_;
    ViewTransform view_;
    double patchScale_ = 1;
    Scene scene_;
    bool sceneStale_ = true;
    int sceneBuilds_ = 0;
    PatternRunHook patternHook_;
    std::optional<PatternSurface> pattern_;
};

} // namespace vrnnec::viewer
