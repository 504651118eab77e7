#include "ui/shell/JpegPage.h"

#include "settings/SettingRules.h"
#include "settings/SettingsPageRules.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kHelpContext = 1303;
constexpr int kDensityUnits = 3;

int FieldValue(const QLineEdit* field) {
    return SignedFieldValue(GoodText(field).toStdString());
}

} // namespace

CJpegPage::CJpegPage(const SettingsStore& settings, QWidget* parent)
    : CSettingsPage(kHelpContext, parent) {
    QGroupBox* group = AddGroup(StringId::JpegGroup);
    tempDir_ = MakeField(QString::fromStdString(settings.tempDir), "tempDir", group);
    auto* browse = new QPushButton(TableText(StringId::TempDirBrowse), group);
    connect(browse, &QPushButton::clicked, this, &CJpegPage::BrowseTempDir);
    resolutionH_ = MakeField(QString::number(settings.resolutionH), "resolutionH", group,
                             SettingRule("ResolutionH"));
    resolutionV_ = MakeField(QString::number(settings.resolutionV), "resolutionV", group,
                             SettingRule("ResolutionV"));
    unit_ = MakeList(TableTexts(StringId::DensityAspect, kDensityUnits), settings.resolutionUnit,
                     "resolutionUnit", group);
    includeRst_ = MakeCheck(StringId::IncludeRst, settings.includeRST, "includeRst", group);
    useCustomDqt_ = MakeCheck(StringId::UseCustomDqt, settings.useCustomDQT, "useCustomDqt", group);
    auto* dqt = new QPushButton(TableText(StringId::DqtSettingsButton), group);
    dqt->setObjectName("customDqt");
    connect(dqt, &QPushButton::clicked, this, [this] {
        if (editCustomTables_) editCustomTables_();
    });
    EnableWhileTicked(useCustomDqt_, dqt);

    auto* density = new QHBoxLayout;
    density->addWidget(resolutionH_);
    density->addWidget(new QLabel("x", group));
    density->addWidget(resolutionV_);
    density->addWidget(unit_);
    density->addStretch();
    FitDigits(resolutionH_, 7);
    FitDigits(resolutionV_, 7);
    auto* grid = new QGridLayout(group);
    grid->addWidget(MakeLabel(StringId::TempDirLabel, tempDir_, group), 0, 0, 1, 2);
    grid->addWidget(tempDir_, 1, 0);
    grid->addWidget(browse, 1, 1);
    grid->addWidget(MakeLabel(StringId::AspectLabel, resolutionH_, group), 2, 0, 1, 2);
    grid->addLayout(density, 3, 0, 1, 2);
    grid->addWidget(includeRst_, 4, 0, 1, 2);
    grid->addWidget(useCustomDqt_, 5, 0);
    grid->addWidget(dqt, 5, 1);
}

void CJpegPage::BrowseTempDir() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, TableText(StringId::TempDirectoryTitle), tempDir_->text());
    if (!folder.isEmpty()) tempDir_->setText(folder);
}

void CJpegPage::Store(SettingsStore& settings) {
    settings.tempDir = GoodText(tempDir_).toStdString();
    settings.resolutionH = FieldValue(resolutionH_);
    settings.resolutionV = FieldValue(resolutionV_);
    settings.resolutionUnit = unit_->currentIndex();
    settings.includeRST = includeRst_->isChecked();
    settings.useCustomDQT = useCustomDqt_->isChecked();
}
