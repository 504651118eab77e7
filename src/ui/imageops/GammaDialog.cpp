#include "ui/imageops/GammaDialog.h"

#include "base/Platform.h"
#include "settings/SettingsStore.h"
#include "ui/imageops/CurveWindow.h"
#include "ui/imageops/PreviewWindow.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 1312;
constexpr int kCurveSide = 130; // the curve frame's client area, square
constexpr int kPreviewWidth = 320, kPreviewHeight = 240;

// A sunken frame whose client area the child fills.
QFrame* FrameAround(QWidget* child, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 0);
    child->setParent(frame);
    layout->addWidget(child);
    return frame;
}

} // namespace

CGammaDialog::CGammaDialog(CImageDoc& document, QWidget* parent) : QDialog(parent) {
    setWindowTitle(TableText(StringId::GammaTitle));
    SampleRange range;
    {
        WaitCursor wait; // a large picture takes a moment to copy and scan
        picture_ = CopyPackedPicture(document);
        range = FindSampleRange(picture_.pixels.data(), picture_.layout);
    }
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    left->addWidget(CreateSliders());
    left->addWidget(CreateCurve(range), 0, Qt::AlignLeft);
    left->addStretch();
    layout->addLayout(left);
    layout->addWidget(CreatePreview(), 1);
    layout->addWidget(CreateButtons());
    ShowValues();
    rows_[GammaRow].edit->setFocus();
}

QWidget* CGammaDialog::CreateSliders() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    rows_[GammaRow] = CreateRow(GammaRow, kGammaSliderMin, kGammaSliderMax, 100, 25);
    rows_[ContrastRow] = CreateRow(ContrastRow, kLevelSliderMin, kLevelSliderMax, 128, 32);
    rows_[BiasRow] = CreateRow(BiasRow, kLevelSliderMin, kLevelSliderMax, 128, 32);
    for (int id : {GammaRow, ContrastRow, BiasRow}) {
        grid->addWidget(rows_[id].slider, id, 0);
        grid->addWidget(rows_[id].edit, id, 1);
    }
    return box;
}

CGammaDialog::Row CGammaDialog::CreateRow(RowId id, int minimum, int maximum, int tickInterval,
                                          int pageStep) {
    static const char* const kNames[] = {"gamma", "contrast", "bias"};
    Row row{new QSlider(Qt::Horizontal, this), new QLineEdit(this)};
    row.slider->setObjectName(QString(kNames[id]) + "Slider");
    row.slider->setRange(minimum, maximum);
    row.slider->setTickPosition(QSlider::TicksBelow);
    row.slider->setTickInterval(tickInterval);
    row.slider->setPageStep(pageStep);
    row.slider->setMinimumWidth(200);
    row.edit->setObjectName(QString(kNames[id]) + "Edit");
    row.edit->setFixedWidth(row.edit->fontMetrics().horizontalAdvance("-0000") + 12);
    connect(row.slider, &QSlider::valueChanged, this,
            [this, id](int position) { OnSliderMoved(id, position); });
    connect(row.slider, &QSlider::sliderReleased, this, &CGammaDialog::RefreshPreview);
    connect(row.edit, &QLineEdit::textEdited, this,
            [this, id](const QString& text) { OnEdited(id, text); });
    return row;
}

QWidget* CGammaDialog::CreateCurve(SampleRange range) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel("v-i Curve", box));
    curve_ = new CCurveWindow(model_.GammaTable(), model_.LevelTable(), range, box);
    curve_->setObjectName("curve");
    curve_->setFixedSize(kCurveSide, kCurveSide);
    column->addWidget(FrameAround(curve_, box), 0, Qt::AlignLeft);
    return box;
}

QWidget* CGammaDialog::CreatePreview() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    preview_ = new CPreviewWindow(picture_.pixels.data(), picture_.layout, model_.GammaTable(),
                                  model_.LevelTable(), AppSettings().useHalfToneStretch != 0, box);
    preview_->setObjectName("preview");
    preview_->setMinimumSize(kPreviewWidth, kPreviewHeight);
    column->addWidget(FrameAround(preview_, box), 1);
    auto* zoom = new QPushButton("Switch &Zoom", box);
    zoom->setObjectName("switchZoom");
    zoom->setAutoDefault(false);
    connect(zoom, &QPushButton::clicked, preview_, &CPreviewWindow::ToggleMode);
    column->addWidget(zoom, 0, Qt::AlignLeft);
    return box;
}

QWidget* CGammaDialog::CreateButtons() {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    auto* ok = new QPushButton("OK", box);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton("Cancel", box);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QPushButton("&Help", box);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpContext(this, kHelpContext); });
    for (QPushButton* button : {ok, cancel, help}) {
        button->setObjectName(button == ok ? "ok" : button == cancel ? "cancel" : "help");
        column->addWidget(button);
    }
    column->addStretch();
    return box;
}

int CGammaDialog::PositionOf(RowId id) const {
    return id == GammaRow      ? model_.GammaSliderPosition()
           : id == ContrastRow ? model_.ContrastSliderPosition()
                               : model_.BiasSliderPosition();
}

QString CGammaDialog::TextOf(RowId id) const {
    return QString::fromStdString(id == GammaRow      ? model_.GammaText()
                                  : id == ContrastRow ? model_.ContrastText()
                                                      : model_.BiasText());
}

// Slider positions and texts from the model, without the notifications of a user's change.
void CGammaDialog::ShowValues() {
    for (RowId id : {GammaRow, ContrastRow, BiasRow}) {
        const QSignalBlocker blocker(rows_[id].slider);
        rows_[id].slider->setValue(PositionOf(id));
        rows_[id].edit->setText(TextOf(id));
    }
}

void CGammaDialog::OnSliderMoved(RowId id, int position) {
    if (id == GammaRow) model_.MoveGammaSlider(position);
    if (id == ContrastRow) model_.MoveContrastSlider(position);
    if (id == BiasRow) model_.MoveBiasSlider(position);
    rows_[id].edit->setText(TextOf(id)); // setText does not notify
    curve_->update();
    // A drag shows in the preview when the user lets go; a key or page step at once.
    if (!rows_[id].slider->isSliderDown()) RefreshPreview();
}

void CGammaDialog::OnEdited(RowId id, const QString& text) {
    const std::string typed = text.toStdString();
    const EditOutcome outcome = id == GammaRow      ? model_.EditGamma(typed)
                                : id == ContrastRow ? model_.EditContrast(typed)
                                                    : model_.EditBias(typed);
    if (outcome == EditOutcome::Refused) Platform().Beep();
    if (outcome != EditOutcome::Changed) return;
    const QSignalBlocker blocker(rows_[id].slider);
    rows_[id].slider->setValue(PositionOf(id));
    curve_->update();
    RefreshPreview();
}

void CGammaDialog::RefreshPreview() {
    preview_->ApplyTransfer();
}
