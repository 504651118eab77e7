#include "imageops/ui/SizeDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int kFieldDigits = 10; // the largest unsigned 32-bit number

} // namespace

CSizeDialog::CSizeDialog(uint32_t width, uint32_t height, QWidget* parent)
    : QDialog(parent), model_(width, height) {
    setWindowTitle("画像サイズの変更");
    auto* layout = new QFormLayout(this);
    width_ = AddField("幅(&W)", "width");
    height_ = AddField("高さ(&H)", "height");
    keepAspect_ = new QCheckBox("縦横比を継承する(&A)", this);
    keepAspect_->setObjectName("keepAspect");
    keepAspect_->setChecked(model_.KeepAspect());
    layout->addRow(keepAspect_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    layout->addRow(buttons);
    ShowFields();

    connect(width_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.EditWidth(text.toStdString());
        ShowFields();
    });
    connect(height_, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.EditHeight(text.toStdString());
        ShowFields();
    });
    connect(keepAspect_, &QCheckBox::clicked, this, [this](bool keep) {
        model_.SetKeepAspect(keep);
        ShowFields();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QLineEdit* CSizeDialog::AddField(const char* caption, const char* name) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaxLength(kFieldDigits);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
    auto* label = new QLabel(caption, this);
    label->setBuddy(field);
    static_cast<QFormLayout*>(layout())->addRow(label, field);
    return field;
}

void CSizeDialog::ShowFields() {
    const QString width = QString::fromStdString(model_.WidthText());
    const QString height = QString::fromStdString(model_.HeightText());
    if (width_->text() != width) width_->setText(width);
    if (height_->text() != height) height_->setText(height);
}
