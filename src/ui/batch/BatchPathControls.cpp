#include "ui/batch/BatchPathControls.h"

#include "base/StringTable.h"
#include "batch/BatchPaths.h"
#include "ui/batch/DialogControls.h"
#include "ui/kit/FieldRule.h"
#include "ui/kit/FileDialogFilters.h"
#include "ui/kit/TableText.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit* PathEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 44);
    ApplyFieldRule(edit, TextRule()); // paths and the extension list are kept on one line
    return edit;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::string Text(const QLineEdit* edit) {
    return edit->text().toStdString();
}

} // namespace

CBatchPathControls::CBatchPathControls(QWidget* parent)
    : QWidget(parent), source_(PathEdit("sourceEdit", this)),
      sourceBrowse_(MakeButton(StringId::SourceBrowse, "sourceBrowse", this)),
      destination_(PathEdit("destinationEdit", this)),
      destinationBrowse_(MakeButton(StringId::DestinationBrowse, "destinationBrowse", this)),
      createLog_(MakeCheckBox(StringId::CreateLog, "createLog", this)),
      logPath_(PathEdit("logPathEdit", this)),
      logBrowse_(MakeButton(StringId::LogBrowse, "logBrowse", this)),
      recurse_(MakeCheckBox(StringId::RecurseFolders, "recurseDir", this)),
      extensionFilter_(MakeCheckBox(StringId::ExtensionFilter, "extFilter", this)),
      extensionList_(PathEdit("extensionList", this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* sourceLabel = new QLabel(TableText(StringId::SourceFolderLabel), this);
    auto* destinationLabel = new QLabel(TableText(StringId::DestinationFolderLabel), this);
    sourceLabel->setBuddy(source_);
    destinationLabel->setBuddy(destination_);
    grid->addWidget(sourceLabel, 0, 0);
    grid->addWidget(source_, 0, 1);
    grid->addWidget(sourceBrowse_, 0, 2);
    grid->addWidget(destinationLabel, 1, 0);
    grid->addWidget(destination_, 1, 1);
    grid->addWidget(destinationBrowse_, 1, 2);
    grid->addWidget(createLog_, 2, 0);
    grid->addWidget(logPath_, 2, 1);
    grid->addWidget(logBrowse_, 2, 2);
    grid->addWidget(recurse_, 3, 0);
    auto* selection = new QHBoxLayout;
    selection->addWidget(extensionFilter_);
    selection->addWidget(extensionList_, 1);
    grid->addLayout(selection, 3, 1, 1, 2);

    connect(createLog_, &QCheckBox::toggled, this, &CBatchPathControls::ApplyEnablingRules);
    connect(extensionFilter_, &QCheckBox::toggled, this, &CBatchPathControls::ApplyEnablingRules);
    connect(sourceBrowse_, &QPushButton::clicked, this, &CBatchPathControls::BrowseSource);
    connect(destinationBrowse_, &QPushButton::clicked, this,
            &CBatchPathControls::BrowseDestination);
    connect(logBrowse_, &QPushButton::clicked, this, &CBatchPathControls::BrowseLogFile);
    ApplyEnablingRules();
}

void CBatchPathControls::SetValues(const Values& values) {
    source_->setText(Text(values.srcDirectory));
    destination_->setText(Text(values.dstDirectory));
    createLog_->setChecked(values.createLog != 0);
    logPath_->setText(Text(values.logFilePath));
    recurse_->setChecked(values.recurseDir != 0);
    extensionFilter_->setChecked(values.extFilter != 0);
    extensionList_->setText(Text(values.strExtFilter));
    ApplyEnablingRules();
}

CBatchPathControls::Values CBatchPathControls::GetValues() const {
    return {Text(source_),
            Text(destination_),
            createLog_->isChecked() ? 1 : 0,
            Text(logPath_),
            recurse_->isChecked() ? 1 : 0,
            extensionFilter_->isChecked() ? 1 : 0,
            Text(extensionList_)};
}

void CBatchPathControls::ApplyEnablingRules() {
    logPath_->setEnabled(createLog_->isChecked());
    logBrowse_->setEnabled(createLog_->isChecked());
    extensionList_->setEnabled(extensionFilter_->isChecked());
}

void CBatchPathControls::BrowseSource() {
    std::string folder = Text(source_);
    if (pickFolder_(this, folder, LoadString(StringId::SourceFolderTitle)))
        source_->setText(Text(folder));
}

void CBatchPathControls::BrowseDestination() {
    std::string folder = Text(destination_);
    if (!pickFolder_(this, folder, LoadString(StringId::DestinationFolderTitle))) return;
    destination_->setText(Text(folder));
    const std::string logPath = QFileInfo(logPath_->text()).absoluteFilePath().toStdString();
    logPath_->setText(Text(LogPathInFolder(folder, logPath)));
}

void CBatchPathControls::BrowseLogFile() {
    QFileDialog dialog(this, TableText(StringId::LogFileTitle),
                       QFileInfo(logPath_->text()).absolutePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(FileDialogNameFilters(StringId::LogFileFilter));
    if (dialog.exec() && !dialog.selectedFiles().isEmpty())
        logPath_->setText(dialog.selectedFiles().first());
}
