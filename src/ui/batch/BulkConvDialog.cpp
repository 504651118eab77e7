#include "ui/batch/BulkConvDialog.h"

#include "ui/batch/BatchPathControls.h"
#include "ui/batch/DialogControls.h"
#include "ui/kit/TableText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int kHelpContext = 1700;

// Three radio buttons stacked in a column of the grid, numbered 0, 1, 2 in their group.
QButtonGroup* AddRadioColumn(QGridLayout& grid, int column, const char* name,
                             const QStringList& captions) {
    auto* group = new QButtonGroup(grid.parentWidget());
    group->setObjectName(name);
    int row = 0;
    for (const QString& caption : captions) {
        auto* radio = new QRadioButton(caption, grid.parentWidget());
        radio->setObjectName(QStringLiteral("%1%2").arg(name).arg(row));
        group->addButton(radio, row);
        grid.addWidget(radio, row++, column);
    }
    return group;
}

// A field of digits only, shown and read as an unsigned number.
QLineEdit* NumberEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->setMaximumWidth(edit->fontMetrics().averageCharWidth() * 10);
    return edit;
}

int UnsignedNumber(const QLineEdit* edit) {
    bool ok = false;
    const unsigned number = edit->text().toUInt(&ok);
    return ok ? static_cast<int>(number) : 0;
}

void Select(QButtonGroup& group, int id) {
    if (QAbstractButton* button = group.button(id)) button->setChecked(true);
}

} // namespace

CBulkConvDialog::CBulkConvDialog(SettingsStore& store, QWidget* parent)
    : CBatchSettingsDialog(store, StringId::BulkConvTitle, kHelpContext, parent),
      settings_(LoadBulkConvSettings(store.profile)) {
    AddControls(MakeSizeControls());
    AddControls(MakeOutputControls());
    connect(sizeMode_, &QButtonGroup::idToggled, this, &CBulkConvDialog::ApplyEnablingRules);
    connect(usePng_, &QCheckBox::toggled, this, &CBulkConvDialog::ApplyEnablingRules);
    connect(pngSettings_, &QPushButton::clicked, this, [this] {
        if (editPngSettings_) editPngSettings_(this);
    });
    Fill();
}

QWidget* CBulkConvDialog::MakeSizeControls() {
    auto* box = new QGroupBox(this);
    auto* grid = new QGridLayout(box);
    sizeMode_ = AddRadioColumn(*grid, 0, "sizeMode", TableTexts(StringId::SizeModes, 3));
    alignMode_ = AddRadioColumn(*grid, 1, "alignMode", TableTexts(StringId::AlignModes, 3));
    width_ = NumberEdit("sizeWidth", box);
    height_ = NumberEdit("sizeHeight", box);
    auto* widthLabel = new QLabel(TableText(StringId::WidthLabel), box);
    auto* heightLabel = new QLabel(TableText(StringId::HeightLabel), box);
    widthLabel->setBuddy(width_);
    heightLabel->setBuddy(height_);
    grid->addWidget(widthLabel, 0, 2);
    grid->addWidget(width_, 0, 3);
    grid->addWidget(heightLabel, 1, 2);
    grid->addWidget(height_, 1, 3);
    notEnlarge_ = MakeCheckBox(StringId::ShrinkOnly, "notEnlarge", box);
    grid->addWidget(notEnlarge_, 2, 2, 1, 2);
    grid->setColumnStretch(4, 1);
    return box;
}

QWidget* CBulkConvDialog::MakeOutputControls() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    usePng_ = MakeCheckBox(StringId::UsePng, "usePngFormat", box);
    pngSettings_ = MakeButton(StringId::PngSettingsButton, "pngSettings", box);
    keepSourceType_ = MakeCheckBox(StringId::KeepSourceType, "extThrough", box);
    altIsOriginalSize_ = MakeCheckBox(StringId::AltIsOriginalSize, "altIsOriginalSize", box);
    grid->addWidget(usePng_, 0, 0);
    grid->addWidget(pngSettings_, 0, 1);
    grid->addWidget(keepSourceType_, 1, 0);
    grid->addWidget(altIsOriginalSize_, 2, 0);
    grid->setColumnStretch(2, 1);
    return box;
}

void CBulkConvDialog::Fill() {
    paths_->SetValues(PathValuesOf(settings_));
    Select(*sizeMode_, settings_.sizeConvertMode);
    Select(*alignMode_, settings_.sizeAlignMode);
    width_->setText(QString::number(static_cast<unsigned>(settings_.sizeWidth)));
    height_->setText(QString::number(static_cast<unsigned>(settings_.sizeHeight)));
    notEnlarge_->setChecked(settings_.notEnlarge != 0);
    altIsOriginalSize_->setChecked(settings_.altIsOriginalSize != 0);
    usePng_->setChecked(settings_.usePngFormat != 0);
    keepSourceType_->setChecked(settings_.extThrough != 0);
    ApplyEnablingRules();
}

void CBulkConvDialog::ReadControls() {
    StorePathValues(paths_->GetValues(), settings_);
    // A group without a checked button reads as its first choice.
    settings_.sizeConvertMode = std::max(sizeMode_->checkedId(), 0);
    settings_.sizeAlignMode = std::max(alignMode_->checkedId(), 0);
    settings_.sizeWidth = UnsignedNumber(width_);
    settings_.sizeHeight = UnsignedNumber(height_);
    settings_.notEnlarge = notEnlarge_->isChecked() ? 1 : 0;
    settings_.altIsOriginalSize = altIsOriginalSize_->isChecked() ? 1 : 0;
    settings_.usePngFormat = usePng_->isChecked() ? 1 : 0;
    settings_.extThrough = keepSourceType_->isChecked() ? 1 : 0;
}

QWidget* CBulkConvDialog::RefusedField() const {
    if (!UsesBaseSize(settings_)) return nullptr;
    if (!IsBaseSide(settings_.sizeWidth)) return width_;
    if (!IsBaseSide(settings_.sizeHeight)) return height_;
    return nullptr;
}

void CBulkConvDialog::StoreSection(SettingsStore& store) {
    SaveBulkConvSettings(settings_, store);
}

void CBulkConvDialog::ApplyEnablingRules() {
    const bool followsAspectRatio = sizeMode_->checkedId() == 0;
    for (QAbstractButton* radio : alignMode_->buttons())
        radio->setEnabled(followsAspectRatio);
    width_->setEnabled(followsAspectRatio);
    height_->setEnabled(followsAspectRatio);
    pngSettings_->setEnabled(usePng_->isChecked());
}
