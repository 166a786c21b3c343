#include "app/GWForm.h"

#include "app/UserDialogs.h"
#include "common/Messages.h"
#include "common/NumberText.h"
#include "editor/WireTools.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace vrnnec {

namespace {

QLineEdit* field(QWidget* parent, const char* name, const QString& text)
{
    auto* f = new QLineEdit(text, parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromLatin1(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

std::string trimmed(const QLineEdit* f)
{
    return std::string(numtext::trimBlanks(f->text().toStdString()));
}

// Keeps in `refused` the first GW field (in card order) that did not read.
void noteRefused(int& refused, bool read, int field)
{
    if (!read && refused == 0)
        refused = field;
}

} // namespace

TGWForm::TGWForm(editor::CardTableModel& model, const QPersistentModelIndex& row, int column, char separator,
                 UserDialogs& dialogs)
    : QWidget(nullptr, Qt::Window), model_(model), row_(row), separator_(separator), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TGWForm"));
    setWindowTitle(QStringLiteral("Wire (GW) editing tools"));
    setAttribute(Qt::WA_DeleteOnClose);

    // The wire from the row: a blank cell counts as 0; a cell that does not read keeps
    // its text, so that the wire is refused with the field named, never saved with 0.
    const editor::CardRow& cells = model.row(row.row());
    auto integer = [&cells](int c) {
        long long v = 0;
        return numtext::parseTrimmedInteger(cells[static_cast<std::size_t>(c)], v) ? v : 0;
    };
    auto real = [&cells, separator](int c) {
        double v = 0;
        return numtext::parseRealWithSeparator(numtext::trimBlanks(cells[static_cast<std::size_t>(c)]), separator, v)
            ? v
            : 0.0;
    };
    auto cellText = [&cells, separator](int c, bool isInteger) {
        return QString::fromLatin1(
            editor::WireFieldText(cells[static_cast<std::size_t>(c)], isInteger, separator).c_str());
    };
    const double find = column >= 3 && column <= 8 ? real(column) : 0.0;

    tagField_ = field(this, "TagNField", cellText(1, true));
    tagField_->setReadOnly(true);
    // Shown, not edited: the first focus goes to the segments.
    tagField_->setFocusPolicy(Qt::NoFocus);
    segsField_ = field(this, "SegsField", cellText(2, true));
    const char* names[6] = {"X1Field", "Y1Field", "Z1Field", "X2Field", "Y2Field", "Z2Field"};
    for (int i = 0; i < 6; ++i)
        coordinateFields_[i] = field(this, names[i], cellText(3 + i, false));
    radiusField_ = field(this, "RadGWField", cellText(9, false));
    lengthText_ = new QLabel(QStringLiteral("Wire length:  ; Segment length: ;"), this);
    lengthText_->setObjectName(QStringLiteral("GWCharField"));
    epsField_ = field(this, "EpsGWField", QStringLiteral("3"));
    coatRadiusField_ = field(this, "RadIsolGWField", cellText(9, false));
    bareRadiusField_ = field(this, "RadNoIsolGWField", cellText(9, false));
    // A wire that already has its isolation load carries the coated radius on its GW
    // card: the bare radius is not known, and taking the GW radius for it would write a
    // wrong inductance.
    isolationNote_ = new QLabel(this);
    isolationNote_->setObjectName(QStringLiteral("IsolationNoteLabel"));
    isolationNote_->setWordWrap(true);
    const int load = editor::FindDistributedLoad(model.rows(), integer(1));
    if (load >= 0) {
        bareRadiusField_->clear();
        isolationNote_->setText(QString::fromStdString(editor::IsolatedWireNote(load)));
    } else {
        isolationNote_->hide();
    }
    findField_ = field(this, "FindValueField", text(find));
    changeField_ = field(this, "ChangeToValueField", text(find));
    const char* axisNames[4] = {"XFindChangeRadioButton", "YFindChangeRadioButton", "ZFindChangeRadioButton",
                                "AllFindChangeRadioButton"};
    const char* axisCaptions[4] = {"X", "Y", "Z", "All"};
    for (int i = 0; i < 4; ++i) {
        axisButtons_[i] = new QRadioButton(QString::fromLatin1(axisCaptions[i]), this);
        axisButtons_[i]->setObjectName(QString::fromLatin1(axisNames[i]));
    }
    axisButtons_[3]->setChecked(true);
    mirrorCheck_ = new QCheckBox(QStringLiteral("Also mirror values"), this);
    mirrorCheck_->setObjectName(QStringLiteral("MirrorValuesCheckBox"));
    mirrorCheck_->setChecked(true);
    QPushButton* flip = button(this, "FlipWireDirectionButton", "Flip");
    QPushButton* save = button(this, "EditGWSaveCloseButton", "OK (save and close)");
    QPushButton* cancel = button(this, "EditGWCancelButton", "Close");
    QPushButton* isolate = button(this, "IsolateGWButton", "Make isolation");
    QPushButton* replace = button(this, "GWChangeCorrButton", "OK (make changes)");

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Wire (Tag) N"), this), 0, 0);
    grid->addWidget(tagField_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Segments"), this), 0, 2);
    grid->addWidget(segsField_, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("X"), this), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y"), this), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Z"), this), 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Begin:"), this), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("End:"), this), 3, 0);
    for (int i = 0; i < 6; ++i)
        grid->addWidget(coordinateFields_[i], 2 + i / 3, 1 + i % 3);
    grid->addWidget(flip, 2, 4, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("GW card radius, m:"), this), 4, 0);
    grid->addWidget(radiusField_, 4, 1);
    grid->addWidget(lengthText_, 5, 0, 1, 5);
    grid->addWidget(save, 6, 0, 1, 2);
    grid->addWidget(cancel, 6, 2, 1, 2);

