#include "ui/batch/ExifJfifDialog.h"

#include "ui/batch/DialogControls.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 1803;

QCheckBox* CheckBox(StringId caption, const char* name, int32_t checked, QWidget* parent) {
    QCheckBox* box = MakeCheckBox(caption, name, parent);
    box->setChecked(checked != 0);
    return box;
}
} // namespace

CExifJfifDialog::CExifJfifDialog(BulkFltOptions& options, QWidget* parent)
    : QDialog(parent), options_(options),
      shootingData_(CheckBox(StringId::ExifToComment, "exifGenCmt", options.exifGenCmt, this)),
      english_(CheckBox(StringId::ExifInEnglish, "exifGenEng", options.exifGenEng, this)),
      userComment_(CheckBox(StringId::KeepUserComment, "exifUserCmt", options.exifUserCmt, this)) {
    setWindowTitle(TableText(StringId::ExifJfifTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(shootingData_);
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(style()->pixelMetric(QStyle::PM_IndicatorWidth) * 2, 0, 0, 0);
    indented->addWidget(english_);
    layout->addLayout(indented);
    layout->addWidget(userComment_);
    layout->addWidget(MakeDialogButtons(*this, kHelpContext));
    english_->setEnabled(shootingData_->isChecked());
    connect(shootingData_, &QCheckBox::toggled, english_, &QWidget::setEnabled);
}

void CExifJfifDialog::accept() {
    options_.exifGenCmt = shootingData_->isChecked() ? 1 : 0;
    options_.exifGenEng = english_->isChecked() ? 1 : 0;
    options_.exifUserCmt = userComment_->isChecked() ? 1 : 0;
    QDialog::accept();
}
