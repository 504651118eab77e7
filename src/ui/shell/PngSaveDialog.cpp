#include "ui/shell/PngSaveDialog.h"

#include "core/PngWrite.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/HelpContext.h"
#include "ui/kit/TableText.h"
#include "ui/shell/SettingsPage.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 1311;
constexpr int kButtonSpacing = 8;
} // namespace

CPngSaveDialog::CPngSaveDialog(SettingsStore& settings, CImageDoc* document, QWidget* parent)
    : QDialog(parent), settings_(settings), document_(document) {
    setWindowTitle(TableText(StringId::PngSaveTitle));
    const PngSaveChoices choices = OpenPngSaveChoices(settings, document);
    color_ = choices.transparentColor;
    auto* formats = new QGroupBox(TableText(StringId::PngFormatGroup), this);
    mode_ = MakeList(TableTexts(StringId::PngModeNames, kPngSaveModeCount), choices.saveMode,
                     "saveMode", formats);
    (new QVBoxLayout(formats))->addWidget(mode_);
    interlace_ = MakeCheck(StringId::PngInterlace, choices.interlace, "interlace", this);
    transparent_ = MakeCheck(StringId::PngWriteTransparent, choices.writeTransparent,
                             "writeTransparent", this);
    colorButton_ = new QPushButton(TableText(StringId::PngTransparentColour), this);
    colorButton_->setObjectName("transparentColor");
    connect(colorButton_, &QPushButton::clicked, this, &CPngSaveDialog::ChooseColor);
    writeGamma_ = MakeCheck(StringId::PngWriteGamma, choices.writeGamma, "writeGamma", this);
    gamma_ =
        MakeField(QString::fromStdString(choices.gammaText), "gamma", this, PositiveRealRule());
    EnableWhileTicked(transparent_, colorButton_);
    EnableWhileTicked(writeGamma_, gamma_);
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPngSaveDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPngSaveDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this,
            [this] { ShowHelpContext(this, kHelpContext); });

    auto* grid = new QGridLayout;
    grid->addWidget(formats, 0, 0, 1, 3);
    grid->addWidget(interlace_, 1, 0, 1, 3);
    grid->addWidget(transparent_, 2, 0, 1, 2);
    grid->addWidget(colorButton_, 2, 2);
    grid->addWidget(writeGamma_, 3, 0, 1, 3);
    grid->addWidget(MakeLabel(StringId::PngEmbeddedGamma, gamma_, this), 4, 1);
    grid->addWidget(gamma_, 4, 2);
    grid->setColumnMinimumWidth(0, 16);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(kButtonSpacing);
    layout->addWidget(buttons);
}

void CPngSaveDialog::ChooseColor() {
    QColorDialog dialog(QColor(color_.rgbRed, color_.rgbGreen, color_.rgbBlue), this);
    if (!dialog.exec()) return;
    const QColor chosen = dialog.selectedColor();
    color_ = RgbQuad{static_cast<uint8_t>(chosen.blue()), static_cast<uint8_t>(chosen.green()),
                     static_cast<uint8_t>(chosen.red()), 0};
}

void CPngSaveDialog::accept() {
    PngSaveChoices choices;
    choices.saveMode = mode_->currentIndex();
    choices.interlace = interlace_->isChecked();
    choices.writeTransparent = transparent_->isChecked();
    choices.transparentColor = color_;
    choices.writeGamma = writeGamma_->isChecked();
    choices.gammaText = GoodText(gamma_).toStdString();
    ApplyPngSaveChoices(choices, settings_, document_);
    QDialog::accept();
}

bool EditPngSaveOptions(QWidget* parent, SettingsStore& settings, CImageDoc* document) {
    CPngSaveDialog dialog(settings, document, parent);
    return dialog.exec() == QDialog::Accepted;
}