    auto* coat = new QGroupBox(QStringLiteral("Coat wire in dielectric isolation for this GW"), this);
    coat->setObjectName(QStringLiteral("IsolationGWGroupBox"));
    auto* coatGrid = new QGridLayout(coat);
    coatGrid->addWidget(new QLabel(QStringLiteral("Dielectric constant, Eps:"), coat), 0, 0);
    coatGrid->addWidget(epsField_, 0, 1);
    coatGrid->addWidget(new QLabel(QStringLiteral("Radii in isolation, m:"), coat), 1, 0);
    coatGrid->addWidget(coatRadiusField_, 1, 1);
    coatGrid->addWidget(new QLabel(QStringLiteral("without isolation, m:"), coat), 1, 2);
    coatGrid->addWidget(bareRadiusField_, 1, 3);
    coatGrid->addWidget(isolationNote_, 2, 0, 1, 4);
    coatGrid->addWidget(isolate, 3, 0, 1, 4);
    grid->addWidget(coat, 7, 0, 1, 5);

    auto* replaceBox = new QGroupBox(QStringLiteral("Replace (all GW cards in table under revision)"), this);
    auto* replaceGrid = new QGridLayout(replaceBox);
    replaceGrid->addWidget(new QLabel(QStringLiteral("Find in coordinates:"), replaceBox), 0, 0);
    replaceGrid->addWidget(findField_, 0, 1);
    replaceGrid->addWidget(new QLabel(QStringLiteral("Change it to:"), replaceBox), 0, 2);
    replaceGrid->addWidget(changeField_, 0, 3);
    for (int i = 0; i < 4; ++i)
        replaceGrid->addWidget(axisButtons_[i], 1, i);
    replaceGrid->addWidget(mirrorCheck_, 2, 0, 1, 2);
    replaceGrid->addWidget(replace, 2, 2, 1, 2);
    grid->addWidget(replaceBox, 8, 0, 1, 5);

