#include "ui/imageops/SizeDialog.h"

#include "base/Platform.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr uint32_t kLargestSide = 65535;

bool Fits(uint32_t side) {
    return side >= 1 && side <= kLargestSide;
}

} // namespace

CSizeDialog::CSizeDialog(uint32_t width, uint32_t height, QWidget* parent)
    : QDialog(parent), model_(width, height) {
    setWindowTitle(TableText(StringId::SizeTitle));
    auto* layout = new QFormLayout(this);
    width_ = AddField(StringId::WidthLabel, "width");
    height_ = AddField(StringId::HeightLabel, "height");
    keepAspect_ = new QCheckBox(TableText(StringId::KeepAspect), this);
    keepAspect_->setObjectName("keepAspect");
    keepAspect_->setChecked(model_.KeepAspect());
    layout->addRow(keepAspect_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    layout->addRow(buttons);
    ShowFields();

    for (QLineEdit* field : {width_, height_}) {
        connect(field, &QLineEdit::textEdited, this, [this, field] { TakeField(field); });
        // A field left unfinished went back to its last good side: the model follows it.
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            if (field->text().toStdString() != ModelText(field)) TakeField(field);
        });
    }
    connect(keepAspect_, &QCheckBox::clicked, this, [this](bool keep) {
        model_.SetKeepAspect(keep);
        ShowFields();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QLineEdit* CSizeDialog::AddField(StringId caption, const char* name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    ApplyFieldRule(field, WholeRule(1, kLargestSide));
    auto* label = new QLabel(TableText(caption), this);
    label->setBuddy(field);
    static_cast<QFormLayout*>(layout())->addRow(label, field);
    return field;
}

void CSizeDialog::TakeField(QLineEdit* field) {
    const std::string text = field->text().toStdString();
    if (field == width_)
        model_.EditWidth(text);
    else
        model_.EditHeight(text);
    ShowFields();
}

const std::string& CSizeDialog::ModelText(const QLineEdit* field) const {
    return field == width_ ? model_.WidthText() : model_.HeightText();
}

void CSizeDialog::accept() {
    // The other side of a tiny one kept in proportion can be 0, or past the largest picture.
    if (!Fits(ChosenWidth()) || !Fits(ChosenHeight())) {
        Platform().Beep();
        return;
    }
    QDialog::accept();
}

void CSizeDialog::ShowFields() {
    const QString width = QString::fromStdString(model_.WidthText());
    const QString height = QString::fromStdString(model_.HeightText());
    if (width_->text() != width) width_->setText(width);
    if (height_->text() != height) height_->setText(height);
}
