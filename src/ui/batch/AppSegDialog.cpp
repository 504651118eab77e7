#include "ui/batch/AppSegDialog.h"

#include "ui/batch/DialogControls.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kHelpContext = 1802;
constexpr int kRows = 5;
} // namespace

CAppSegDialog::CAppSegDialog(BulkFltOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setWindowTitle(TableText(StringId::AppSegTitle));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    for (int n = 0; n < kAppCodeCount; ++n) {
        const QString name = QStringLiteral("APP%1").arg(n + 1);
        boxes_[n] = new QCheckBox(name, this);
        boxes_[n]->setObjectName(name);
        boxes_[n]->setChecked(options_.removeApp[n] != 0);
        grid->addWidget(boxes_[n], n % kRows, n / kRows);
    }
    layout->addLayout(grid);
    QPushButton* toggleAll = MakeButton(StringId::SelectAll, "selectAll", this);
    connect(toggleAll, &QPushButton::clicked, this, &CAppSegDialog::ToggleAll);
    auto* row = new QHBoxLayout;
    row->addWidget(toggleAll);
    row->addStretch();
    layout->addLayout(row);
    layout->addWidget(MakeDialogButtons(*this, kHelpContext));
}

void CAppSegDialog::ToggleAll() {
    const bool check = !boxes_[0]->isChecked();
    for (QCheckBox* box : boxes_)
        box->setChecked(check);
}

void CAppSegDialog::accept() {
    for (int n = 0; n < kAppCodeCount; ++n)
        options_.removeApp[n] = boxes_[n]->isChecked() ? 1 : 0;
    QDialog::accept();
}