    connect(findField_, &QLineEdit::textChanged, changeField_, &QLineEdit::setText);
    connect(segsField_, &QLineEdit::textChanged, this, [this] { showLengths(false); });
    connect(segsField_, &QLineEdit::editingFinished, this, [this] { showLengths(true); });
    for (QLineEdit* f : coordinateFields_) {
        connect(f, &QLineEdit::textChanged, this, [this] { showLengths(false); });
        connect(f, &QLineEdit::editingFinished, this, [this] { showLengths(true); });
    }
    connect(flip, &QPushButton::clicked, this, [this] { FlipWireDirectionButtonClick(); });
    connect(save, &QPushButton::clicked, this, [this] { EditGWSaveCloseButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(isolate, &QPushButton::clicked, this, [this] { IsolateGWButtonClick(); });
    connect(replace, &QPushButton::clicked, this, [this] { GWChangeCorrButtonClick(); });
    showLengths(false);
}

TGWForm::~TGWForm()
{
    // Hiding the window takes the focus from its field, which then reports the end of
    // its editing; the window must not check its fields while it is taken apart.
    for (QLineEdit* f : findChildren<QLineEdit*>())
        f->disconnect(this);
}

QString TGWForm::text(double value) const
{
    return QString::fromStdString(numtext::withSeparator(numtext::general(value), separator_));
}

void TGWForm::showLengths(bool leaving)
{
    if (trimmed(tagField_).empty() || trimmed(segsField_).empty())
        return;
    for (const QLineEdit* f : {coordinateFields_[0], coordinateFields_[1], coordinateFields_[2], coordinateFields_[3],
                               coordinateFields_[4], coordinateFields_[5], radiusField_}) {
        const std::string t = trimmed(f);
        if (t.empty())
            return;
        // A number still being typed ("-", "-.", "1E-") waits until the field is left.
        if (editor::IsUnfinishedNumber(t, separator_) && !leaving)
            return;
    }
    long long segments = 0;
    double c[6] = {};
    int refused = 0;
    noteRefused(refused, numtext::parseTrimmedInteger(segsField_->text().toStdString(), segments), 2);
    for (int i = 0; i < 6; ++i)
        noteRefused(refused, numtext::parseRealWithSeparator(trimmed(coordinateFields_[i]), separator_, c[i]), 3 + i);
    if (refused != 0) {
        refuseField(refused, false);
        return;
    }
    lengthText_->setText(
        QString::fromStdString(editor::WireLengthText({c[0], c[1], c[2]}, {c[3], c[4], c[5]}, segments, separator_)));
}

bool TGWForm::readWire(Wire& wire)
{
    int refused = 0;
    noteRefused(refused, numtext::parseTrimmedInteger(tagField_->text().toStdString(), wire.tag), 1);
    noteRefused(refused, numtext::parseTrimmedInteger(segsField_->text().toStdString(), wire.segments), 2);
    for (int i = 0; i < 6; ++i)
        noteRefused(refused,
                    numtext::parseRealWithSeparator(trimmed(coordinateFields_[i]), separator_, wire.coordinates[i]),
                    3 + i);
    noteRefused(refused, numtext::parseRealWithSeparator(trimmed(radiusField_), separator_, wire.radius), 9);
    if (refused != 0)
        refuseField(refused, true);
    return refused == 0;
}

void TGWForm::refuseField(int field, bool focus)
{
    QLineEdit* const fields[9] = {tagField_,           segsField_,          coordinateFields_[0],
                                  coordinateFields_[1], coordinateFields_[2], coordinateFields_[3],
                                  coordinateFields_[4], coordinateFields_[5], radiusField_};
    const std::string id = row_.isValid() ? model_.row(row_.row())[0] : std::string("GW");
    const std::string place =
        messages::FieldFault(messages::kRowPlace, row_.row() + 1, id, field, messages::kNotANumber);
    QLineEdit* refused = fields[field - 1];
    if (focus)
        refused->setFocus();
    refused->selectAll();
    dialogs_.showMessage(QString::fromStdString(messages::WithPlace(editor::kIncorrectGWMessage, place)));
}

void TGWForm::writeWire(const Wire& wire)
{
    if (!row_.isValid())
        return;
    editor::CardRow cells = model_.row(row_.row());
    cells[1] = std::to_string(wire.tag);
    cells[2] = std::to_string(wire.segments);
    for (int i = 0; i < 6; ++i)
        cells[static_cast<std::size_t>(3 + i)] = text(wire.coordinates[i]).toStdString();
    cells[9] = text(wire.radius).toStdString();
    model_.replaceRow(row_.row(), cells, QStringLiteral("Edit wire"));
}

void TGWForm::EditGWSaveCloseButtonClick()
{
    Wire wire;
    if (!readWire(wire))
        return;
    writeWire(wire);
    close();
}

void TGWForm::FlipWireDirectionButtonClick()
{
    Wire wire;
    if (!readWire(wire))
        return;
    for (int i = 0; i < 3; ++i) {
        coordinateFields_[i]->setText(text(wire.coordinates[i + 3]));
        coordinateFields_[i + 3]->setText(text(wire.coordinates[i]));
    }
}

void TGWForm::IsolateGWButtonClick()
{
    const editor::IsolationFields coat =
        editor::ReadIsolationFields(epsField_->text().toStdString(), coatRadiusField_->text().toStdString(),
                                    bareRadiusField_->text().toStdString(), separator_);
    if (coat.refused >= 0) {
        QLineEdit* const fields[3] = {epsField_, coatRadiusField_, bareRadiusField_};
        fields[coat.refused]->setFocus();
        fields[coat.refused]->selectAll();
        dialogs_.showMessage(QString::fromStdString(coat.message));
        return;
    }
    const double eps = coat.permittivity, coatRadius = coat.coatRadius, bareRadius = coat.bareRadius;
    Wire wire;
    if (!readWire(wire))
        return;
    double inductance = 0;
    const std::string refusal = editor::IsolationInductance(eps, coatRadius, bareRadius, wire.radius, inductance);
    if (!refusal.empty()) {
        dialogs_.showMessage(QString::fromStdString(refusal));
        return;
    }
    const editor::CardRow load = editor::IsolationLoadRow(wire.tag, wire.segments, inductance, separator_);
    const int found = editor::FindDistributedLoad(model_.rows(), wire.tag);
    int insertAt = -1;
    if (found < 0) {
        insertAt = editor::IsolationLoadPlace(model_.rows());
    } else {
        const UserDialogs::Answer answer = dialogs_.ask(
            QStringLiteral("This GW already with distributed load (Check loads!)."
                           "  \"Yes\" - Set this card with new isolation parameters (check radius without isolation);"
                           "  \"No\" - Add new LD 2 ... card (radius will be set at isolation radius);"
                           "  \"Cancel\" - No actions."),
            UserDialogs::Buttons::YesNoCancel, UserDialogs::Style::Warning);
        if (answer == UserDialogs::Answer::Cancel)
            return;
        if (answer == UserDialogs::Answer::No) {
            insertAt = found;
        } else {
            const QString confirm = QStringLiteral("Existing LD card will be replaced with isolation parameters:   ")
                + QStringLiteral("R without isolation - ") + text(bareRadius) + QStringLiteral(" m.;  ")
                + QStringLiteral("R of isolated wire - ") + text(coatRadius) + QStringLiteral(" m.;  ")
                + QStringLiteral("Eps - ") + text(eps) + QStringLiteral(".");
            if (dialogs_.ask(confirm, UserDialogs::Buttons::OkCancel, UserDialogs::Style::Confirmation)
                != UserDialogs::Answer::Ok)
                return;
        }
    }
    model_.undoStack().beginMacro(QStringLiteral("Make isolation"));
    if (insertAt >= 0) {
        model_.insertEmptyRow(insertAt);
        model_.replaceRow(insertAt, load);
    } else {
        editor::CardRow replaced = model_.row(found);
        replaced[6] = load[6];
        model_.replaceRow(found, replaced);
    }
    radiusField_->setText(text(coatRadius));
    Wire coated;
    if (readWire(coated))
        writeWire(coated);
    model_.undoStack().endMacro();
    if (insertAt >= 0)
        emit loadRowInserted(insertAt);
    close();
}

void TGWForm::GWChangeCorrButtonClick()
{
    const editor::ReplaceValues values =
        editor::ReadReplaceValues(findField_->text().toStdString(), changeField_->text().toStdString(), separator_);
    if (values.refused >= 0) {
        QLineEdit* refused = values.refused == 0 ? findField_ : changeField_;
        refused->setFocus();
        refused->selectAll();
        dialogs_.showMessage(QString::fromStdString(values.message));
        return;
    }
    const double find = values.find, replacement = values.replacement;
    if (find == replacement)
        return;
    const editor::Axes axes[4] = {editor::Axes::X, editor::Axes::Y, editor::Axes::Z, editor::Axes::All};
    editor::Axes chosen = editor::Axes::All;
    for (int i = 0; i < 4; ++i)
        if (axisButtons_[i]->isChecked())
            chosen = axes[i];
    std::vector<editor::CardRow> rows = model_.rows();
    const editor::ReplaceOutcome outcome =
        editor::ReplaceCoordinates(rows, find, replacement, chosen, mirrorCheck_->isChecked(), separator_);
    if (!outcome.message.empty()) {
        if (outcome.row >= 0)
            emit tableCellRefused(outcome.row, outcome.column);
        dialogs_.showMessage(QString::fromStdString(outcome.message));
        return;
    }
    if (!outcome.changedRows.empty()) {
        model_.undoStack().beginMacro(QStringLiteral("Replace coordinates"));
        for (int r : outcome.changedRows)
            model_.replaceRow(r, rows[static_cast<std::size_t>(r)]);
        model_.undoStack().endMacro();
    }
    if (row_.isValid()) {
        const editor::CardRow& cells = model_.row(row_.row());
        for (int i = 0; i < 6; ++i)
            coordinateFields_[i]->setText(QString::fromStdString(cells[static_cast<std::size_t>(3 + i)]));
    }
    close();
}

void TGWForm::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}

} // namespace vrnnec
